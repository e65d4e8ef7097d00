// Saving: Save writes the document to its file, Save As asks for a name; the
// bytes written, the questions and messages, and what a failed save leaves.

#include "documents/buffer_limit.h"
#include "session/session_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace quillet::test {
namespace {

const QString AccessText = QStringLiteral("Не удаётся получить доступ к указанному файлу.");
const QString LossyText =
    QStringLiteral("Документ содержит символы, которые нельзя сохранить в кодировке "
                   "Windows-1251.\r\nОни будут заменены знаком ''?''. Продолжить сохранение?");

using Saving = SessionTest;

TEST_F(Saving, WritesTheTextWithAFinalLineBreakAndReadsItBack) {
    struct Case {
        QString text;
        QByteArray file;
    };
    const Case cases[] = {
        {QStringLiteral("a\r\nb"), "a\r\nb\r\n"},
        {QString(), "\r\n"},
        {QStringLiteral("Привет, мир"), "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0\r\n"},
        {QStringLiteral("x\ny"), "x\ny\r\n"}, // a lone LF is written back as it came
        {QStringLiteral("a\r\n\r\n"), "a\r\n\r\n\r\n"},
    };
    for (const Case& c : cases) {
        const QString p = openText(QStringLiteral("doc.txt"), c.text);
        // A saved document becomes the recent one again (after the recent one
        // failed to open, say).
        doc().RecentFileString.clear();
        session().Save();
        EXPECT_EQ(readFile(p), c.file) << c.text.toStdString();
        EXPECT_FALSE(doc().TextChange);
        EXPECT_FALSE(doc().NewDoc);
        EXPECT_EQ(doc().RecentFileString, p);

        platform.answerOpen(p);
        session().Open();
        EXPECT_EQ(editor().text(), c.text) << c.text.toStdString();
    }
}

// Enter and Shift+Enter both show a line break; both are saved as one, with no
// question about characters the code page cannot hold.
TEST_F(Saving, KeyedLineBreaksAreSavedAsLineBreaks) {
    struct Case {
        const char* name;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {{"Enter", Qt::NoModifier}, {"Shift+Enter", Qt::ShiftModifier}};
    for (const Case& c : cases) {
        const QString p = openText(QStringLiteral("keys.txt"), QStringLiteral("ab"));
        editor().setSelStart(1);
        QTest::keyClick(&editor(), Qt::Key_Return, c.modifiers);
        const int asked = count("message");
        session().Save();
        EXPECT_EQ(count("message"), asked) << c.name;
        EXPECT_EQ(readFile(p), QByteArray("a\r\nb\r\n")) << c.name;
        EXPECT_FALSE(doc().TextChange) << c.name;
    }
}

TEST_F(Saving, EveryByteSurvivesOpenAndSave) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString p = openFile(QStringLiteral("bytes.dat"), all);
    session().Save();
    // The lone CR (followed by 0x0E) ends a line and comes back as CR LF; the
    // first break is a lone LF, so the final break added is one. Nothing else
    // changes.
    QByteArray expected = all;
    expected.replace("\r", "\r\n");
    expected += "\n";
    EXPECT_EQ(readFile(p), expected);
}

TEST_F(Saving, DocumentsAreAlwaysSavedAsWindows1251) {
    const QByteArray windows = "\xCF\xF0\xE8\xE2\xE5\xF2";
    struct Case {
        CodePage opening;
        QByteArray file;
        QString shown;
        QByteArray saved;
    };
    const Case cases[] = {
        {CodeDos, "\x8F\xE0\xA8\xA2\xA5\xE2", QStringLiteral("Привет"), windows},
        {CodeKoi, "\xF0\xD2\xC9\xD7\xC5\xD4", QStringLiteral("Привет"), windows},
        {CodeWindows, windows, QStringLiteral("Привет"), windows},
        // With Windows chosen the bytes are taken as they are.
        {CodeWindows, "\x8F\xE0", decodeCp1251(QByteArray("\x8F\xE0")), "\x8F\xE0"},
    };
    for (const Case& c : cases) {
        options().selectOpeningCodePage(c.opening);
        const QString p = openFile(QStringLiteral("cyr.txt"), c.file);
        EXPECT_EQ(editor().text(), c.shown);
        editor().setText(editor().text()); // edited
        session().Save();
        EXPECT_EQ(readFile(p), c.saved + "\r\n");
    }
}

TEST_F(Saving, SaveOnAnUntitledDocumentAsksForAName) {
    for (const bool filter : {false, true}) {
        platform.shown.clear();
        doc().TextChange = false;
        session().New();
        options().LimType = filter;
        type(QStringLiteral("текст"));
        const QString p = path(filter ? QStringLiteral("b.txt") : QStringLiteral("a.txt"));
        platform.answerSave(p);
        session().Save();

        const Shown* dialog = last("save");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->file.title, QStringLiteral("Сохранить как"));
        EXPECT_EQ(dialog->file.initialName, QStringLiteral("Документ"));
        const QStringList filters = filter ? QStringList{QStringLiteral("Текстовые файлы (*.txt)")}
                                           : QStringList{QStringLiteral("Текстовые файлы (*.txt)"),
                                                         QStringLiteral("Все файлы (*)")};
        EXPECT_EQ(dialog->file.filters, filters);
        EXPECT_EQ(dialog->file.filterIndex, 1);
        EXPECT_TRUE(dialog->file.confirmOverwrite);
        EXPECT_TRUE(dialog->file.refuseReadOnly);

        EXPECT_EQ(readFile(p), bytes(QStringLiteral("текст\r\n")));
        EXPECT_EQ(doc().CommonFileName, p);
        EXPECT_EQ(doc().RecentFileString, p);
        EXPECT_FALSE(doc().NewDoc);
        EXPECT_TRUE(doc().FileExist);
        EXPECT_FALSE(doc().TextChange);
        EXPECT_EQ(caption(),
                  filter ? QStringLiteral("b - Квиллет") : QStringLiteral("a.txt - Квиллет"));
        // The document is now that file: the next Save writes there and asks nothing.
        type(QStringLiteral("!"));
        session().Save();
        EXPECT_EQ(count("save"), 1);
        EXPECT_EQ(readFile(p), bytes(QStringLiteral("текст!\r\n")));
    }
}

TEST_F(Saving, SaveAsOffersDocumentEveryTimeAndCancelChangesNothing) {
    const QString p = openText(QStringLiteral("letter.txt"), QStringLiteral("changed"));
    const QString before = caption();
    platform.answerSave(std::nullopt);
    session().SaveAs();
    EXPECT_EQ(last("save")->file.initialName, QStringLiteral("Документ"));
    EXPECT_TRUE(doc().TextChange);
    EXPECT_TRUE(doc().FileExist);
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_EQ(caption(), before);
    EXPECT_EQ(readFile(p), QByteArray("seed"));
    EXPECT_TRUE(platform.messages().empty());
}

// Whatever the reason a Save fails, the user is told it first, and only then
// asked for another place.
TEST_F(Saving, AFailedSaveReportsAndOffersSaveAs) {
    struct Case {
        const char* name;
        QString target; // made unwritable below
        int number;
        QString reason;
    };
    writeFile(path("plain"), "not a folder");
    const QString missingFolder = QStringLiteral("Не удаётся найти путь к документу.");
    const Case cases[] = {
        {"a folder in the file's place", path("dirdoc.txt"), err::PathFileAccess, AccessText},
        {"a file in the folder's place", path("plain/doc.txt"), err::PathNotFound, missingFolder},
        {"the folder was deleted", path("gone/doc.txt"), err::PathNotFound, missingFolder},
    };
    for (const Case& c : cases) {
        platform.shown.clear();
        const QString seeded = openText(QStringLiteral("good.txt"), QStringLiteral("keep me"));
        QFile::remove(seeded);
        // The document now claims a file that cannot be written.
        doc().CommonFileName = c.target;
        if (c.number == err::PathFileAccess)
            QDir().mkpath(c.target);
        platform.shown.clear();
        platform.answerSave(std::nullopt);
        session().Save();

        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, c.target + QStringLiteral("\r\n") + c.reason) << c.name;
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        // The reason first, then the dialog.
        ASSERT_EQ(platform.shown.size(), 2u) << c.name;
        EXPECT_EQ(platform.shown[0].kind, QStringLiteral("message")) << c.name;
        EXPECT_EQ(platform.shown[1].kind, QStringLiteral("save")) << c.name;
        EXPECT_FALSE(doc().FileExist) << c.name;
        EXPECT_TRUE(doc().TextChange) << c.name; // nothing was saved
        EXPECT_TRUE(failures().recorded(c.number)) << c.name;
        // The next Save goes straight to Save As, which can succeed.
        platform.answerSave(path("elsewhere.txt"));
        session().Save();
        EXPECT_EQ(readFile(path("elsewhere.txt")), QByteArray("keep me\r\n"));
        EXPECT_FALSE(doc().TextChange);
    }
}

// Save As is the last place the text can go: a write that fails there is told to
// the user, and the document stays modified and untied.
TEST_F(Saving, AFailedSaveAsWriteIsToldAndLosesNothing) {
    struct Case {
        const char* name;
        QString target;
        int number;
        QString reason;
    };
    writeFile(path("plain"), "not a folder");
    QDir().mkpath(path("folder.txt"));
    const Case cases[] = {
        {"a folder in the file's place", path("folder.txt"), err::PathFileAccess, AccessText},
        {"a file in the folder's place", path("plain/doc.txt"), err::PathNotFound,
         QStringLiteral("Не удаётся найти путь к документу.")},
    };
    for (const Case& c : cases) {
        platform.shown.clear();
        editor().setText(QStringLiteral("draft"));
        ASSERT_TRUE(doc().TextChange);
        platform.answerSave(c.target);
        session().SaveAs();

        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, c.target + QStringLiteral("\r\n") + c.reason) << c.name;
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(doc().TextChange) << c.name;
        EXPECT_FALSE(doc().FileExist) << c.name;
        EXPECT_NE(doc().CommonFileName, c.target) << c.name;
        EXPECT_EQ(editor().text(), QStringLiteral("draft"));
        EXPECT_TRUE(failures().recorded(c.number)) << c.name;
    }
}

TEST_F(Saving, AFailedWriteKeepsTheOldFile) {
    const QString p = openFile(QStringLiteral("old.txt"), "old text\r\n");
    editor().setText(QString(5000, QLatin1Char('n')));

    {
        const FileSizeLimit limit(100);
        ASSERT_TRUE(limit.applied());
        platform.answerSave(std::nullopt);
        session().Save();
    }

    EXPECT_EQ(readFile(p), QByteArray("old text\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(doc().TextChange);
    EXPECT_EQ(count("save"), 1); // Save As offered after the failure
    // A failure the program has no words of its own for is still told.
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, p + QStringLiteral("\r\nНе удаётся сохранить документ.\r\n"
                                                   "Произошла неизвестная ошибка."));
}

TEST_F(Saving, ASaveThereIsNoMemoryForWritesNothingAndKeepsTheDocument) {
    const QString p = openFile(QStringLiteral("doc.txt"), "old file");
    editor().setText(QStringLiteral("new text that needs a buffer"));
    ASSERT_TRUE(doc().TextChange);
    setBufferLimit(10);
    session().Save();
    setBufferLimit(-1);
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              p + QStringLiteral("\r\nНедостаточно памяти. Документ не сохранён."));
    EXPECT_TRUE(failures().recorded(err::OutOfMemory));
    EXPECT_EQ(readFile(p), QByteArray("old file"));
    // The temporary the save had begun is gone.
    const QStringList left = QDir(QFileInfo(p).path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.filter(QStringLiteral(".quillet-save-")).isEmpty())
        << left.join(' ').toStdString();
    EXPECT_EQ(editor().text(), QStringLiteral("new text that needs a buffer"));
    EXPECT_TRUE(doc().TextChange);
    EXPECT_TRUE(doc().FileExist);
}

TEST_F(Saving, SavingKeepsTheFilesPermissions) {
    const QString p = openText(QStringLiteral("private.txt"), QStringLiteral("secret"));
    ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), 0600), 0);
    session().Save();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(p).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(readFile(p), QByteArray("secret\r\n"));
}

TEST_F(Saving, DisabledSavingWritesNothingAndAsksNothing) {
    const QString p = openText(QStringLiteral("doc.txt"), QStringLiteral("changed"));
    options().DisableSaveFile = true;
    session().Save();
    session().SaveAs();
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(count("save"), 0);
    EXPECT_EQ(readFile(p), QByteArray("seed"));
    EXPECT_TRUE(doc().TextChange);
}

TEST_F(Saving, CharactersOutsideTheCodePageAreNotLostSilently) {
    const QString text = QStringLiteral("日本 и Ω");
    struct Case {
        const char* name;
        bool named;
        bool saveAs;
        int answer;
        bool written;
    };
    const Case cases[] = {
        {"Save, No", true, false, answer::No, false},
        {"Save, Yes", true, false, answer::Yes, true},
        {"Save As, No", true, true, answer::No, false},
        {"Save As, Yes", true, true, answer::Yes, true},
        {"untitled Save, No", false, false, answer::No, false},
        {"untitled Save, Yes", false, false, answer::Yes, true},
    };
    for (const Case& c : cases) {
        doc().TextChange = false; // each round starts from a fresh document
        platform.shown.clear();
        QString target = path(QStringLiteral("saveas.txt"));
        QFile::remove(target);
        if (c.named) {
            target = openText(QStringLiteral("named.txt"), text);
            if (c.saveAs)
                target = path(QStringLiteral("saveas.txt"));
            platform.shown.clear();
        } else {
            session().New();
            type(text);
        }
        platform.answerMessage(c.answer);
        if (c.written && (c.saveAs || !c.named))
            platform.answerSave(target);
        if (c.saveAs)
            session().SaveAs();
        else
            session().Save();

        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, LossyText);
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(messages[0].defaultButton, answer::No);
        // The question comes before any dialog.
        EXPECT_EQ(platform.shown.front().kind, QStringLiteral("message")) << c.name;
        if (c.written) {
            EXPECT_EQ(readFile(target), QByteArray("?? \xE8 ?\r\n")) << c.name;
            EXPECT_FALSE(doc().TextChange) << c.name;
        } else {
            EXPECT_EQ(count("save"), 0) << c.name;
            EXPECT_TRUE(doc().TextChange) << c.name;
            if (c.named && !c.saveAs)
                EXPECT_EQ(readFile(target), QByteArray("seed")) << c.name;
            else
                EXPECT_FALSE(QFile::exists(target)) << c.name;
        }
    }
}

TEST_F(Saving, TheLossQuestionIsAskedOnceWhenSaveFallsBackToSaveAs) {
    openText(QStringLiteral("doc.txt"), QStringLiteral("日本"));
    const QString folder = path(QStringLiteral("folder.txt"));
    QDir().mkpath(folder);
    doc().CommonFileName = folder; // Save fails with the access error
    platform.answerMessage(answer::Yes);
    platform.answerSave(path(QStringLiteral("other.txt")));
    session().Save();
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, LossyText);
    EXPECT_TRUE(messages[1].text.endsWith(AccessText));
    EXPECT_EQ(readFile(path(QStringLiteral("other.txt"))), QByteArray("??\r\n"));
}

// The file holds '?' for what Windows-1251 cannot hold: the editor shows the same,
// and Undo brings the characters back as a change to the file.
TEST_F(Saving, TheEditorShowsTheQuestionMarksTheFileGot) {
    const QString text = QStringLiteral("смайлик \U0001F600 и 中文\r\nконец");
    for (const bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "save as" : "save");
        QString p = openText(QStringLiteral("s.txt"), text);
        if (saveAs) {
            p = path(QStringLiteral("other.txt"));
            platform.answerSave(p);
        }
        platform.answerMessage(answer::Yes); // replace them by '?'
        if (saveAs)
            session().SaveAs();
        else
            session().Save();
        const QString shown = QStringLiteral("смайлик ? и ??\r\nконец");
        EXPECT_EQ(readFile(p), bytes(shown) + "\r\n");
        EXPECT_EQ(editor().text(), shown);
        EXPECT_FALSE(doc().TextChange);
        ASSERT_TRUE(editor().canUndo());
        editor().undo();
        EXPECT_EQ(editor().text(), text);
        EXPECT_TRUE(doc().TextChange);
        doc().TextChange = false;
    }
}

} // namespace
} // namespace quillet::test
