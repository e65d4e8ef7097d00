#pragma once

// How option values travel to and from the settings store, where every value is a
// text. Each reader throws quillet::Failure with the number the rest of the program
// acts on: 13 (type mismatch) for a text that is not a value of its kind, 6
// (overflow) for a number outside its range, 380 (invalid property value) for a
// value that the editor cannot take.

#include <QColor>
#include <QLocale>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <optional>

namespace quillet::settings {

// The stored code of the system window-text colour (top bit set: a system colour).
constexpr std::int32_t SystemWindowText = static_cast<std::int32_t>(0x80000008u);

// ---- Flags -------------------------------------------------------------------

// "True" or "False".
QString flagText(bool value);
// "True"/"False" in any letter case, or a number (0 is False, any other True).
// Anything else, the empty text included, fails with 13.
bool readFlag(const QString& text, const QLocale& locale = QLocale());

// ---- Numbers -----------------------------------------------------------------

// A number written by hand or by an earlier run: optional surrounding spaces, an
// optional sign, digits, and a fraction after the locale's decimal separator.
// Since sizes are never written with group separators, "." and "," are both
// taken as the decimal separator too, so a store written under another locale
// still reads ("9,75" and "9.75" are the same size everywhere). Exponents,
// group separators, infinite and not-a-number texts are refused.
std::optional<double> parseNumber(const QString& text, const QLocale& locale = QLocale());

// Rounds to the nearest whole number, halves to the even neighbour (9.5 -> 10,
// 10.5 -> 10, 11.5 -> 12, -2.5 -> -2).
double roundHalfEven(double value);

// A whole number of the given range, read through parseNumber and rounded.
// Fails with 13 when the text is not a number and with 6 when the rounded value
// lies outside [minimum, maximum].
std::int32_t readWhole(const QString& text, std::int32_t minimum, std::int32_t maximum,
                       const QLocale& locale = QLocale());
std::int16_t readInt16(const QString& text, const QLocale& locale = QLocale());
std::int32_t readInt32(const QString& text, const QLocale& locale = QLocale());

// Decimal digits with a leading "-" when negative, whatever the locale.
QString wholeText(std::int64_t value);

// A single-precision size or position: the shortest decimal text that reads back
// as the same single-precision value, without group separators, with the
// locale's decimal separator when it has a fraction (9.75 -> "9,75" in Russian).
QString sizeText(float value, const QLocale& locale = QLocale());

// ---- Colours -----------------------------------------------------------------

// The stored whole number of a colour: 0x00BBGGRR as a signed 32-bit value.
std::int32_t colourValue(const QColor& colour);

// The colour a stored value names. 0x00BBGGRR values are plain colours; values
// with the top bit set name a system colour, taken from the palette (the window
// text colour from QPalette::Text, the window background from QPalette::Base, and
// so on). Any other value fails with 380.
QColor colourFromValue(std::int32_t value, const QPalette& palette);

} // namespace quillet::settings
