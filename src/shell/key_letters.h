#pragma once

// The letters a key carries in the keyboard layouts the user has, so that a
// menu's underlined letter works from whichever layout is active: Alt+A with
// the Latin layout opens "Файл", whose letter Ф lies on the same key in the
// Russian layout, and inside an open menu the key of an item's letter chooses
// the item in any layout.

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace quillet::keys {

// The letters on a key of the standard Russian keyboard, where the Russian
// layout (ЙЦУКЕН) and the Latin one (QWERTY) share the keys: the Latin
// character first, then the Russian letter, both lower-case. By X key code
// (the kernel's key code + 8; the Wayland keyboard uses the same numbers), or
// by either character on the key in either case. Empty for any other key.
QString standardLetters(std::uint32_t keyCode);
QString standardLettersOf(QChar character);

// Every letter a key press may stand for, lower-case and each once: the text it
// typed first, then what the keyboard map gives for its key in each layout (the
// active layout first). Where the map gives nothing (no keyboard map on this
// window system), the standard keyboard's letters stand in: by key code, or by
// the typed character when the key code is unknown (0).
QString keyLetters(const QString& typed, std::uint32_t keyCode, const QString& keymapLetters);

// The letter a caption marks with '&', lower-case ("Со&хранить" gives 'х');
// "&&" is a plain ampersand. Null when the caption marks none.
QChar mnemonicLetter(const QString& caption);

// Of the captions, the one whose marked letter comes earliest in letters (so
// the active layout's letter wins over another layout's), the first such
// caption when several share it. -1 when no caption is marked with any of them.
int captionForLetters(const QStringList& captions, const QString& letters);

// The letters the key with this X key code carries in every layout of the X
// server's keyboard map (level one, lower-case), the active layout first. Empty
// when the program does not run on an X server, or the server has no keyboard
// extension.
QString keymapLetters(std::uint32_t keyCode);

} // namespace quillet::keys
