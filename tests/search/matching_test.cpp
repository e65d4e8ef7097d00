#include "search/matching.h"

#include <QString>

#include <gtest/gtest.h>

namespace quillet {
namespace {

struct MatchCase {
    const char16_t* haystack;
    const char16_t* needle;
    qsizetype from;
    bool wholeWord;
    bool matchCase;
    qsizetype expected;
};

TEST(FindText, Table) {
    const MatchCase cases[] = {
        // Plain search, from a position.
        {u"мама мыла раму", u"мыла", 0, false, false, 5},
        {u"abc abc", u"abc", 0, false, false, 0},
        {u"abc abc", u"abc", 1, false, false, 4},
        {u"abc abc", u"abc", 4, false, false, 4},
        {u"abc abc", u"abc", 5, false, false, -1},
        {u"abc", u"bc", 1, false, false, 1},
        {u"abc", u"bc", 2, false, false, -1},
        {u"abc", u"abc", 3, false, false, -1},
        {u"abc", u"abc", 99, false, false, -1},
        {u"abc", u"abc", -4, false, false, 0},
        {u"ab", u"abc", 0, false, false, -1},
        {u"abc", u"", 0, false, false, -1},
        {u"", u"a", 0, false, false, -1},
        // Line breaks are two positions.
        {u"строка\r\nстрока", u"строка", 1, false, false, 8},
        // Case folding, Cyrillic with Ё/ё, and Latin.
        {u"Мама", u"мама", 0, false, false, 0},
        {u"Мама", u"мама", 0, false, true, -1},
        {u"ЁЛКА ёлка", u"ёлка", 0, false, false, 0},
        {u"ЁЛКА ёлка", u"ёлка", 0, false, true, 5},
        {u"ёж Ёж", u"ЁЖ", 0, false, false, 0},
        {u"ёж Ёж", u"Ёж", 0, false, true, 3},
        {u"ёжик", u"ежик", 0, false, false, -1}, // Ё is its own letter, not Е
        {u"ЯБЛОКО", u"яблоко", 0, false, false, 0},
        {u"HELLO hello", u"hello", 0, false, true, 6},
        {u"HELLO hello", u"hello", 0, false, false, 0},
        {u"ΑΒΓ", u"αβγ", 0, false, false, 0},
        // Whole words: neither edge may cut a word.
        {u"рамка рама", u"рам", 0, false, false, 0},
        {u"рамка рама", u"рам", 0, true, false, -1},
        {u"рамка рам", u"рам", 0, true, false, 6},
        {u"прам рам", u"рам", 0, true, false, 5},
        {u"(слово)", u"слово", 0, true, false, 1},
        {u"foo_bar foo", u"foo", 0, true, false, 8},
        {u"a1 a", u"a", 0, true, false, 3},
        {u"abcд abc", u"abc", 0, true, false, 5},
        {u"дом\r\nдом", u"дом", 1, true, false, 5},
        {u"αβγ αβ", u"αβ", 0, true, false, 4},
        {u"Слово слово", u"слово", 0, true, true, 6},
        {u"СЛОВОслово слово", u"слово", 0, true, false, 11},
        // A needle with a space at its edge may sit next to anything on that side.
        {u"a  b", u"a ", 0, true, false, 0},
        {u"ab b", u" b", 0, true, false, 2},
        {u"ab b", u"b ", 0, true, false, -1},
    };
    for (const MatchCase& c : cases) {
        const QString haystack = QString::fromUtf16(c.haystack);
        const QString needle = QString::fromUtf16(c.needle);
        EXPECT_EQ(findText(haystack, needle, c.from, {c.wholeWord, c.matchCase}), c.expected)
            << haystack.toStdString() << " / " << needle.toStdString() << " from " << c.from
            << (c.wholeWord ? " whole word" : "") << (c.matchCase ? " match case" : "");
    }
}

TEST(FindText, WordCharacters) {
    struct Case {
        char16_t c;
        bool word;
    };
    const Case cases[] = {{u'a', true},  {u'Z', true},    {u'ж', true},   {u'Ё', true},
                          {u'7', true},  {u'_', true},    {0x0301, true}, {u' ', false},
                          {u'-', false}, {u',', false},   {u'\r', false}, {u'\n', false},
                          {u'№', false}, {0x00A0, false}, {u'«', false}};
    for (const Case& c : cases)
        EXPECT_EQ(isWordChar(QChar(c.c)), c.word) << int(c.c);
}

TEST(FindText, FoldingKeepsEveryCharacterInPlace) {
    // Capital and small Russian letters fold together, one character to one.
    for (char16_t c = u'А'; c <= u'Я'; ++c)
        EXPECT_EQ(foldCase(QChar(c)), QChar(char16_t(c + 0x20))) << int(c);
    EXPECT_EQ(foldCase(QChar(u'Ё')), QChar(u'ё'));
    EXPECT_EQ(foldCase(QChar(u'Ў')), QChar(u'ў'));
    EXPECT_EQ(foldCase(QChar(u'Q')), QChar(u'q'));
    EXPECT_EQ(foldCase(QChar(u'7')), QChar(u'7'));
}

} // namespace
} // namespace quillet
