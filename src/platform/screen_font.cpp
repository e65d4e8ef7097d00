#include "platform/screen_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace quillet {

QFont screenFace(const QFont& chosen, const QStringList& installed,
                 const QString& interfaceFamily) {
    static const QString windowsDialogFont = QStringLiteral("MS Sans Serif");
    if (chosen.family().compare(windowsDialogFont, Qt::CaseInsensitive) != 0 ||
        installed.contains(chosen.family(), Qt::CaseInsensitive) || interfaceFamily.isEmpty())
        return chosen;
    QFont shown = chosen;
    shown.setFamily(interfaceFamily);
    return shown;
}

QFont screenFace(const QFont& chosen) {
    if (chosen.family().compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) != 0)
        return chosen; // the font list is not needed
    return screenFace(chosen, QFontDatabase::families(), QApplication::font().family());
}

} // namespace quillet
