// The unsaved-changes question and what New, Open and the recent document do with
// its answer, the modified flag, and the display name after New.

#include "documents/document_fixture.h"

#include <QDir>
#include <QFile>

namespace quillet::test {
namespace {

using Replacing = DocumentTest;

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
        w().document().TextChange = false;
        w().mnuNew_Click();
        w().options().LimType = c.filter;
        if (!c.file.isEmpty())
            openText(c.file, QStringLiteral("changed"));
        else
            type(QStringLiteral("changed"));
        h.platform.shown.clear();
        h.platform.answerMessage(answer::Cancel);
        w().mnuNew_Click();
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.firstLine + QStringLiteral("\r\nСохранить эти изменения?"));
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(messages[0].defaultButton, answer::Yes);
        // Cancel keeps the changed document as it is.
        EXPECT_TRUE(w().document().TextChange);
        EXPECT_EQ(w().textBlock()->text(), QStringLiteral("changed"));
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

class ReplacingRound : public DocumentTest {
protected:
    QString named;
    QString other;
    int round = 0;

    // Prepares the document of the round; returns its text.
    QString prepare(const Round& r) {
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
        w().options().DisableSaveFile = r.start == Start::Disabled;
        h.platform.shown.clear();
        if (r.answer != 0)
            h.platform.answerMessage(r.answer);
        if (r.saveAsOffered)
            h.platform.answerSave(std::nullopt);
        return text;
    }

    void check(const Round& r, const QString& text, bool replacedExpected,
               const QString& replacedText) {
        const auto messages = h.platform.messages();
        const bool asked = !messages.empty() &&
                           messages[0].text.endsWith(QStringLiteral("Сохранить эти изменения?"));
        EXPECT_EQ(asked, r.answer != 0) << r.name;
        EXPECT_EQ(count("save") == 1, r.saveAsOffered) << r.name;
        if (replacedExpected) {
            EXPECT_EQ(w().textBlock()->text(), replacedText) << r.name;
            EXPECT_FALSE(w().document().TextChange) << r.name;
        } else {
            EXPECT_EQ(w().textBlock()->text(), text) << r.name;
            EXPECT_EQ(w().document().TextChange, r.start != Start::Unchanged) << r.name;
        }
        if (r.savedToFile) {
            EXPECT_EQ(readFile(named), bytes(text + QStringLiteral("\r\n"))) << r.name;
        }
    }
};

TEST_F(ReplacingRound, New) {
    for (const Round& r : rounds) {
        h.load(); // a fresh window for every round
        const QString text = prepare(r);
        w().mnuNew_Click();
        check(r, text, r.replaced, QString());
        if (r.replaced) {
            EXPECT_TRUE(w().document().NewDoc) << r.name;
            EXPECT_FALSE(w().document().FileExist) << r.name;
            EXPECT_FALSE(w().textBlock()->canUndo()) << r.name;
            EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет")) << r.name;
            EXPECT_EQ(w().document().FileNameOnly, QStringLiteral("Новый документ")) << r.name;
        }
    }
}

TEST_F(ReplacingRound, Open) {
    for (const Round& r : rounds) {
        h.load();
        const QString text = prepare(r);
        if (r.replaced)
            h.platform.answerOpen(other);
        w().mnuOpen_Click();
        check(r, text, r.replaced, QStringLiteral("other document"));
        EXPECT_EQ(count("open") == 1, r.replaced) << r.name;
        if (r.replaced) {
            EXPECT_EQ(w().document().CommonFileName, other) << r.name;
        }
    }
}

TEST_F(ReplacingRound, Recent) {
    for (const Round& r : rounds) {
        h.load();
        const QString text = prepare(r);
        w().document().RecentFileString = other;
        w().mnuRecent_Click();
        check(r, text, r.replaced, QStringLiteral("other document"));
        if (r.replaced) {
            EXPECT_EQ(w().document().CommonFileName, other) << r.name;
        }
    }
}

TEST_F(Replacing, ClosingStaysOpenWhenTheSaveDidNotHappen) {
    type(QStringLiteral("unsaved work"));
    h.platform.answerMessage(answer::Yes);
    h.platform.answerSave(std::nullopt);
    EXPECT_FALSE(h.close());
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("unsaved work"));

    h.platform.answerMessage(answer::Yes);
    h.platform.answerSave(path(QStringLiteral("kept.txt")));
    EXPECT_TRUE(h.close());
    EXPECT_EQ(readFile(path(QStringLiteral("kept.txt"))), QByteArray("unsaved work\r\n"));
}

// Save does nothing while saving is switched off; a Yes to the question must
// not leave the user wondering why the document is still there.
TEST_F(Replacing, AYesWithSavingDisabledIsExplainedAndKeepsTheDocument) {
    const QString disabled =
        QStringLiteral("Сохранение документов отключено в настройках программы (параметр "
                       "DisableSave).\r\nДокумент не сохранён и остаётся открытым.");
    enum class Action { Close, New, Open, Recent };
    struct Case {
        const char* name;
        Action action;
    };
    const Case cases[] = {
        {"closing", Action::Close},
        {"New", Action::New},
        {"Open", Action::Open},
        {"recent document", Action::Recent},
    };
    for (const Case& c : cases) {
        h.load();
        const QString p = openText(QStringLiteral("doc.txt"), QStringLiteral("my work"));
        w().document().RecentFileString = p;
        w().options().DisableSaveFile = true;
        h.platform.shown.clear();
        h.platform.answerMessage(answer::Yes);
        switch (c.action) {
        case Action::Close:
            EXPECT_FALSE(h.close()) << c.name;
            EXPECT_FALSE(w().options().UnloadOk) << c.name;
            break;
        case Action::New:
            w().mnuNew_Click();
            break;
        case Action::Open:
            w().mnuOpen_Click();
            break;
        case Action::Recent:
            w().mnuRecent_Click();
            break;
        }
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 2u) << c.name;
        EXPECT_TRUE(messages[0].text.endsWith(QStringLiteral("Сохранить эти изменения?")));
        EXPECT_EQ(messages[1].text, disabled) << c.name;
        EXPECT_EQ(messages[1].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[1].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[1].buttons, MsgButtons::Ok);
        EXPECT_EQ(count("save") + count("open"), 0) << c.name;
        EXPECT_EQ(w().textBlock()->text(), QStringLiteral("my work")) << c.name;
        EXPECT_TRUE(w().document().TextChange) << c.name;
        EXPECT_EQ(w().document().CommonFileName, p) << c.name;
        EXPECT_EQ(readFile(p), QByteArray("seed")) << c.name;
    }
}

TEST_F(Replacing, NewForgetsTheTextButKeepsThePath) {
    const QString p = openFile(QStringLiteral("kept.txt"), "text");
    type(QStringLiteral(" more"));
    h.platform.answerMessage(answer::No);
    w().mnuNew_Click();
    EXPECT_EQ(w().textBlock()->textLength(), 0);
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_FALSE(w().textBlock()->canUndo());
    w().mnuUndo_Click();
    EXPECT_EQ(w().textBlock()->textLength(), 0);
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
        w().document().TextChange = false;
        w().mnuNew_Click();
        if (c.named)
            openFile(QStringLiteral("n.txt"), "");
        EXPECT_FALSE(w().document().TextChange) << c.name;
        type(QStringLiteral("abc"));
        EXPECT_EQ(w().document().TextChange, c.afterTyping) << c.name;
        w().textBlock()->setSelection(0, 3);
        w().textBlock()->replaceSelection(QString());
        EXPECT_EQ(w().document().TextChange, c.afterEmptying) << c.name;
        // Typing again after emptying is a change either way.
        type(QStringLiteral("x"));
        EXPECT_TRUE(w().document().TextChange) << c.name;
    }
}

} // namespace
} // namespace quillet::test
