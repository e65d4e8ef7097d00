// Every Windows-1251 byte survives opening, editing elsewhere in the document and
// saving: the no-break space 0xA0, the unassigned 0x98 and the control bytes too.

#include "editing/case_date.h"
#include "session/session_fixture.h"

#include <QTest>

#include <functional>

namespace quillet::test {
namespace {

using RoundTrip = SessionTest;

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

    // The edits the commands make: a key, "Все прописные", a replacement as
    // "Заменить" makes it, "Время и дата".
    struct Case {
        const char* name;
        std::function<void(TextBlock&)> edit;
        QByteArray expected;
    };
    const Case cases[] = {
        {"a key typed at the start",
         [](TextBlock& e) {
             e.setSelStart(0);
             QTest::keyClick(&e, Qt::Key_X);
         },
         "x" + original},
        {"capitals on the last line only",
         [](TextBlock& e) {
             const int end = e.textLength();
             e.setSelection(end - 11, end);
             ConvertSelectedCase(e, toCapitals);
         },
         body + bytes(QStringLiteral("СЛОВО КОНЕЦ\r\n"))},
        {"one word replaced",
         [](TextBlock& e) {
             const int at = static_cast<int>(e.text().indexOf(QStringLiteral("слово")));
             e.setSelection(at, at + 5);
             e.replaceSelection(QStringLiteral("дело"));
         },
         body + bytes(QStringLiteral("дело конец\r\n"))},
        {"time stamp typed at the end",
         [](TextBlock& e) {
             e.setSelStart(e.textLength());
             InsertTimeDate(e, QDateTime(QDate(2026, 12, 6), QTime(9, 5)));
         },
         original.left(original.size() - 2) + "09:05 06.12.2026\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = openFile(QStringLiteral("bytes.txt"), original);
        ASSERT_EQ(doc().CommonFileName, p);
        c.edit(editor());
        ASSERT_TRUE(doc().TextChange);
        session().Save();
        EXPECT_EQ(readFile(p).toHex(' '), c.expected.toHex(' '));
        EXPECT_FALSE(doc().TextChange);
    }
}

} // namespace
} // namespace quillet::test
