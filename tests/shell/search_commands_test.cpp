// The Edit menu's search commands on the main window: which window each opens
// over the editor, what the window is offered from the search memory and what
// the memory keeps once it closed, where the windows' failures are recorded, and
// the check boxes kept across a restart. The windows themselves are tested in
// the search folder.

#include "support/harness.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

QLineEdit* textBox(QDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void click(QDialog& d, const char* name) {
    d.findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

void check(QDialog& d, const char* name, bool checked) {
    d.findChild<QCheckBox*>(QString::fromLatin1(name))->setChecked(checked);
}

bool isChecked(QDialog& d, const char* name) {
    return d.findChild<QCheckBox*>(QString::fromLatin1(name))->isChecked();
}

TEST(SearchCommands, EachOpensItsWindowAndKeepsWhatWasTyped) {
    struct Case {
        void (FrmMain::*command)();
        const char* window;
        const char* box;
        QString offered;
        QString SearchMemory::*kept;
    };
    // An earlier search left "кот" and the number 4: Find starts afresh with the
    // sample, Find Next and Replace continue with the last text.
    const Case cases[] = {
        {&FrmMain::mnuFind_Click, "FrmFind", "TF1", QStringLiteral("Образец"),
         &SearchMemory::FindReplaceTemp},
        {&FrmMain::mnuFindNext_Click, "FrmFind", "TF1", QStringLiteral("кот"),
         &SearchMemory::FindReplaceTemp},
        {&FrmMain::mnuRepl_Click, "FrmRewrite", "TF1", QStringLiteral("кот"),
         &SearchMemory::FindReplaceTemp},
        {&FrmMain::mnuGoTo_Click, "FrmGoTo", "TG1", QStringLiteral("4"), &SearchMemory::GoToTemp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        Harness h;
        FrmMain& w = h.load();
        w.textBlock()->setText(QStringLiteral("кот и пёс"));
        w.searchMemory().FindReplaceTemp = QStringLiteral("кот");
        w.searchMemory().GoToTemp = QStringLiteral("4");
        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), QString::fromLatin1(c.window));
            EXPECT_EQ(d.parentWidget(), &w);
            EXPECT_EQ(textBox(d, c.box)->text(), c.offered);
            textBox(d, c.box)->setText(QStringLiteral("набранное"));
            click(d, "Command2");
            return 0;
        });
        (w.*c.command)();
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
        EXPECT_EQ(w.searchMemory().*c.kept, QStringLiteral("набранное"));
        EXPECT_EQ(w.textBlock()->text(), QStringLiteral("кот и пёс"));
    }
}

TEST(SearchCommands, TheWindowsFailuresGoToTheErrorReport) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("текст"));
    h.platform.answerDialog([](QDialog& d) {
        textBox(d, "TG1")->setText(QStringLiteral("abc"));
        click(d, "Command1");
        click(d, "Command2");
        return 0;
    });
    w.mnuGoTo_Click();
    const QString report = errorReport(h);
    EXPECT_TRUE(report.contains(QStringLiteral("Error Number=13"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Current Form=FrmGoTo"))) << report.toStdString();
}

// The check boxes of both windows reach the settings store at closing and come
// back at the next start.
TEST(SearchCommands, CheckBoxesSurviveARestart) {
    Harness first;
    first.load();
    first.platform.answerDialog([](QDialog& d) {
        check(d, "Check1", true);
        check(d, "Check2", true);
        click(d, "Command2");
        return 0;
    });
    first->mnuFind_Click();
    first.platform.answerDialog([](QDialog& d) {
        check(d, "Check1", true);
        click(d, "Command2");
        return 0;
    });
    first->mnuRepl_Click();
    ASSERT_TRUE(first.close());

    Harness second;
    second.platform.store = first.platform.store;
    second.load();
    second.platform.answerDialog([](QDialog& d) {
        EXPECT_TRUE(isChecked(d, "Check1"));
        EXPECT_TRUE(isChecked(d, "Check2"));
        click(d, "Command2");
        return 0;
    });
    second->mnuFind_Click();
    second.platform.answerDialog([](QDialog& d) {
        EXPECT_TRUE(isChecked(d, "Check1"));
        click(d, "Command2");
        return 0;
    });
    second->mnuRepl_Click();
    EXPECT_EQ(second.platform.unusedAnswers(), 0);
}

} // namespace
} // namespace quillet::test
