// How a document goes back into its file: the format's description, the
// stand-ins of the characters the editor takes for structure, and UTF-8.

#include "documents/file_format.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(FileFormat, TheStatusBarSaysTheEncodingAndTheBreak) {
    using E = TextEncoding;
    using B = LineBreak;
    struct Case {
        FileFormat format;
        const char16_t* text;
    };
    const Case cases[] = {
        {{}, u"Windows-1251, CR LF"},
        {{E::Utf8, B::Lf, B::Lf}, u"UTF-8, LF"},
        {{E::Utf8WithMark, B::CrLf, B::Lf}, u"UTF-8 с меткой, CR LF"},
        {{E::Windows1251, B::Lf, B::CrLf}, u"Windows-1251, LF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describeFileFormat(c.format), QString::fromUtf16(c.text));
}

TEST(StandIns, TextFromOutsideAndBackForOtherPrograms) {
    const QChar pair[] = {QChar(0xD83D), QChar(0xDE00)};
    const QString emoji(pair, 2);
    struct Case {
        const char* name;
        QString outside;
        QString editor;
        QString back; // what other programs get of the editor text
    };
    const Case cases[] = {
        {"plain text is untouched", QStringLiteral("абв\tx"), QStringLiteral("абв\tx"),
         QStringLiteral("абв\tx")},
        {"structure characters", QStringLiteral("a\u2028b\u2029c\uFDD0d\uFDD1"),
         QStringLiteral("a") + QChar(0xDC00) + u'b' + QChar(0xDC01) + u'c' + QChar(0xDC02) + u'd' +
             QChar(0xDC03),
         QStringLiteral("a\u2028b\u2029c\uFDD0d\uFDD1")},
        {"a pair is kept", emoji + u'x', emoji + u'x', emoji + u'x'},
        {"lone surrogates would pass for stand-ins", QString(QChar(0xDC80)) + QChar(0xD800),
         QStringLiteral("\uFFFD\uFFFD"), QStringLiteral("\uFFFD\uFFFD")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toEditorText(c.outside), c.editor) << c.name;
        EXPECT_EQ(fromEditorText(c.editor), c.back) << c.name;
    }
    // A byte's stand-in is no character other programs know.
    EXPECT_EQ(fromEditorText(QString(QChar(byteStandIn(0xC0))) + u'a'), QStringLiteral("\uFFFDa"));
}

TEST(Utf8Writing, AgreesWithQtAndGivesBackWhatTheStandInsHold) {
    QRandomGenerator random(11);
    for (int round = 0; round < 200; ++round) {
        QString text;
        for (int i = random.bounded(0, 40); i > 0; --i) {
            char32_t c = random.bounded(1, 0x10FFFF);
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFDD0 + (c & 1); // structure characters instead of surrogates
            text += QString::fromUcs4(&c, 1);
        }
        QByteArray out("x");
        appendUtf8(out, toEditorText(text));
        EXPECT_EQ(out, "x" + text.toUtf8());
        EXPECT_EQ(measureUtf8(toEditorText(text)), text.toUtf8().size());
    }
    QByteArray bytes;
    appendUtf8(bytes, QString(QChar(byteStandIn(0xFF))) + QChar(byteStandIn(0x80)) + u'я');
    EXPECT_EQ(bytes, QByteArray("\xFF\x80\xD1\x8F"));
}

} // namespace
} // namespace quillet
