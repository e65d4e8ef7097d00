// Conversions between option values and the texts of the settings store.

#include "settings/setting_values.h"

#include "platform/failure.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

namespace quillet::settings {
namespace {

// The failure number a reader throws, or 0 when it returns.
template <typename Read> int failureOf(Read read) {
    try {
        read();
    } catch (const Failure& f) {
        return f.number();
    }
    return 0;
}

const QLocale russian(QLocale::Russian, QLocale::Russia);
const QLocale english(QLocale::English, QLocale::UnitedStates);

TEST(FlagText, ReadsTrueFalseInAnyCaseAndNumbers) {
    struct Case {
        const char* text;
        std::optional<bool> expected; // nullopt: failure 13
    };
    const Case cases[] = {
        {"True", true},        {"False", false},    {"TRUE", true},
        {"fAlSe", false},      {" True ", true},    {"-1", true},
        {"0", false},          {"1", true},         {"2", true},
        {"0,0", false},        {"0.5", true},       {"", std::nullopt},
        {"Yes", std::nullopt}, {"T", std::nullopt}, {"Truee", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        if (c.expected) {
            EXPECT_EQ(readFlag(text, russian), *c.expected) << c.text;
        } else {
            EXPECT_EQ(failureOf([&] { readFlag(text, russian); }), err::TypeMismatch) << c.text;
        }
    }
    EXPECT_EQ(flagText(true), QStringLiteral("True"));
    EXPECT_EQ(flagText(false), QStringLiteral("False"));
}

TEST(WholeNumbers, RoundHalvesToEvenAndCheckTheirRange) {
    struct Case {
        const char* text;
        int bits; // 16 or 32
        long long expected;
        int failure; // 0, 13 or 6
    };
    const Case cases[] = {
        {"0", 16, 0, 0},
        {"204", 32, 204, 0},
        {"9,75", 16, 10, 0},
        {"9.75", 16, 10, 0},
        {"10,5", 16, 10, 0},
        {"11,5", 16, 12, 0},
        {"-2,5", 16, -2, 0},
        {"-3,5", 16, -4, 0},
        {" +7 ", 16, 7, 0},
        {"32767", 16, 32767, 0},
        {"-32768", 16, -32768, 0},
        {"32767,4", 16, 32767, 0},
        {"32767,5", 16, 0, err::Overflow},
        {"32768", 16, 0, err::Overflow},
        {"-32769", 16, 0, err::Overflow},
        {"-2147483640", 32, -2147483640LL, 0},
        {"2147483647", 32, 2147483647LL, 0},
        {"2147483648", 32, 0, err::Overflow},
        {"99999999999999999999", 32, 0, err::Overflow},
        {"", 16, 0, err::TypeMismatch},
        {"   ", 16, 0, err::TypeMismatch},
        {"abc", 16, 0, err::TypeMismatch},
        {"-", 16, 0, err::TypeMismatch},
        {"1 000", 32, 0, err::TypeMismatch},
        {"1,000,5", 32, 0, err::TypeMismatch},
        {"1e3", 32, 0, err::TypeMismatch},
        {"inf", 32, 0, err::TypeMismatch},
        {"nan", 32, 0, err::TypeMismatch},
        {"&H10", 32, 0, err::TypeMismatch},
        {"12px", 32, 0, err::TypeMismatch},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        long long got = 0;
        const int failure = failureOf(
            [&] { got = c.bits == 16 ? readInt16(text, russian) : readInt32(text, russian); });
        EXPECT_EQ(failure, c.failure) << c.text;
        if (c.failure == 0) {
            EXPECT_EQ(got, c.expected) << c.text;
        }
    }
}

TEST(WholeNumbers, ReadTheSameUnderAnotherLocale) {
    // A store written in Russian still reads in English, and the other way round.
    EXPECT_EQ(readInt16(QStringLiteral("9,75"), english), 10);
    EXPECT_EQ(readInt16(QStringLiteral("9.75"), english), 10);
    EXPECT_EQ(readInt16(QStringLiteral("11.5"), russian), 12);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const double cases[][2] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},      {-0.5, 0},
                               {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c[0]), c[1]) << c[0];
}

TEST(SizeText, ShortestTextWithTheLocaleSeparator) {
    struct Case {
        float value;
        const QLocale* locale;
        const char* expected;
    };
    const Case cases[] = {
        {9.75f, &russian, "9,75"},     {9.75f, &english, "9.75"},       {8550.0f, &russian, "8550"},
        {19200.0f, &russian, "19200"}, {123456.0f, &russian, "123456"}, {10.1f, &russian, "10,1"},
        {-15.0f, &russian, "-15"},     {0.5f, &russian, "0,5"},         {0.0f, &russian, "0"},
        {-0.0f, &russian, "0"},        {8.25f, &russian, "8,25"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizeText(c.value, *c.locale), QString::fromLatin1(c.expected)) << c.expected;
    // What is written reads back as the size rounded.
    EXPECT_EQ(readInt32(sizeText(9.75f, russian), russian), 10);
}

TEST(Colours, StoredAsBgrWholeNumbers) {
    struct Case {
        QColor colour;
        std::int32_t value;
    };
    const Case cases[] = {
        {QColor(255, 255, 255), 16777215}, {QColor(255, 0, 0), 255},    {QColor(0, 255, 0), 65280},
        {QColor(0, 0, 255), 16711680},     {QColor(1, 2, 3), 0x030201}, {QColor(0, 0, 0), 0},
    };
    const QPalette palette = QApplication::palette();
    for (const Case& c : cases) {
        EXPECT_EQ(colourValue(c.colour), c.value) << c.colour.name().toStdString();
        EXPECT_EQ(colourFromValue(c.value, palette), c.colour) << c.value;
    }
    EXPECT_EQ(wholeText(SystemWindowText), QStringLiteral("-2147483640"));
}

TEST(Colours, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Base, QColor(40, 50, 60));
    palette.setColor(QPalette::ButtonText, QColor(70, 80, 90));
    EXPECT_EQ(colourFromValue(SystemWindowText, palette), QColor(10, 20, 30));
    EXPECT_EQ(colourFromValue(static_cast<std::int32_t>(0x80000005u), palette), QColor(40, 50, 60));
    EXPECT_EQ(colourFromValue(static_cast<std::int32_t>(0x80000012u), palette), QColor(70, 80, 90));

    const std::uint32_t invalid[] = {0x01000000u, 0x7FFFFFFFu, 0x80000019u,
                                     0x800000FFu, 0x80000100u, 0xFFFFFFFFu};
    for (const std::uint32_t v : invalid) {
        EXPECT_EQ(failureOf([&] { colourFromValue(static_cast<std::int32_t>(v), palette); }),
                  err::InvalidPropertyValue)
            << v;
    }
}

} // namespace
} // namespace quillet::settings
