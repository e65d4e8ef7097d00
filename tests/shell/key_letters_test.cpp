// Which letters a key stands for in the user's layouts, and which caption's
// marked letter they reach.

#include "shell/key_letters.h"

#include <gtest/gtest.h>

namespace quillet::keys {
namespace {

TEST(KeyLetters, TypedFirstThenTheKeymapOrElseTheStandardKeyboard) {
    const struct {
        QString typed;
        std::uint32_t keyCode;
        QString keymap;
        QString expected;
    } cases[] = {
        {"a", 38, "aфα", "aфα"}, // every layout of the keymap, the typed letter first
        {"A", 38, "aф", "aф"},   // Shift: lower case
        {"a", 38, "a", "a"},     // the keymap wins over the standard keyboard
        {"q", 38, "", "qaф"},    // no keymap: the standard keyboard by key code
        {"ж", 47, "", "ж;"},     {"Ю", 0, "", "ю."}, // no key code either: by the typed letter
        {"1", 10, "", "1"},                          // no letter on that key
        {" ", 65, " ", ""},                          // a space is no letter
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyLetters(c.typed, c.keyCode, c.keymap), c.expected) << c.typed.toStdString();
}

TEST(KeyLetters, TheCaptionMarkedWithTheEarliestLetter) {
    const QStringList bar = {"&Файл", "&Правка", "&Вид", "Фо&рмат", "&Справка"};
    const QStringList clash = {"Tom && Jerry", "&Alpha", "&Фаза", "&Another"};
    const struct {
        const QStringList& captions;
        const char16_t* letters;
        int expected;
    } cases[] = {
        {bar, u"aф", 0},   {bar, u"hр", 3},   {bar, u"qй", -1},  {bar, u"", -1},
        {clash, u"aф", 1}, {clash, u"фa", 2}, {clash, u"j", -1}, // "&&" marks nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(captionForLetters(c.captions, QString::fromUtf16(c.letters)), c.expected)
            << QString::fromUtf16(c.letters).toStdString();
}

} // namespace
} // namespace quillet::keys
