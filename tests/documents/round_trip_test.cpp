// Every Windows-1251 byte survives opening, editing elsewhere in the document and
// saving: the no-break space 0xA0, the unassigned 0x98 and the control bytes too.

#include "documents/document_fixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace quillet::test {
namespace {

using RoundTrip = DocumentTest;

// All 256 byte values on lines of 16, CR LF between the lines; a lone CR would be
// turned into a line break by design, so 0x0D stands only inside a CR LF.
QByteArray everyByte() {
    QByteArray file;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r')
            continue;
        file += static_cast<char>(b);
        if (b % 16 == 15)
            file += "\r\n";
    }
    return file + bytes(QStringLiteral("слово конец\r\n"));
}

TEST_F(RoundTrip, EditsElsewhereKeepEveryOtherByte) {
    const QByteArray original = everyByte();
    ASSERT_FALSE(original.contains("\r\r"));
    const QByteArray body = original.left(original.size() - 13); // before "слово конец"

    struct Case {
        const char* name;
        std::function<void(FrmMain&, ScriptedPlatform&)> edit;
        QByteArray expected;
    };
    const Case cases[] = {
        {"a key typed at the start",
         [](FrmMain& w, ScriptedPlatform&) {
             w.textBlock()->setSelStart(0);
             QTest::keyClick(w.textBlock(), Qt::Key_X);
         },
         "x" + original},
        {"capitals on the last line only",
         [](FrmMain& w, ScriptedPlatform&) {
             const int end = w.textBlock()->textLength();
             w.textBlock()->setSelection(end - 11, end);
             w.mnuCaps_Click();
         },
         body + bytes(QStringLiteral("СЛОВО КОНЕЦ\r\n"))},
        {"one word replaced",
         [](FrmMain& w, ScriptedPlatform& platform) {
             platform.answerDialog([](QDialog& d) {
                 d.findChild<QLineEdit*>(QStringLiteral("TF1"))->setText(QStringLiteral("слово"));
                 d.findChild<QLineEdit*>(QStringLiteral("TF2"))->setText(QStringLiteral("дело"));
                 d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
                 return 0;
             });
             w.mnuRepl_Click();
         },
         body + bytes(QStringLiteral("дело конец\r\n"))},
        {"time stamp typed at the end",
         [](FrmMain& w, ScriptedPlatform& platform) {
             platform.clock = QDateTime(QDate(2026, 12, 6), QTime(9, 5));
             w.textBlock()->setSelStart(w.textBlock()->textLength());
             w.mnuTimeDate_Click();
         },
         original.left(original.size() - 2) + "09:05 06.12.2026\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = openFile(QStringLiteral("bytes.txt"), original);
        ASSERT_EQ(w().document().CommonFileName, p);
        c.edit(w(), h.platform);
        ASSERT_TRUE(w().document().TextChange);
        w().mnuSave_Click();
        EXPECT_EQ(readFile(p).toHex(' '), c.expected.toHex(' '));
        EXPECT_FALSE(w().document().TextChange);
    }
}

} // namespace
} // namespace quillet::test
