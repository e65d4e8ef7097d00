#include "diagnostics/mdl_other.h"

#include <QDir>

namespace quillet {

QString StripAtNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString AddBackslash(const QString& text) {
    const QChar separator = QDir::separator();
    return text.endsWith(separator) ? text : text + separator;
}

} // namespace quillet
