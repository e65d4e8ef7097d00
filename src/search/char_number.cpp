#include "search/char_number.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <string>

namespace quillet {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Consumes one of the given marks at pos (case-insensitive for letters); returns
// its length or 0.
qsizetype matchAny(QStringView text, qsizetype pos, std::initializer_list<QStringView> marks) {
    for (QStringView mark : marks) {
        if (!mark.isEmpty() && text.mid(pos).startsWith(mark, Qt::CaseInsensitive))
            return mark.size();
    }
    return 0;
}

} // namespace

ParsedNumber parseCharacterNumber(QStringView text, const QLocale& locale) {
    using Status = ParsedNumber::Status;
    const ParsedNumber notANumber{Status::NotANumber, 0};

    const QString minusSign = locale.negativeSign();
    const QString plusSign = locale.positiveSign();
    const QString decimalPoint = locale.decimalPoint();
    const QString exponentMark = locale.exponential();
    const QChar unicodeMinus(0x2212);

    text = text.trimmed();
    qsizetype pos = 0;
    const qsizetype n = text.size();

    std::string ascii; // the number in the C form, for the conversion
    if (const qsizetype len =
            matchAny(text, pos, {QStringView(minusSign), u"-", QStringView(&unicodeMinus, 1)})) {
        ascii += '-';
        pos += len;
    } else if (const qsizetype len = matchAny(text, pos, {QStringView(plusSign), u"+"})) {
        pos += len;
    }

    // Mantissa. The decimal exponent of its leading digit tells an overflow from
    // an underflow when the conversion runs out of range.
    qsizetype digits = 0;
    long long leadExponent = 0; // position of the first non-zero digit, as a power of ten
    bool seenNonZero = false;
    bool inFraction = false;
    long long fractionIndex = 0;
    while (pos < n) {
        const QChar c = text[pos];
        if (isAsciiDigit(c)) {
            ++digits;
            if (inFraction)
                ++fractionIndex;
            if (!seenNonZero && c != u'0') {
                seenNonZero = true;
                leadExponent = inFraction ? -fractionIndex : 0;
            } else if (seenNonZero && !inFraction) {
                ++leadExponent;
            }
            ascii += static_cast<char>(c.unicode());
            ++pos;
        } else if (!inFraction && !decimalPoint.isEmpty() &&
                   text.mid(pos).startsWith(decimalPoint)) {
            inFraction = true;
            ascii += '.';
            pos += decimalPoint.size();
        } else {
            break;
        }
    }
    if (digits == 0)
        return notANumber;

    long long exponent = 0;
    if (pos < n) {
        const qsizetype markLen = matchAny(text, pos, {QStringView(exponentMark), u"e"});
        if (markLen == 0)
            return notANumber;
        pos += markLen;
        bool negative = false;
        if (const qsizetype len = matchAny(
                text, pos, {QStringView(minusSign), u"-", QStringView(&unicodeMinus, 1)})) {
            negative = true;
            pos += len;
        } else if (const qsizetype len = matchAny(text, pos, {QStringView(plusSign), u"+"})) {
            pos += len;
        }
        qsizetype expDigits = 0;
        while (pos < n && isAsciiDigit(text[pos])) {
            if (exponent < 1000000000LL)
                exponent = exponent * 10 + (text[pos].unicode() - u'0');
            ++expDigits;
            ++pos;
        }
        if (expDigits == 0 || pos != n)
            return notANumber;
        if (negative)
            exponent = -exponent;
        ascii += 'e';
        ascii += std::to_string(exponent);
    }

    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (seenNonZero && leadExponent + exponent > 0)
            return {Status::TooLarge, 0};
        return {Status::Number, 0}; // too small to hold: zero
    }
    if (ec != std::errc() || end != ascii.data() + ascii.size())
        return notANumber;
    if (std::isinf(value))
        return {Status::TooLarge, 0};
    return {Status::Number, value};
}

double roundHalfEven(double x) {
    if (!std::isfinite(x))
        return x;
    double whole = std::floor(x);
    const double rest = x - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

std::optional<std::int32_t> caretPositionFor(double n) {
    const double p = roundHalfEven(n - 1.0);
    if (!(p >= -2147483648.0 && p <= 2147483647.0))
        return std::nullopt;
    return static_cast<std::int32_t>(p);
}

} // namespace quillet
