#include "platform/screen_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace quillet {
namespace {

bool isWindowsDialogFont(const QFont& font) {
    return font.family().compare(DesignFontName, Qt::CaseInsensitive) == 0;
}

} // namespace

QFont screenFace(const QFont& chosen, const QStringList& installed,
                 const QString& interfaceFamily) {
    if (!isWindowsDialogFont(chosen) || installed.contains(chosen.family(), Qt::CaseInsensitive) ||
        interfaceFamily.isEmpty())
        return chosen;
    QFont shown = chosen;
    shown.setFamily(interfaceFamily);
    return shown;
}

QFont screenFace(const QFont& chosen) {
    if (!isWindowsDialogFont(chosen))
        return chosen; // the font list is not needed
    return screenFace(chosen, QFontDatabase::families(), QApplication::font().family());
}

} // namespace quillet
