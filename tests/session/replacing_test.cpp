// The unsaved-changes question and what New, Open and the recent document do with
// its answer, the modified flag, and the display name after New.

#include "session/session_fixture.h"

#include <QDir>
#include <QFile>

namespace quillet::test {
namespace {

const QString DisabledText =
    QStringLiteral("Сохранение документов отключено в настройках программы (параметр "
                   "DisableSave).\r\nДокумент не сохранён и остаётся открытым.");

using Replacing = SessionTest;

TEST_F(Replacing, TheQuestionNamesTheDocument) {
    struct Case {
        QString file; // empty: untitled
        bool filter;
        QString firstLine;
    };
    const Case cases[] = {
        {QString(), false, QStringLiteral("Документ ''Новый документ'' был изменён.")},
        {QStringLiteral("letter.txt"), false,
         QStringLiteral("Документ ''letter.txt'' был изменён.")},
        {QStringLiteral("letter.txt"), true, QStringLiteral("Документ ''letter'' был изменён.")},
    };
    for (const Case& c : cases) {
        doc().TextChange = false;
        session().New();
        options().LimType = c.filter;
        if (!c.file.isEmpty())
            openText(c.file, QStringLiteral("changed"));
        else
            type(QStringLiteral("changed"));
        platform.shown.clear();
        platform.answerMessage(answer::Cancel);
        session().New();
        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.firstLine + QStringLiteral("\r\nСохранить эти изменения?"));
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(messages[0].defaultButton, answer::Yes);
        // Cancel keeps the changed document as it is.
        EXPECT_TRUE(doc().TextChange);
        EXPECT_EQ(editor().text(), QStringLiteral("changed"));
    }
}

// How a replaced document ends, for New, Open and the recent document alike.
enum class Start { Unchanged, ModifiedNamed, ModifiedUntitled, ModifiedUnwritable, Disabled };

struct Round {
    const char* name;
    Start start;
    int answer; // 0: no question expected
    bool saveAsOffered;
    bool replaced;
    bool savedToFile;
};

const Round rounds[] = {
    {"unchanged: no question", Start::Unchanged, 0, false, true, false},
    {"Cancel keeps everything", Start::ModifiedNamed, answer::Cancel, false, false, false},
    {"No throws the changes away", Start::ModifiedNamed, answer::No, false, true, false},
    {"Yes saves, then goes on", Start::ModifiedNamed, answer::Yes, false, true, true},
    {"Yes, Save As cancelled: kept", Start::ModifiedUntitled, answer::Yes, true, false, false},
    {"Yes, the save failed: kept", Start::ModifiedUnwritable, answer::Yes, true, false, false},
    {"Yes, saving disabled: kept", Start::Disabled, answer::Yes, false, false, false},
};

class ReplacingRound : public SessionTest {
protected:
    QString named;
    QString other;
    int round = 0;

    // A fresh session holding the document of the round; returns its text.
    QString prepare(const Round& r) {
        restart();
        ++round;
        const QString name = QStringLiteral("named%1.txt").arg(round);
        other = path(QStringLiteral("other.txt"));
        writeFile(other, "other document");
        const QString text = QStringLiteral("my work");
        switch (r.start) {
        case Start::Unchanged:
            named = openFile(name, bytes(text));
            break;
        case Start::ModifiedNamed:
        case Start::Disabled:
            named = openText(name, text);
            break;
        case Start::ModifiedUnwritable:
            named = openText(name, text);
            QFile::remove(named);
            QDir().mkpath(named); // the file became a folder
            break;
        case Start::ModifiedUntitled:
            type(text);
            break;
        }
        options().DisableSaveFile = r.start == Start::Disabled;
        platform.shown.clear();
        if (r.answer != 0)
            platform.answerMessage(r.answer);
        if (r.saveAsOffered)
            platform.answerSave(std::nullopt);
        return text;
    }

    // The questions and messages of the round, and what was written.
    void checkAsked(const Round& r, const QString& text) {
        const auto messages = platform.messages();
        const bool asked = !messages.empty() &&
                           messages[0].text.endsWith(QStringLiteral("Сохранить эти изменения?"));
        EXPECT_EQ(asked, r.answer != 0) << r.name;
        EXPECT_EQ(count("save") == 1, r.saveAsOffered) << r.name;
        if (r.start == Start::Disabled) {
            // A Yes that cannot save is explained, not ignored.
            ASSERT_EQ(messages.size(), 2u) << r.name;
            EXPECT_EQ(messages[1].text, DisabledText) << r.name;
            EXPECT_EQ(messages[1].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[1].icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages[1].buttons, MsgButtons::Ok);
            EXPECT_EQ(readFile(named), QByteArray("seed")) << r.name;
            EXPECT_EQ(doc().CommonFileName, named) << r.name;
        }
        if (r.savedToFile) {
            EXPECT_EQ(readFile(named), bytes(text + QStringLiteral("\r\n"))) << r.name;
        }
    }

    void check(const Round& r, const QString& text, const QString& replacedText) {
        checkAsked(r, text);
        if (r.replaced) {
            EXPECT_EQ(editor().text(), replacedText) << r.name;
            EXPECT_FALSE(doc().TextChange) << r.name;
        } else {
            EXPECT_EQ(editor().text(), text) << r.name;
            EXPECT_EQ(doc().TextChange, r.start != Start::Unchanged) << r.name;
        }
    }
};

TEST_F(ReplacingRound, New) {
    for (const Round& r : rounds) {
        const QString text = prepare(r);
        session().New();
        check(r, text, QString());
        if (r.replaced) {
            EXPECT_TRUE(doc().NewDoc) << r.name;
            EXPECT_FALSE(doc().FileExist) << r.name;
            EXPECT_FALSE(editor().canUndo()) << r.name;
            EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет")) << r.name;
            EXPECT_EQ(doc().FileNameOnly, QStringLiteral("Новый документ")) << r.name;
        }
    }
}

TEST_F(ReplacingRound, Open) {
    for (const Round& r : rounds) {
        const QString text = prepare(r);
        if (r.replaced)
            platform.answerOpen(other);
        session().Open();
        check(r, text, QStringLiteral("other document"));
        EXPECT_EQ(count("open") == 1, r.replaced) << r.name;
        if (r.replaced) {
            EXPECT_EQ(doc().CommonFileName, other) << r.name;
        }
    }
}

TEST_F(ReplacingRound, Recent) {
    for (const Round& r : rounds) {
        const QString text = prepare(r);
        doc().RecentFileString = other;
        session().OpenRecent();
        check(r, text, QStringLiteral("other document"));
        if (r.replaced) {
            EXPECT_EQ(doc().CommonFileName, other) << r.name;
        }
    }
}

// What closing the window asks of the document: it may go only when the changes
// were settled.
TEST_F(ReplacingRound, Settling) {
    for (const Round& r : rounds) {
        const QString text = prepare(r);
        EXPECT_EQ(session().SettleUnsavedChanges(), r.replaced) << r.name;
        checkAsked(r, text);
        EXPECT_EQ(editor().text(), text) << r.name;
    }
    // Yes, then a name in the Save As dialog: saved, and the document may go.
    restart();
    type(QStringLiteral("unsaved work"));
    platform.answerMessage(answer::Yes);
    platform.answerSave(path(QStringLiteral("kept.txt")));
    EXPECT_TRUE(session().SettleUnsavedChanges());
    EXPECT_EQ(readFile(path(QStringLiteral("kept.txt"))), QByteArray("unsaved work\r\n"));
}

TEST_F(Replacing, NewForgetsTheTextButKeepsThePath) {
    const QString p = openFile(QStringLiteral("kept.txt"), "text");
    type(QStringLiteral(" more"));
    platform.answerMessage(answer::No);
    session().New();
    EXPECT_EQ(editor().textLength(), 0);
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_EQ(doc().RecentFileString, p);
    EXPECT_FALSE(editor().canUndo());
    editor().undo();
    EXPECT_EQ(editor().textLength(), 0);
}

TEST_F(Replacing, EmptyingTheTextIsAChangeOnlyForANamedDocument) {
    struct Case {
        const char* name;
        bool named;
        bool afterTyping;
        bool afterEmptying;
    };
    const Case cases[] = {
        {"untitled", false, true, false},
        {"named", true, true, true},
    };
    for (const Case& c : cases) {
        doc().TextChange = false;
        session().New();
        if (c.named)
            openFile(QStringLiteral("n.txt"), "");
        EXPECT_FALSE(doc().TextChange) << c.name;
        type(QStringLiteral("abc"));
        EXPECT_EQ(doc().TextChange, c.afterTyping) << c.name;
        editor().setSelection(0, 3);
        editor().replaceSelection(QString());
        EXPECT_EQ(doc().TextChange, c.afterEmptying) << c.name;
        // Typing again after emptying is a change either way.
        type(QStringLiteral("x"));
        EXPECT_TRUE(doc().TextChange) << c.name;
    }
}

} // namespace
} // namespace quillet::test
