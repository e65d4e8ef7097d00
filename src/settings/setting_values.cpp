#include "settings/setting_values.h"

#include "platform/failure.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillet::settings {

namespace {

Failure typeMismatch() {
    return Failure(err::TypeMismatch, QStringLiteral("Type mismatch"));
}

} // namespace

QString flagText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool readFlag(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> n = parseNumber(t, locale))
        return *n != 0;
    throw typeMismatch();
}

std::optional<double> parseNumber(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // Only signs, digits and one decimal separator: no exponents, no "inf"/"nan",
    // no group separators.
    const QString localePoint = locale.decimalPoint();
    QString plain;
    plain.reserve(t.size());
    bool seenPoint = false;
    bool seenDigit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            plain += c;
            seenDigit = true;
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i == 0) {
            plain += c;
        } else if (!seenPoint &&
                   (c == QLatin1Char('.') || c == QLatin1Char(',') || QString(c) == localePoint)) {
            plain += QLatin1Char('.');
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::int32_t readWhole(const QString& text, std::int32_t minimum, std::int32_t maximum,
                       const QLocale& locale) {
    const std::optional<double> n = parseNumber(text, locale);
    if (!n)
        throw typeMismatch();
    const double rounded = roundHalfEven(*n);
    if (rounded < minimum || rounded > maximum)
        throw Failure(err::Overflow, QStringLiteral("Overflow"));
    return static_cast<std::int32_t>(rounded);
}

std::int16_t readInt16(const QString& text, const QLocale& locale) {
    return static_cast<std::int16_t>(readWhole(text, std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max(), locale));
}

std::int32_t readInt32(const QString& text, const QLocale& locale) {
    return readWhole(text, std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max(), locale);
}

QString wholeText(std::int64_t value) {
    return QString::number(value);
}

QString sizeText(float value, const QLocale& locale) {
    // to_chars gives the shortest text that reads back as the same float.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

std::int32_t colourValue(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    const std::uint32_t bgr = static_cast<std::uint32_t>(rgb.red()) |
                              (static_cast<std::uint32_t>(rgb.green()) << 8) |
                              (static_cast<std::uint32_t>(rgb.blue()) << 16);
    return static_cast<std::int32_t>(bgr);
}

QColor colourFromValue(std::int32_t value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits <= 0x00FFFFFFu)
        return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                      static_cast<int>((bits >> 16) & 0xFF));
    if ((bits & 0xFFFFFF00u) == 0x80000000u) {
        // The system colours by their index, each taken from the palette role
        // that plays the same part here.
        using R = QPalette::ColorRole;
        static constexpr R roles[] = {
            R::Button,          // scroll bar
            R::Dark,            // desktop
            R::Highlight,       // active caption
            R::Mid,             // inactive caption
            R::Window,          // menu
            R::Base,            // window background
            R::Shadow,          // window frame
            R::WindowText,      // menu text
            R::Text,            // window text
            R::HighlightedText, // caption text
            R::Button,          // active border
            R::Button,          // inactive border
            R::Mid,             // application workspace
            R::Highlight,       // highlight
            R::HighlightedText, // highlighted text
            R::Button,          // button face
            R::Dark,            // button shadow
            R::PlaceholderText, // grey text
            R::ButtonText,      // button text
            R::ButtonText,      // inactive caption text
            R::Light,           // button highlight
            R::Shadow,          // 3-D dark shadow
            R::Midlight,        // 3-D light
            R::ToolTipText,     // tooltip text
            R::ToolTipBase,     // tooltip background
        };
        const std::uint32_t index = bits & 0xFF;
        if (index < std::size(roles))
            return palette.color(QPalette::Active, roles[index]);
    }
    throw Failure(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

} // namespace quillet::settings
