#include "search/char_number.h"

#include <QLocale>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>

namespace quillet {
namespace {

using Status = ParsedNumber::Status;

struct ParseCase {
    const char16_t* text;
    Status status;
    double value;
};

const char* statusName(Status s) {
    switch (s) {
    case Status::Number:
        return "number";
    case Status::NotANumber:
        return "not a number";
    case Status::TooLarge:
        return "too large";
    }
    return "?";
}

void checkParses(const QLocale& locale, std::initializer_list<ParseCase> cases) {
    for (const ParseCase& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const ParsedNumber got = parseCharacterNumber(text, locale);
        EXPECT_STREQ(statusName(got.status), statusName(c.status))
            << "'" << text.toStdString() << "'";
        if (got.status == Status::Number && c.status == Status::Number) {
            EXPECT_DOUBLE_EQ(got.value, c.value) << "'" << text.toStdString() << "'";
        }
    }
}

TEST(CharacterNumber, RussianLocale) {
    const std::u16string many = u"1" + std::u16string(400, u'0');
    checkParses(QLocale(QLocale::Russian, QLocale::Russia),
                {
                    {u"1", Status::Number, 1},
                    {u"0", Status::Number, 0},
                    {u"  12  ", Status::Number, 12},
                    {u"\t7\u00A0", Status::Number, 7},
                    {u"+3", Status::Number, 3},
                    {u"-5", Status::Number, -5},
                    {u"\u22125", Status::Number, -5},
                    {u"0,5", Status::Number, 0.5},
                    {u"2,5", Status::Number, 2.5},
                    {u",5", Status::Number, 0.5},
                    {u"5,", Status::Number, 5},
                    {u"007", Status::Number, 7},
                    {u"1e3", Status::Number, 1000},
                    {u"1,5E2", Status::Number, 150},
                    {u"2e-1", Status::Number, 0.2},
                    {u"2e+1", Status::Number, 20},
                    {u"12345678901", Status::Number, 12345678901.0},
                    {u"-12345678901", Status::Number, -12345678901.0},
                    {u"1e-400", Status::Number, 0},
                    {u"0e999999999999", Status::Number, 0},
                    {u"1e400", Status::TooLarge, 0},
                    {u"-1e400", Status::TooLarge, 0},
                    {u"0,001e310", Status::Number, 1e307},
                    {u"1e999999999999", Status::TooLarge, 0},
                    {many.c_str(), Status::TooLarge, 0},
                    {u"", Status::NotANumber, 0},
                    {u"   ", Status::NotANumber, 0},
                    {u"abc", Status::NotANumber, 0},
                    {u"пять", Status::NotANumber, 0},
                    {u"5р", Status::NotANumber, 0},
                    {u"1.5", Status::NotANumber, 0},
                    {u"1 000", Status::NotANumber, 0},
                    {u"1\u00A0000", Status::NotANumber, 0},
                    {u"1,2,3", Status::NotANumber, 0},
                    {u"-", Status::NotANumber, 0},
                    {u",", Status::NotANumber, 0},
                    {u"--5", Status::NotANumber, 0},
                    {u"- 5", Status::NotANumber, 0},
                    {u"1e", Status::NotANumber, 0},
                    {u"1e-", Status::NotANumber, 0},
                    {u"e5", Status::NotANumber, 0},
                    {u"0x10", Status::NotANumber, 0},
                    {u"&H10", Status::NotANumber, 0},
                    {u"1e5x", Status::NotANumber, 0},
                    {u"\u0661", Status::NotANumber, 0},
                });
}

TEST(CharacterNumber, DecimalPointLocaleRefusesGroupSeparators) {
    checkParses(QLocale(QLocale::English, QLocale::UnitedStates),
                {
                    {u"1.5", Status::Number, 1.5},
                    {u"-2.5e1", Status::Number, -25},
                    {u"1,5", Status::NotANumber, 0},
                    {u"1,000", Status::NotANumber, 0},
                });
}

TEST(CharacterNumber, RoundsHalvesToEven) {
    struct Case {
        double x;
        double rounded;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},  {3.5, 4},      {-0.5, 0},
                          {-1.5, -2}, {-2.5, -2}, {0.49, 0}, {0.51, 1},     {-0.6, -1},
                          {-0.4, 0},  {3, 3},     {-7, -7},  {1e300, 1e300}};
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.x), c.rounded) << c.x;
}

TEST(CharacterNumber, CaretPositionIsNumberLessOneInThirtyTwoBits) {
    struct Case {
        double n;
        std::optional<std::int32_t> position;
    };
    const Case cases[] = {
        {1, 0},
        {0.5, 0},
        {0.4, -1},
        {0, -1},
        {1.5, 0},
        {2.5, 2},
        {3.5, 2},
        {-5, -6},
        {2147483648.0, 2147483647},
        {2147483647.5, 2147483646},
        {2147483648.5, std::nullopt},
        {2147483649.0, std::nullopt},
        {-2147483647.0, -2147483647 - 1},
        {-2147483648.0, std::nullopt},
        {12345678901.0, std::nullopt},
        {-12345678901.0, std::nullopt},
        {1e300, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(caretPositionFor(c.n), c.position) << std::fixed << c.n;
}

} // namespace
} // namespace quillet
