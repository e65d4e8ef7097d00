#include "documents/document_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quillet::test {
namespace {

const QString AccessText = QStringLiteral("Не удаётся получить доступ к указанному файлу.");
const QString LossyText =
    QStringLiteral("Документ содержит символы, которые нельзя сохранить в кодировке "
                   "Windows-1251.\r\nОни будут заменены знаком ''?''. Продолжить сохранение?");

using Saving = DocumentTest;

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
        w().mnuSave_Click();
        EXPECT_EQ(readFile(p), c.file) << c.text.toStdString();
        EXPECT_FALSE(w().document().TextChange);
        EXPECT_FALSE(w().document().NewDoc);
        EXPECT_EQ(w().document().RecentFileString, p);

        h.platform.answerOpen(p);
        w().mnuOpen_Click();
        EXPECT_EQ(w().textBlock()->text(), c.text) << c.text.toStdString();
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
        w().textBlock()->setSelStart(1);
        QTest::keyClick(w().textBlock(), Qt::Key_Return, c.modifiers);
        const int asked = count("message");
        w().mnuSave_Click();
        EXPECT_EQ(count("message"), asked) << c.name;
        EXPECT_EQ(readFile(p), QByteArray("a\r\nb\r\n")) << c.name;
        EXPECT_FALSE(w().document().TextChange) << c.name;
    }
}

TEST_F(Saving, EveryByteSurvivesOpenAndSave) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString p = openFile(QStringLiteral("bytes.dat"), all);
    w().mnuSave_Click();
    // The lone CR (followed by 0x0E) ends a line and comes back as CR LF; a final
    // CR LF is added. Nothing else changes.
    QByteArray expected = all;
    expected.replace("\r", "\r\n");
    expected += "\r\n";
    EXPECT_EQ(readFile(p), expected);
}

TEST_F(Saving, DocumentsAreAlwaysSavedAsWindows1251) {
    const QByteArray windows = "\xCF\xF0\xE8\xE2\xE5\xF2";
    struct Case {
        void (FrmMain::*choose)();
        QByteArray file;
        QString shown;
        QByteArray saved;
    };
    const Case cases[] = {
        {&FrmMain::mnuCodeDos_Click, "\x8F\xE0\xA8\xA2\xA5\xE2", QStringLiteral("Привет"), windows},
        {&FrmMain::mnuCodeKoi_Click, "\xF0\xD2\xC9\xD7\xC5\xD4", QStringLiteral("Привет"), windows},
        {&FrmMain::mnuCodeWin_Click, windows, QStringLiteral("Привет"), windows},
        // With Windows chosen the bytes are taken as they are.
        {&FrmMain::mnuCodeWin_Click, "\x8F\xE0", decodeCp1251(QByteArray("\x8F\xE0")), "\x8F\xE0"},
    };
    for (const Case& c : cases) {
        (w().*c.choose)();
        const QString p = openFile(QStringLiteral("cyr.txt"), c.file);
        EXPECT_EQ(w().textBlock()->text(), c.shown);
        w().textBlock()->setText(w().textBlock()->text()); // edited
        w().mnuSave_Click();
        EXPECT_EQ(readFile(p), c.saved + "\r\n");
    }
}

TEST_F(Saving, SaveOnAnUntitledDocumentAsksForAName) {
    for (const bool filter : {false, true}) {
        h.platform.shown.clear();
        w().document().TextChange = false;
        w().mnuNew_Click();
        w().options().LimType = filter;
        type(QStringLiteral("текст"));
        const QString p = path(filter ? QStringLiteral("b.txt") : QStringLiteral("a.txt"));
        h.platform.answerSave(p);
        w().mnuSave_Click();

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
        EXPECT_EQ(w().document().CommonFileName, p);
        EXPECT_EQ(w().document().RecentFileString, p);
        EXPECT_FALSE(w().document().NewDoc);
        EXPECT_TRUE(w().document().FileExist);
        EXPECT_FALSE(w().document().TextChange);
        EXPECT_EQ(caption(),
                  filter ? QStringLiteral("b - Квиллет") : QStringLiteral("a.txt - Квиллет"));
    }
}

TEST_F(Saving, SaveAsOffersDocumentEveryTimeAndCancelChangesNothing) {
    const QString p = openText(QStringLiteral("letter.txt"), QStringLiteral("changed"));
    const QString before = caption();
    h.platform.answerSave(std::nullopt);
    w().mnuSaveAs_Click();
    EXPECT_EQ(last("save")->file.initialName, QStringLiteral("Документ"));
    EXPECT_TRUE(w().document().TextChange);
    EXPECT_TRUE(w().document().FileExist);
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_EQ(caption(), before);
    EXPECT_EQ(readFile(p), QByteArray("seed"));
    EXPECT_TRUE(h.platform.messages().empty());
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
        h.platform.shown.clear();
        const QString seeded = openText(QStringLiteral("good.txt"), QStringLiteral("keep me"));
        QFile::remove(seeded);
        // The document now claims a file that cannot be written.
        w().document().CommonFileName = c.target;
        if (c.number == err::PathFileAccess)
            QDir().mkpath(c.target);
        h.platform.shown.clear();
        h.platform.answerSave(std::nullopt);
        w().mnuSave_Click();

        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, c.target + QStringLiteral("\r\n") + c.reason) << c.name;
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        // The reason first, then the dialog.
        ASSERT_EQ(h.platform.shown.size(), 2u) << c.name;
        EXPECT_EQ(h.platform.shown[0].kind, QStringLiteral("message")) << c.name;
        EXPECT_EQ(h.platform.shown[1].kind, QStringLiteral("save")) << c.name;
        EXPECT_FALSE(w().document().FileExist) << c.name;
        EXPECT_TRUE(w().document().TextChange) << c.name; // nothing was saved
        EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=%1").arg(c.number)))
            << c.name;
        // The next Save goes straight to Save As, which can succeed.
        h.platform.answerSave(path("elsewhere.txt"));
        w().mnuSave_Click();
        EXPECT_EQ(readFile(path("elsewhere.txt")), QByteArray("keep me\r\n"));
        EXPECT_FALSE(w().document().TextChange);
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
        h.platform.shown.clear();
        w().textBlock()->setText(QStringLiteral("draft"));
        ASSERT_TRUE(w().document().TextChange);
        h.platform.answerSave(c.target);
        w().mnuSaveAs_Click();

        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, c.target + QStringLiteral("\r\n") + c.reason) << c.name;
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(w().document().TextChange) << c.name;
        EXPECT_FALSE(w().document().FileExist) << c.name;
        EXPECT_NE(w().document().CommonFileName, c.target) << c.name;
        EXPECT_EQ(w().textBlock()->text(), QStringLiteral("draft"));
        EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=%1").arg(c.number)))
            << c.name;
    }
}

TEST_F(Saving, AFailedWriteKeepsTheOldFile) {
    const QString p = openFile(QStringLiteral("old.txt"), "old text\r\n");
    w().textBlock()->setText(QString(5000, QLatin1Char('n')));

    {
        const test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.applied());
        h.platform.answerSave(std::nullopt);
        w().mnuSave_Click();
    }

    EXPECT_EQ(readFile(p), QByteArray("old text\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(w().document().TextChange);
    EXPECT_EQ(count("save"), 1); // Save As offered after the failure
    // A failure the program has no words of its own for is still told.
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, p + QStringLiteral("\r\nНе удаётся сохранить документ.\r\n"
                                                   "Произошла неизвестная ошибка."));
}

TEST_F(Saving, SavingKeepsTheFilesPermissions) {
    const QString p = openText(QStringLiteral("private.txt"), QStringLiteral("secret"));
    ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), 0600), 0);
    w().mnuSave_Click();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(p).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(readFile(p), QByteArray("secret\r\n"));
}

TEST_F(Saving, DisabledSavingWritesNothingAndAsksNothing) {
    const QString p = openText(QStringLiteral("doc.txt"), QStringLiteral("changed"));
    w().options().DisableSaveFile = true;
    w().mnuSave_Click();
    w().mnuSaveAs_Click();
    EXPECT_TRUE(h.platform.messages().empty());
    EXPECT_EQ(count("save"), 0);
    EXPECT_EQ(readFile(p), QByteArray("seed"));
    EXPECT_TRUE(w().document().TextChange);
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
        w().document().TextChange = false; // each round starts from a fresh document
        h.platform.shown.clear();
        QString target = path(QStringLiteral("saveas.txt"));
        QFile::remove(target);
        if (c.named) {
            target = openText(QStringLiteral("named.txt"), text);
            if (c.saveAs)
                target = path(QStringLiteral("saveas.txt"));
            h.platform.shown.clear();
        } else {
            w().mnuNew_Click();
            type(text);
        }
        h.platform.answerMessage(c.answer);
        if (c.written && (c.saveAs || !c.named))
            h.platform.answerSave(target);
        if (c.saveAs)
            w().mnuSaveAs_Click();
        else
            w().mnuSave_Click();

        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, LossyText);
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(messages[0].defaultButton, answer::No);
        // The question comes before any dialog.
        EXPECT_EQ(h.platform.shown.front().kind, QStringLiteral("message")) << c.name;
        if (c.written) {
            EXPECT_EQ(readFile(target), QByteArray("?? \xE8 ?\r\n")) << c.name;
            EXPECT_FALSE(w().document().TextChange) << c.name;
        } else {
            EXPECT_EQ(count("save"), 0) << c.name;
            EXPECT_TRUE(w().document().TextChange) << c.name;
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
    w().document().CommonFileName = folder; // Save fails with the access error
    h.platform.answerMessage(answer::Yes);
    h.platform.answerSave(path(QStringLiteral("other.txt")));
    w().mnuSave_Click();
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, LossyText);
    EXPECT_TRUE(messages[1].text.endsWith(AccessText));
    EXPECT_EQ(readFile(path(QStringLiteral("other.txt"))), QByteArray("??\r\n"));
}

} // namespace
} // namespace quillet::test
