// Files from other systems: lone LF breaks, very long lines and UTF-8 text open,
// edit and save back byte for byte; the screen shows what a save wrote; a text
// there is no memory for is refused without touching the open document.

#include "documents/buffer_limit.h"
#include "documents/document_fixture.h"
#include "documents/line_breaks.h"
#include "documents/mdl_code.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <functional>

namespace quillet::test {
namespace {

using BreakKinds = DocumentTest;

void press(FrmMain& w, Qt::Key key, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w.textBlock(), &e);
}

TEST_F(BreakKinds, UnixAndMixedFilesOpenEditUndoAndSaveByteForByte) {
    struct Case {
        const char* name;
        QByteArray file;
        int caret;
        std::function<void(FrmMain&)> edit;
        QByteArray edited; // the file after the edit and a save
    };
    const QByteArray unix = bytes(QStringLiteral("первая\nвторая\nтретья\n"));
    const QByteArray mixed = bytes(QStringLiteral("один\r\nдва\nтри\r\nчетыре\n\r\nпять"));
    const Case cases[] = {
        {"lf file, a key in the middle", unix, 10, [](FrmMain& w) { press(w, Qt::Key_X, "x"); },
         bytes(QStringLiteral("первая\nвтоxрая\nтретья\n\r\n"))},
        {"lf file, enter in the middle", unix, 10,
         [](FrmMain& w) { press(w, Qt::Key_Return, "\r"); },
         bytes(QStringLiteral("первая\nвто\r\nрая\nтретья\n\r\n"))},
        {"lf file, backspace at a line's start", unix, 7,
         [](FrmMain& w) { press(w, Qt::Key_Backspace); },
         bytes(QStringLiteral("перваявторая\nтретья\n\r\n"))},
        {"mixed file, backspace over a crlf", mixed, 15,
         [](FrmMain& w) { press(w, Qt::Key_Backspace); },
         bytes(QStringLiteral("один\r\nдва\nтричетыре\n\r\nпять\r\n"))},
        {"mixed file, a selection over lf and crlf typed over", mixed, 8,
         [](FrmMain& w) {
             w.textBlock()->setSelection(8, 19);
             press(w, Qt::Key_Z, "z");
         },
         bytes(QStringLiteral("один\r\nдвzре\n\r\nпять\r\n"))},
        {"mixed file, replace across breaks", mixed, 0,
         [](FrmMain& w) {
             w.textBlock()->setSelection(4, 15);
             w.textBlock()->replaceSelection(QStringLiteral("\nX\r\n"));
         },
         bytes(QStringLiteral("один\nX\r\nчетыре\n\r\nпять\r\n"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = openFile(QStringLiteral("file.txt"), c.file);
        const QString opened = w().textBlock()->text();
        EXPECT_EQ(w().textBlock()->textLength(), opened.size());
        w().textBlock()->setSelection(c.caret, c.caret);
        c.edit(w());
        ASSERT_TRUE(w().document().TextChange);
        w().mnuSave_Click();
        EXPECT_EQ(readFile(p).toHex(' '), c.edited.toHex(' '));

        // Undo, then save: the file as it was (plus the CR LF every save ends with).
        while (w().textBlock()->canUndo())
            w().textBlock()->undo();
        EXPECT_EQ(w().textBlock()->text(), opened);
        w().mnuSave_Click();
        const QByteArray original = c.file.endsWith("\r\n") ? c.file : c.file + "\r\n";
        EXPECT_EQ(readFile(p).toHex(' '), original.toHex(' '));
        EXPECT_TRUE(w().textBlock()->breaksConsistent());
    }
}

TEST_F(BreakKinds, ALineWithNoBreaksOpensInParagraphsAndSavesBack) {
    QString line;
    for (int i = 0; line.size() < 30000; ++i)
        line += QStringLiteral("слово%1 ").arg(i);
    const QByteArray file = bytes(line) + "\r\n";
    const QString p = openFile(QStringLiteral("line.txt"), file);
    TextBlock& tb = *w().textBlock();
    EXPECT_EQ(tb.textLength(), line.size());
    EXPECT_GE(tb.document()->blockCount(), line.size() / DisplayLineLimit);
    for (QTextBlock b = tb.document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length() - 1, DisplayLineLimit);

    // Find a phrase that spans the first cut.
    const int cut = tb.document()->findBlockByNumber(1).position() - 1;
    const QString phrase = line.mid(cut - 5, 10);
    h.platform.answerDialog([&](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TF1"))->setText(phrase);
        d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return 0;
    });
    w().mnuFind_Click();
    EXPECT_EQ(tb.selStart(), cut - 5);
    EXPECT_EQ(tb.selLength(), 10);
    EXPECT_EQ(tb.selText(), phrase);

    // Go to a character past the third cut.
    const int third = tb.document()->findBlockByNumber(3).position() - 3;
    h.platform.answerDialog([&](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TG1"))->setText(QString::number(third + 2));
        d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return 0;
    });
    w().mnuGoTo_Click();
    EXPECT_EQ(tb.selStart(), third + 1);
    EXPECT_EQ(tb.selText(), line.mid(third + 1, 1));

    w().document().TextChange = true;
    w().mnuSave_Click();
    EXPECT_EQ(readFile(p), file);
}

using Utf8Files = DocumentTest;

const QString Utf8Question =
    QStringLiteral("Файл записан в кодировке UTF-8.\r\nПреобразовать его текст в кодировку "
                   "Windows-1251?");

TEST_F(Utf8Files, AskedOnceWithWindowsTextOnly) {
    const QString russian = QStringLiteral("Съешь же ещё этих мягких французских булок.\nКонец");
    struct Case {
        const char* name;
        void (FrmMain::*codePage)();
        QByteArray file;
        std::optional<int> answer; // nothing: no question
        QString text;
    };
    const Case cases[] = {
        {"utf-8, yes", &FrmMain::mnuCodeWin_Click, russian.toUtf8(), answer::Yes, russian},
        {"utf-8, no keeps the bytes", &FrmMain::mnuCodeWin_Click, russian.toUtf8(), answer::No,
         decodeCp1251(russian.toUtf8())},
        {"utf-8 mark, yes", &FrmMain::mnuCodeWin_Click, "\xEF\xBB\xBF" + russian.toUtf8(),
         answer::Yes, russian},
        {"windows-1251 cyrillic is not asked about", &FrmMain::mnuCodeWin_Click, bytes(russian),
         std::nullopt, russian},
        {"dos text is not asked about", &FrmMain::mnuCodeDos_Click, russian.toUtf8(), std::nullopt,
         ConvertCodePage(decodeCp1251(russian.toUtf8()), CodeDos, CodeWindows)},
        {"koi text is not asked about", &FrmMain::mnuCodeKoi_Click, russian.toUtf8(), std::nullopt,
         ConvertCodePage(decodeCp1251(russian.toUtf8()), CodeKoi, CodeWindows)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.platform.shown.clear();
        (w().*c.codePage)();
        if (c.answer)
            h.platform.answerMessage(*c.answer);
        const QString p = openFile(QStringLiteral("utf8.txt"), c.file);
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(messages[0].text, Utf8Question);
            EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[0].icon, MsgIcon::Question);
            EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(messages[0].defaultButton, answer::Yes);
        }
        EXPECT_EQ(w().textBlock()->text(), c.text);
        EXPECT_FALSE(w().document().TextChange);
        EXPECT_TRUE(w().document().FileExist);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // Saved as Windows-1251, like a DOS or KOI file.
        w().document().TextChange = true;
        w().mnuSave_Click();
        EXPECT_EQ(readFile(p), bytes(c.text) + "\r\n");
    }
}

TEST_F(Utf8Files, PrintingFromTheCommandLineConvertsWithoutAsking) {
    const QString russian = QStringLiteral("Печать: ёлка");
    writeFile(path("u.txt"), russian.toUtf8());
    for (const char* sw : {" /P", ""}) {
        Harness other;
        if (*sw == '\0')
            other.platform.answerMessage(answer::No);
        other.load(path("u.txt") + QLatin1String(sw));
        EXPECT_EQ(other.platform.messages().size(), *sw ? 0u : 1u) << sw;
        EXPECT_EQ(other->textBlock()->text(), *sw ? russian : decodeCp1251(russian.toUtf8())) << sw;
        EXPECT_EQ(other.platform.unusedAnswers(), 0);
    }
}

using ScreenAfterSave = DocumentTest;

TEST_F(ScreenAfterSave, TheEditorShowsTheQuestionMarksTheFileGot) {
    const QString text = QStringLiteral("смайлик \U0001F600 и 中文\r\nконец");
    struct Case {
        const char* name;
        bool saveAs;
    };
    for (const Case c : {Case{"save", false}, Case{"save as", true}}) {
        SCOPED_TRACE(c.name);
        QString p = openText(QStringLiteral("s.txt"), text);
        if (c.saveAs) {
            p = path(QStringLiteral("other.txt"));
            h.platform.answerSave(p);
        }
        h.platform.answerMessage(answer::Yes); // replace them by '?'
        if (c.saveAs)
            w().mnuSaveAs_Click();
        else
            w().mnuSave_Click();
        const QString shown = QStringLiteral("смайлик ? и ??\r\nконец");
        EXPECT_EQ(readFile(p), bytes(shown) + "\r\n");
        EXPECT_EQ(w().textBlock()->text(), shown);
        EXPECT_FALSE(w().document().TextChange);
        // Undo brings the characters back, and the document differs from the file.
        ASSERT_TRUE(w().textBlock()->canUndo());
        w().mnuUndo_Click();
        EXPECT_EQ(w().textBlock()->text(), text);
        EXPECT_TRUE(w().document().TextChange);
        w().document().TextChange = false;
    }
}

using MemoryFailures = DocumentTest;

TEST_F(MemoryFailures, AnOpenThereIsNoMemoryForLeavesTheDocumentAsItWas) {
    const QString kept = openText(QStringLiteral("kept.txt"), QStringLiteral("старый текст"));
    w().document().TextChange = false;
    const QString before = caption();
    // Room for about a thousand characters only.
    h.platform.memory = MemoryStatus{8ull << 30, 8000};
    const QString big = path(QStringLiteral("big.txt"));
    h.platform.answerOpen(big);
    writeFile(big, QByteArray(5000, 'a'));
    w().mnuOpen_Click();
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, big + QStringLiteral("\r\nНе удаётся открыть файл.\r\nДля его "
                                                     "текста недостаточно памяти."));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=7")));
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("старый текст"));
    EXPECT_EQ(w().document().CommonFileName, kept);
    EXPECT_EQ(caption(), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The recent document says the same in its own words.
    h.platform.shown.clear();
    w().document().RecentFileString = big;
    w().mnuRecent_Click();
    ASSERT_EQ(h.platform.messages().size(), 1u);
    EXPECT_EQ(h.platform.messages()[0].text,
              QStringLiteral("Невозможно открыть последний документ.\r\nДля его текста "
                             "недостаточно памяти."));
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("старый текст"));
}

TEST_F(MemoryFailures, ASaveThereIsNoMemoryForWritesNothingAndKeepsTheDocument) {
    const QString p = openFile(QStringLiteral("doc.txt"), "old file");
    w().textBlock()->setText(QStringLiteral("new text that needs a buffer"));
    ASSERT_TRUE(w().document().TextChange);
    setBufferLimit(10);
    w().mnuSave_Click();
    setBufferLimit(-1);
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              p + QStringLiteral("\r\nНедостаточно памяти. Документ не сохранён."));
    EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=7")));
    EXPECT_EQ(readFile(p), QByteArray("old file"));
    // The temporary the save had begun is gone.
    const QStringList left = QDir(QFileInfo(p).path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.filter(QStringLiteral(".quillet-save-")).isEmpty())
        << left.join(' ').toStdString();
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("new text that needs a buffer"));
    EXPECT_TRUE(w().document().TextChange);
    EXPECT_TRUE(w().document().FileExist);
}

} // namespace
} // namespace quillet::test
