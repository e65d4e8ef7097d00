// Files from other systems: lone LF breaks, very long lines and UTF-8 text open,
// edit and save back byte for byte; a text there is no memory for is refused
// without touching the open document; a 10 MB document opens whole and quickly.

#include "documents/line_breaks.h"
#include "documents/mdl_code.h"
#include "session/session_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace quillet::test {
namespace {

using BreakKinds = SessionTest;

void press(TextBlock& editor, Qt::Key key, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &e);
}

TEST_F(BreakKinds, UnixAndMixedFilesOpenEditUndoAndSaveByteForByte) {
    struct Case {
        const char* name;
        QByteArray file;
        int caret;
        std::function<void(TextBlock&)> edit;
        QByteArray edited; // the file after the edit and a save
    };
    const QByteArray unix = bytes(QStringLiteral("первая\nвторая\nтретья\n"));
    const QByteArray mixed = bytes(QStringLiteral("один\r\nдва\nтри\r\nчетыре\n\r\nпять"));
    const Case cases[] = {
        {"lf file, a key in the middle", unix, 10, [](TextBlock& e) { press(e, Qt::Key_X, "x"); },
         bytes(QStringLiteral("первая\nвтоxрая\nтретья\n\r\n"))},
        {"lf file, enter in the middle", unix, 10,
         [](TextBlock& e) { press(e, Qt::Key_Return, "\r"); },
         bytes(QStringLiteral("первая\nвто\r\nрая\nтретья\n\r\n"))},
        {"lf file, backspace at a line's start", unix, 7,
         [](TextBlock& e) { press(e, Qt::Key_Backspace); },
         bytes(QStringLiteral("перваявторая\nтретья\n\r\n"))},
        {"mixed file, backspace over a crlf", mixed, 15,
         [](TextBlock& e) { press(e, Qt::Key_Backspace); },
         bytes(QStringLiteral("один\r\nдва\nтричетыре\n\r\nпять\r\n"))},
        {"mixed file, a selection over lf and crlf typed over", mixed, 8,
         [](TextBlock& e) {
             e.setSelection(8, 19);
             press(e, Qt::Key_Z, "z");
         },
         bytes(QStringLiteral("один\r\nдвzре\n\r\nпять\r\n"))},
        {"mixed file, replace across breaks", mixed, 0,
         [](TextBlock& e) {
             e.setSelection(4, 15);
             e.replaceSelection(QStringLiteral("\nX\r\n"));
         },
         bytes(QStringLiteral("один\nX\r\nчетыре\n\r\nпять\r\n"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = openFile(QStringLiteral("file.txt"), c.file);
        const QString opened = editor().text();
        EXPECT_EQ(editor().textLength(), opened.size());
        editor().setSelection(c.caret, c.caret);
        c.edit(editor());
        ASSERT_TRUE(doc().TextChange);
        session().Save();
        EXPECT_EQ(readFile(p).toHex(' '), c.edited.toHex(' '));

        // Undo, then save: the file as it was (plus the CR LF every save ends with).
        while (editor().canUndo())
            editor().undo();
        EXPECT_EQ(editor().text(), opened);
        session().Save();
        const QByteArray original = c.file.endsWith("\r\n") ? c.file : c.file + "\r\n";
        EXPECT_EQ(readFile(p).toHex(' '), original.toHex(' '));
        EXPECT_TRUE(editor().breaksConsistent());
    }
}

TEST_F(BreakKinds, ALineWithNoBreaksOpensInParagraphsAndSavesBack) {
    QString line;
    for (int i = 0; line.size() < 30000; ++i)
        line += QStringLiteral("слово%1 ").arg(i);
    const QByteArray file = bytes(line) + "\r\n";
    const QString p = openFile(QStringLiteral("line.txt"), file);
    EXPECT_EQ(editor().textLength(), line.size());
    EXPECT_EQ(editor().text(), line);
    EXPECT_GE(editor().document()->blockCount(), line.size() / DisplayLineLimit);
    for (QTextBlock b = editor().document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length() - 1, DisplayLineLimit);

    doc().TextChange = true;
    session().Save();
    EXPECT_EQ(readFile(p), file);
}

using Utf8Files = SessionTest;

const QString Utf8Question =
    QStringLiteral("Файл записан в кодировке UTF-8.\r\nПреобразовать его текст в кодировку "
                   "Windows-1251?");

TEST_F(Utf8Files, AskedOnceWithWindowsTextOnly) {
    const QString russian = QStringLiteral("Съешь же ещё этих мягких французских булок.\nКонец");
    struct Case {
        const char* name;
        CodePage codePage;
        QByteArray file;
        std::optional<int> answer; // nothing: no question
        QString text;
    };
    const Case cases[] = {
        {"utf-8, yes", CodeWindows, russian.toUtf8(), answer::Yes, russian},
        {"utf-8, no keeps the bytes", CodeWindows, russian.toUtf8(), answer::No,
         decodeCp1251(russian.toUtf8())},
        {"utf-8 mark, yes", CodeWindows, "\xEF\xBB\xBF" + russian.toUtf8(), answer::Yes, russian},
        {"windows-1251 cyrillic is not asked about", CodeWindows, bytes(russian), std::nullopt,
         russian},
        {"dos text is not asked about", CodeDos, russian.toUtf8(), std::nullopt,
         ConvertCodePage(decodeCp1251(russian.toUtf8()), CodeDos, CodeWindows)},
        {"koi text is not asked about", CodeKoi, russian.toUtf8(), std::nullopt,
         ConvertCodePage(decodeCp1251(russian.toUtf8()), CodeKoi, CodeWindows)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.shown.clear();
        options().selectOpeningCodePage(c.codePage);
        if (c.answer)
            platform.answerMessage(*c.answer);
        const QString p = openFile(QStringLiteral("utf8.txt"), c.file);
        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(messages[0].text, Utf8Question);
            EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[0].icon, MsgIcon::Question);
            EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(messages[0].defaultButton, answer::Yes);
        }
        EXPECT_EQ(editor().text(), c.text);
        EXPECT_FALSE(doc().TextChange);
        EXPECT_TRUE(doc().FileExist);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // Saved as Windows-1251, like a DOS or KOI file.
        doc().TextChange = true;
        session().Save();
        EXPECT_EQ(readFile(p), bytes(c.text) + "\r\n");
    }
}

// Printing from the command line asks nothing: its request converts UTF-8 as a
// Yes would.
TEST_F(Utf8Files, ARequestCanConvertWithoutAsking) {
    const QString russian = QStringLiteral("Печать: ёлка");
    writeFile(path("u.txt"), russian.toUtf8());
    OpenRequest request{OpenOrigin::CommandLine, path("u.txt")};
    request.ConvertUtf8WithoutAsking = true;
    EXPECT_TRUE(session().OpenFile(request));
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(editor().text(), russian);

    request.ConvertUtf8WithoutAsking = false;
    platform.answerMessage(answer::No);
    EXPECT_TRUE(session().OpenFile(request));
    EXPECT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(editor().text(), decodeCp1251(russian.toUtf8()));
}

using MemoryFailures = SessionTest;

TEST_F(MemoryFailures, AnOpenThereIsNoMemoryForLeavesTheDocumentAsItWas) {
    const QString kept = openText(QStringLiteral("kept.txt"), QStringLiteral("старый текст"));
    doc().TextChange = false;
    const QString before = caption();
    // Room for about a thousand characters only.
    platform.memory = MemoryStatus{8ull << 30, 8000};
    const QString big = path(QStringLiteral("big.txt"));
    platform.answerOpen(big);
    writeFile(big, QByteArray(5000, 'a'));
    session().Open();
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, openFailureMessage({OpenOrigin::Dialog, big}, err::OutOfMemory));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(failures().recorded(err::OutOfMemory));
    EXPECT_EQ(editor().text(), QStringLiteral("старый текст"));
    EXPECT_EQ(doc().CommonFileName, kept);
    EXPECT_EQ(caption(), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The recent document says the same in its own words.
    platform.shown.clear();
    doc().RecentFileString = big;
    session().OpenRecent();
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].text,
              openFailureMessage({OpenOrigin::Recent, big}, err::OutOfMemory));
    EXPECT_EQ(editor().text(), QStringLiteral("старый текст"));
}

using LargeFile = SessionTest;

TEST_F(LargeFile, TenMegabytesOpenWholeAndSaveBack) {
    // Lines of 80 Cyrillic and Latin bytes, CR LF, a lone LF now and then.
    QByteArray line;
    for (int i = 0; i < 80; ++i)
        line += static_cast<char>(i % 2 ? 0xC0 + i % 64 : 'a' + i % 26);
    QByteArray file;
    file.reserve(10 << 20);
    for (int i = 0; file.size() < (10 << 20); ++i)
        file += line + (i % 100 == 0 ? "\n" : "") + "\r\n";
    const QString p = path(QStringLiteral("big.txt"));
    writeFile(p, file);

    options().LenEn = false;
    QElapsedTimer timer;
    timer.start();
    platform.answerOpen(p);
    session().Open();
    const qint64 openMs = timer.elapsed();
    std::printf("opening %lld bytes took %lld ms\n", static_cast<long long>(file.size()),
                static_cast<long long>(openMs));
    RecordProperty("open_ms", static_cast<int>(openMs));

    EXPECT_EQ(editor().textLength(), file.size() - 2);
    EXPECT_TRUE(doc().FileExist);

    timer.restart();
    doc().TextChange = true;
    session().Save();
    std::printf("saving took %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_EQ(readFile(p), file);
    // Generous: a shared, busy machine must not make this fail.
    EXPECT_LT(openMs, 20000);
}

} // namespace
} // namespace quillet::test
