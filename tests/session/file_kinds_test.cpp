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
         bytes(QStringLiteral("первая\nвтоxрая\nтретья\n"))},
        {"lf file, enter in the middle", unix, 10,
         [](TextBlock& e) { press(e, Qt::Key_Return, "\r"); },
         bytes(QStringLiteral("первая\nвто\nрая\nтретья\n"))},
        {"lf file, text with crlf pasted", unix, 6,
         [](TextBlock& e) { e.pasteText(QStringLiteral("a\r\nb")); },
         bytes(QStringLiteral("перваяa\nb\nвторая\nтретья\n"))},
        {"lf file, backspace at a line's start", unix, 7,
         [](TextBlock& e) { press(e, Qt::Key_Backspace); },
         bytes(QStringLiteral("перваявторая\nтретья\n"))},
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

        // Undo, then save: the file as it was (a file without a final break
        // gains one).
        while (editor().canUndo())
            editor().undo();
        EXPECT_EQ(editor().text(), opened);
        session().Save();
        const QByteArray original = c.file.endsWith("\n") ? c.file : c.file + "\r\n";
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

TEST_F(Utf8Files, StayUtf8WithoutAQuestionAndOtherCyrillicTextIsNeverTakenForIt) {
    const QString russian = QStringLiteral("Съешь же ещё этих мягких французских булок.\nКонец");
    const auto in = [&](CodePage page) {
        QByteArray b = bytes(russian);
        ConvertCodePageBytes(b, CodeWindows, page);
        return b;
    };
    const QByteArray mark("\xEF\xBB\xBF");
    struct Case {
        const char* name;
        CodePage codePage;
        QByteArray file;
        QByteArray saved; // after an edit is undone
        QString format;
    };
    const Case cases[] = {
        {"utf-8", CodeWindows, russian.toUtf8(), russian.toUtf8() + "\n",
         QStringLiteral("UTF-8, LF")},
        {"utf-8 with dos chosen", CodeDos, russian.toUtf8(), russian.toUtf8() + "\n",
         QStringLiteral("UTF-8, LF")},
        {"utf-8 with the mark", CodeKoi, mark + russian.toUtf8(), mark + russian.toUtf8() + "\n",
         QStringLiteral("UTF-8 с меткой, LF")},
        {"windows-1251", CodeWindows, bytes(russian), bytes(russian) + "\n",
         QStringLiteral("Windows-1251, LF")},
        {"dos, written as windows-1251", CodeDos, in(CodeDos), bytes(russian) + "\n",
         QStringLiteral("Windows-1251, LF")},
        {"koi, written as windows-1251", CodeKoi, in(CodeKoi), bytes(russian) + "\n",
         QStringLiteral("Windows-1251, LF")},
    };
    QString shownFormat;
    QObject::connect(&session(), &DocumentSession::formatChanged,
                     [&](const QString& f) { shownFormat = f; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options().selectOpeningCodePage(c.codePage);
        const QString p = openFile(QStringLiteral("utf8.txt"), c.file);
        EXPECT_TRUE(platform.messages().empty());
        EXPECT_EQ(editor().text(), russian);
        EXPECT_EQ(shownFormat, c.format);
        EXPECT_TRUE(doc().FileExist);
        // Characters Windows-1251 lacks are no question in a UTF-8 document.
        editor().setSelStart(0);
        editor().replaceSelection(QStringLiteral("\U0001F600"));
        if (!doc().format.utf8())
            platform.answerMessage(answer::No);
        session().Save();
        EXPECT_EQ(platform.messages().size(), doc().format.utf8() ? 0u : 1u);
        platform.shown.clear();
        editor().undo();
        session().Save();
        EXPECT_EQ(readFile(p).toHex(' '), c.saved.toHex(' '));
    }
}

TEST_F(Utf8Files, SaveAsKeepsTheFormatAndANewDocumentIsWindows1251WithCrLf) {
    const QByteArray file = QStringLiteral("ёлка\nпалка").toUtf8();
    openFile(QStringLiteral("u.txt"), file);
    platform.answerSave(path("copy.txt"));
    session().SaveAs();
    EXPECT_EQ(readFile(path("copy.txt")), file + "\n");

    session().New();
    editor().setText(QStringLiteral("ёлка"));
    press(editor(), Qt::Key_Return, "\r");
    platform.answerSave(path("new.txt"));
    session().SaveAs();
    EXPECT_EQ(readFile(path("new.txt")), bytes(QStringLiteral("\r\nёлка")) + "\r\n");
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
