#pragma once

// Reading the character number typed into the Go-to window.

#include <QLocale>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace quillet {

struct ParsedNumber {
    enum class Status { Number, NotANumber, TooLarge };
    Status status = Status::NotANumber;
    double value = 0;
};

// Reads text as a number in the given locale:
//   spaces*  sign?  digits [decimal-separator digits] [exponent]  spaces*
// The sign is the locale's plus or minus sign, "+", "-" or the minus sign U+2212;
// the decimal separator is the locale's own; the exponent is "e" or "E" (or the
// locale's exponent mark) with an optional sign and at least one digit; at least
// one digit stands before or after the separator. Digits are 0-9.
//
// Digit-group separators are refused: in a locale whose decimal separator is a
// point, "1,5" would otherwise silently become 15. Hexadecimal forms and currency
// signs are refused as well. A number too large for a double is TooLarge; one too
// small for it reads as 0.
ParsedNumber parseCharacterNumber(QStringView text, const QLocale& locale);

// x rounded to a whole number, halves going to the even neighbour.
double roundHalfEven(double x);

// The 0-based caret position for character number n: n - 1 rounded half to even,
// or nothing when it does not fit a signed 32-bit integer.
std::optional<std::int32_t> caretPositionFor(double n);

} // namespace quillet
