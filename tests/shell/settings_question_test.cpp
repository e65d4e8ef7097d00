// Which commands count as a change of the view settings, and the question about
// them at closing. The closing decision as a whole is in lifecycle_test.

#include "support/harness.h"

#include <QAction>
#include <QDialog>

#include <gtest/gtest.h>

#include <functional>

namespace quillet::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

FontChoice otherFont() {
    FontChoice f;
    f.name = s("DejaVu Serif");
    f.pointSize = 16;
    f.bold = true;
    f.color = QColor(0, 0, 128);
    return f;
}

struct Command {
    const char* name;
    std::function<void(Harness&)> prepare; // may be empty
    std::function<void(Harness&)> run;
};

// Every command that changes a view option, each from a state in which it makes
// a real change.
const Command viewCommands[] = {
    {"mnuBold", {}, [](Harness& h) { h->mnuBold_Click(); }},
    {"mnuItal", {}, [](Harness& h) { h->mnuItal_Click(); }},
    {"mnuLine", {}, [](Harness& h) { h->mnuLine_Click(); }},
    {"mnuFont", [](Harness& h) { h.platform.answerFont(otherFont()); },
     [](Harness& h) { h->mnuFont_Click(); }},
    {"mnuF (context menu)", [](Harness& h) { h.platform.answerFont(otherFont()); },
     [](Harness& h) { h->menus().mnuF->trigger(); }},
    {"mnuSetChars", {}, [](Harness& h) { h->mnuSetChars_Click(); }},
    {"mnuColor", [](Harness& h) { h.platform.answerColor(QColor(255, 255, 200)); },
     [](Harness& h) { h->mnuColor_Click(); }},
    {"MnuDefColor", [](Harness& h) { h->textBlock()->setBackColor(QColor(255, 255, 200)); },
     [](Harness& h) { h->MnuDefColor_Click(); }},
    {"mnuCodeWin",
     [](Harness& h) {
         h->options().TextWindows = false;
         h->ShowOptionsInMenus();
         h->options().TextDos = true;
         h->ShowOptionsInMenus();
     },
     [](Harness& h) { h->mnuCodeWin_Click(); }},
    {"mnuCodeDos", {}, [](Harness& h) { h->mnuCodeDos_Click(); }},
    {"mnuCodeKoi", {}, [](Harness& h) { h->mnuCodeKoi_Click(); }},
    {"mnuLimFileType", {}, [](Harness& h) { h->mnuLimFileType_Click(); }},
    {"mnuLenEn", {}, [](Harness& h) { h->mnuLenEn_Click(); }},
    {"mnuToolBar", {}, [](Harness& h) { h->mnuToolBar_Click(); }},
    {"mnuStatusBar", {}, [](Harness& h) { h->mnuStatusBar_Click(); }},
    {"mnuTextInf",
     [](Harness& h) {
         h->options().TextInf = false;
         h->ShowOptionsInMenus();
         h->options().NoToolTip = true;
         h->ShowOptionsInMenus();
     },
     [](Harness& h) { h->mnuTextInf_Click(); }},
    {"mnuNoToolTip", {}, [](Harness& h) { h->mnuNoToolTip_Click(); }},
    {"mnuON_OFF", {}, [](Harness& h) { h->mnuON_OFF_Click(); }},
    {"mnuTransparent", {}, [](Harness& h) { h->mnuTransparent_Click(); }},
    {"mnuGetMouse",
     [](Harness& h) {
         h->options().Transparent = true;
         h->ShowOptionsInMenus();
     },
     [](Harness& h) { h->mnuGetMouse_Click(); }},
    {"LeftBtn", [](Harness& h) { h->textBlock()->setAlignmentCode(2); },
     [](Harness& h) { h->Toolbar1_ButtonClick(s("LeftBtn")); }},
    {"CenterBtn", {}, [](Harness& h) { h->Toolbar1_ButtonClick(s("CenterBtn")); }},
    {"RightBtn", {}, [](Harness& h) { h->Toolbar1_ButtonClick(s("RightBtn")); }},
};

TEST(ChangeTracking, EveryViewOptionCommandRaisesTheFlag) {
    for (const Command& c : viewCommands) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        ASSERT_FALSE(h->options().UserChangeOptions);
        if (c.prepare)
            c.prepare(h);
        c.run(h);
        EXPECT_TRUE(h->options().UserChangeOptions);
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
    }
}

TEST(ChangeTracking, CancelledDialogsAndOtherCommandsLeaveTheFlagDown) {
    const Command unchanged[] = {
        {"mnuFont cancelled", [](Harness& h) { h.platform.answerFont(std::nullopt); },
         [](Harness& h) { h->mnuFont_Click(); }},
        {"mnuColor cancelled", [](Harness& h) { h.platform.answerColor(std::nullopt); },
         [](Harness& h) { h->mnuColor_Click(); }},
        {"mnuPromptChanges", {}, [](Harness& h) { h->mnuPromptChanges_Click(); }},
        {"mnuWind", {}, [](Harness& h) { h->mnuWind_Click(); }},
        {"find flags", {}, [](Harness& h) { h->searchMemory().CheckFindFlag1 = 1; }},
    };
    for (const Command& c : unchanged) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        if (c.prepare)
            c.prepare(h);
        c.run(h);
        EXPECT_FALSE(h->options().UserChangeOptions);
        EXPECT_EQ(h.platform.unusedAnswers(), 0); // a scripted dialog was really opened
    }
}

TEST(ChangeTracking, PromptChangesInvertsItsCheckMarkOnly) {
    Harness h;
    h.load();
    ASSERT_TRUE(h->menus().mnuPromptChanges->isChecked());
    h->mnuPromptChanges_Click();
    EXPECT_FALSE(h->menus().mnuPromptChanges->isChecked());
    h->mnuPromptChanges_Click();
    EXPECT_TRUE(h->menus().mnuPromptChanges->isChecked());
    // The menu item behaves as the handler: one click, one inversion.
    h->menus().mnuPromptChanges->trigger();
    EXPECT_FALSE(h->menus().mnuPromptChanges->isChecked());
    EXPECT_FALSE(h->options().UserChangeOptions);
}

// ---- The question at closing -------------------------------------------------

const QString settingsQuestion =
    s("Настройки программы были изменены.") + CRLF + s("Сохранить эти изменения?");

int settingsQuestionsAsked(const Harness& h) {
    int n = 0;
    for (const Shown& m : h.platform.messages()) {
        if (m.text == settingsQuestion)
            ++n;
    }
    return n;
}

bool viewGroupWritten(const Harness& h) {
    return h.platform.store.writes.contains(s("Font/FontName=MS Sans Serif"));
}

// What the closing decision table leaves out: the answer's effect on the mark of
// a change.
TEST(SettingsQuestion, OnlyYesStoresTheChangesAndLowersTheMark) {
    struct Row {
        int answer;
        bool written;
        bool flagAfter;
        bool closed;
    };
    const Row rows[] = {
        {answer::Yes, true, false, true},
        {answer::No, false, true, true},
        {answer::Cancel, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.answer);
        Harness h;
        h.load();
        h->options().UserChangeOptions = true;
        h.platform.answerMessage(r.answer);
        EXPECT_EQ(h.close(), r.closed);
        EXPECT_EQ(settingsQuestionsAsked(h), 1);
        EXPECT_EQ(viewGroupWritten(h), r.written);
        EXPECT_EQ(h->options().UserChangeOptions, r.flagAfter);
    }
}

TEST(SettingsQuestion, UncheckedOptionStoresWithoutAskingAndStaysUnchecked) {
    Harness h;
    h.load();
    h->mnuPromptChanges_Click();
    h->textBlock()->setBackColor(QColor(255, 255, 200)); // a change nobody flagged
    EXPECT_TRUE(h.close());
    EXPECT_EQ(settingsQuestionsAsked(h), 0);
    EXPECT_EQ(h.platform.store.value(s("General"), s("BackColor")), s("13172735"));
    EXPECT_EQ(h.platform.store.value(s("General"), s("ConfirmChanges")), s("False"));

    Harness next;
    next.platform.store = h.platform.store;
    next.load();
    EXPECT_FALSE(next->menus().mnuPromptChanges->isChecked());
    EXPECT_EQ(next->textBlock()->backColor(), QColor(255, 255, 200));
}

TEST(SettingsQuestion, TogglingBoldTwiceStillAsks) {
    Harness h;
    h.load();
    h->mnuBold_Click();
    h->mnuBold_Click();
    EXPECT_FALSE(h->menus().mnuBold->isChecked());
    h.platform.answerMessage(answer::No);
    EXPECT_TRUE(h.close());
    EXPECT_EQ(settingsQuestionsAsked(h), 1);
}

TEST(SettingsQuestion, AlignmentFromTheToolbarIsAskedAboutAndStored) {
    Harness h;
    h.load();
    h->Toolbar1_ButtonClick(s("RightBtn"));
    h.platform.answerMessage(answer::Yes);
    EXPECT_TRUE(h.close());
    EXPECT_EQ(settingsQuestionsAsked(h), 1);
    EXPECT_EQ(h.platform.store.value(s("General"), s("Alignment")), s("1"));
}

} // namespace
} // namespace quillet::test
