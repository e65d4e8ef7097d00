#pragma once

#include <QFont>
#include <QStringList>

namespace quillet {

// The font the program's windows were drawn in and the editor starts with: the
// classic Windows dialog font.
inline const QString DesignFontName = QStringLiteral("MS Sans Serif");

// The face the screen shows for a font the user chose (or the program's
// default). The design font (DesignFontName) is shown in the desktop's own interface font when the
// system has no font of that name, which is the usual case off Windows: it is what that font was on
// its own system, and the editor then shares the font lookups the menus and the status bar make
// anyway. Any other font is shown as chosen (the system substitutes for a missing one as usual).
// Size and style are always kept.
//
// `installed` lists the system's font families; `interfaceFamily` is the
// desktop's interface font family.
QFont screenFace(const QFont& chosen, const QStringList& installed, const QString& interfaceFamily);

// The same, with the system's families and the application's font.
QFont screenFace(const QFont& chosen);

} // namespace quillet
