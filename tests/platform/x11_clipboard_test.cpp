#include "platform/x11_clipboard.h"

#include <gtest/gtest.h>

using namespace quillet;

TEST(X11Clipboard, TextIsAskedForInTheBestFormOffered) {
    struct Case {
        QByteArrayList offered;
        QByteArray chosen;
    };
    const Case cases[] = {
        {{"TARGETS", "STRING", "UTF8_STRING"}, "UTF8_STRING"},
        {{"text/plain", "text/plain;charset=utf-8"}, "text/plain;charset=utf-8"},
        {{"TEXT", "STRING"}, "STRING"},
        {{"TIMESTAMP", "TEXT"}, "TEXT"},
        {{"TARGETS", "image/png"}, ""},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseTextTarget(c.offered), c.chosen) << c.offered.join(' ').toStdString();
}

TEST(X11Clipboard, TheTextIsDecodedByItsType) {
    struct Case {
        const char* type;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"UTF8_STRING", "\xd0\xbc\xd0\xb8\xd1\x80\n2", QStringLiteral("мир\n2")},
        {"text/plain;charset=utf-8", "\xd0\xbc\xd0\xb8\xd1\x80", QStringLiteral("мир")},
        {"STRING", "caf\xe9", QStringLiteral("café")},
        {"", "caf\xe9", QStringLiteral("café")},
        {"UTF8_STRING", QByteArray("abc\0\0", 5), QStringLiteral("abc")},
        {"STRING", QByteArray("a\0b", 3), QString::fromLatin1("a\0b", 3)},
        {"UTF8_STRING", "", QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectionText(c.type, c.bytes), c.text) << c.type;
}
