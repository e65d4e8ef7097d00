// The window and its stored settings: what a first run does, how the window takes
// the values it read and hands over the values it writes, its placement, when it
// writes each group, and closing over a store that refuses. What a group holds and
// how each key reads and is written are the settings' own tests.

#include "settings/stored_settings.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

#include <functional>

namespace quillet::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QString stored(Harness& h, const StoredKey& k) {
    return h.platform.store.value(s(k.section), s(k.key));
}

void set(Harness& h, const char* section, const char* key, const QString& value) {
    h.platform.store.set(s(section), s(key), value);
}

const int GeneralKeys = int(settings::generalKeys().size());
const int ViewKeys = int(settings::viewKeys().size());

// The About window a first run shows; the script closes it.
void expectAbout(Harness& h) {
    h.platform.answerDialog([](QDialog&) { return QDialog::Accepted; });
}

bool aboutShown(const Harness& h) {
    for (const Shown& sh : h.platform.shown) {
        if (sh.kind == QLatin1String("dialog") && sh.text == QLatin1String("FrmAbout"))
            return true;
    }
    return false;
}

// Every key of the group holds the value a first run writes.
void expectFirstRunValues(Harness& h, std::span<const StoredKey> group) {
    for (const StoredKey& k : group) {
        EXPECT_TRUE(h.platform.store.contains(s(k.section), s(k.key))) << k.key;
        EXPECT_EQ(stored(h, k), s(k.value)) << k.key;
    }
}

TEST(StoredSettings, AFirstRunShowsAboutAndWritesBothGroups) {
    struct Case {
        const char* name;
        std::function<void(Harness&)> prepare;
    };
    const Case cases[] = {
        {"an empty store", [](Harness& h) { h.seedSettings = false; }},
        {"a store that refuses reads",
         [](Harness& h) {
             seedOrdinarySettings(h.platform.store);
             set(h, "General", "ToolBar", s("False"));
             h.platform.store.refuseReads = true;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        c.prepare(h);
        expectAbout(h);
        h.load();

        expectFirstRunValues(h, FirstRunGeneralSettings);
        expectFirstRunValues(h, FirstRunViewSettings);
        EXPECT_TRUE(errorReport(h).contains(QLatin1String("Current Form=FrmMain")));
        EXPECT_TRUE(aboutShown(h));
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_FALSE(h->options().FirstLoading);
        // The design state stays in force.
        EXPECT_TRUE(h->menus().mnuToolBar->isChecked());
        EXPECT_TRUE(h->menus().mnuPromptChanges->isChecked());
        EXPECT_EQ(h->textBlock()->chosenFont().family(), QStringLiteral("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(h->textBlock()->chosenFont().pointSizeF(), 9.75);

        // Closing stores that the first run is over and ended normally.
        h.platform.store.refuseReads = false;
        ASSERT_TRUE(h.close());
        EXPECT_EQ(h.platform.store.value(s("General"), s("FirstLoading")), s("False"));
        EXPECT_EQ(h.platform.store.value(s("General"), s("NormalUnloading")), s("True"));
    }
}

TEST(StoredSettings, AnOrdinaryStartTakesTheGeneralGroupAndWritesOnlyTheRunningMark) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    set(h, "General", "RecentFile", s("/home/пользователь/письмо.txt"));
    set(h, "Flags", "FindFlagWW", s("1"));
    set(h, "Flags", "FindFlagMC", s("1"));
    set(h, "Flags", "ReplaceFlagWW", s("1"));
    set(h, "General", "ConfirmChanges", s("false"));
    set(h, "General", "DisableSave", s("True"));
    set(h, "General", "ToolBar", s("0"));
    set(h, "General", "TextDos", s("-1"));
    h.load();

    EXPECT_EQ(h->document().RecentFileString, s("/home/пользователь/письмо.txt"));
    EXPECT_EQ(h->searchMemory().CheckFindFlag1, 1);
    EXPECT_EQ(h->searchMemory().CheckFindFlag2, 1);
    EXPECT_EQ(h->searchMemory().CheckReplaceFlag1, 1);
    EXPECT_FALSE(h->menus().mnuPromptChanges->isChecked());
    EXPECT_TRUE(h->options().DisableSaveFile);
    EXPECT_FALSE(h->menus().mnuToolBar->isChecked());
    EXPECT_TRUE(h->menus().mnuCodeDos->isChecked());
    EXPECT_TRUE(errorReport(h).isEmpty());
    EXPECT_EQ(h.platform.store.writes.size(), GeneralKeys);
    EXPECT_EQ(h.platform.store.value(s("General"), s("NormalUnloading")), s("False"));
}

TEST(StoredSettings, OneUnreadableGeneralKeyMakesAFirstRun) {
    for (const StoredKey& bad : FirstRunGeneralSettings) {
        if (s(bad.key) == QLatin1String("RecentFile"))
            continue; // a text: every value reads
        SCOPED_TRACE(bad.key);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        set(h, "Flags", "FindFlagWW", s("1"));
        set(h, "General", "RecentFile", s("/tmp/a.txt"));
        set(h, "General", "FormTop", s("150"));
        set(h, bad.section, bad.key, s("не число"));
        expectAbout(h);
        h.load();

        // Nothing read was applied, so this start is a first run.
        EXPECT_TRUE(aboutShown(h));
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(h->searchMemory().CheckFindFlag1, 0);
        EXPECT_TRUE(h->document().RecentFileString.isEmpty());
        EXPECT_FALSE(errorReport(h).isEmpty());
        expectFirstRunValues(h, FirstRunGeneralSettings);
    }
}

// The whole group is read before any of it is applied: an unreadable last key
// leaves every earlier one unapplied, and the group is written from the window.
TEST(StoredSettings, AnUnreadableViewKeyKeepsTheDesignState) {
    const StoredKey& last = FirstRunViewSettings.back();
    Harness h;
    seedOrdinarySettings(h.platform.store);
    set(h, "Font", "FontName", s("DejaVu Sans"));
    set(h, "Font", "FontSize", s("14"));
    set(h, "Font", "FontStrikethru", s("True"));
    set(h, "General", "BackColor", s("0"));
    set(h, "General", "ToolTips", s("False"));
    set(h, last.section, last.key, s("x"));
    h.load();

    EXPECT_EQ(h->textBlock()->chosenFont().family(), s("MS Sans Serif"));
    EXPECT_FALSE(h->textBlock()->chosenFont().strikeOut());
    EXPECT_TRUE(h->menus().mnuTextInf->isChecked());
    EXPECT_EQ(h->textBlock()->backColor(), QColor(255, 255, 255));
    EXPECT_FALSE(errorReport(h).isEmpty());
    expectFirstRunValues(h, FirstRunViewSettings);
}

TEST(StoredSettings, AValueTheEditorRefusesKeepsWhatWasAppliedBeforeIt) {
    struct Case {
        const char* key;
        const char* value;
        const char* family; // the name comes first: it stays unless it was refused
    };
    const Case cases[] = {
        {"FontName", "", "MS Sans Serif"},
        {"FontSize", "5000", "DejaVu Sans"},
        {"FontColor", "16777216", "DejaVu Sans"},
        {"FontChars", "256", "DejaVu Sans"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        set(h, "Font", "FontName", s("DejaVu Sans"));
        set(h, "General", "ToolBar", s("False"));
        set(h, "Font", c.key, s(c.value));
        h.load();
        // The marks after it keep their design state; the group is rewritten
        // from the window.
        EXPECT_EQ(h->textBlock()->chosenFont().family(), s(c.family));
        EXPECT_TRUE(h->menus().mnuToolBar->isChecked());
        EXPECT_EQ(h.platform.store.value(s("Font"), s("FontName")), s(c.family));
        EXPECT_EQ(h.platform.store.value(s("General"), s("ToolBar")), s("True"));
        EXPECT_FALSE(errorReport(h).isEmpty());
    }
}

TEST(StoredSettings, ColoursAndTheSystemTextColour) {
    const QColor paletteText = QApplication::palette().color(QPalette::Text);
    struct Case {
        const char* fontColor;
        const char* backColor;
        QColor text;
        QColor back;
        bool system;
    };
    const Case cases[] = {
        {"-2147483640", "16777215", paletteText, QColor(255, 255, 255), true},
        {"255", "65280", QColor(255, 0, 0), QColor(0, 255, 0), false},
        {"0", "0", QColor(0, 0, 0), QColor(0, 0, 0), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fontColor);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        set(h, "Font", "FontColor", s(c.fontColor));
        set(h, "General", "BackColor", s(c.backColor));
        h.load();
        EXPECT_EQ(h->textBlock()->textColor(), c.text);
        EXPECT_EQ(h->textBlock()->backColor(), c.back);
        EXPECT_EQ(h->options().TextColorIsSystem, c.system);
        h->options().PromptChanges = false;
        h->ShowOptionsInMenus();
        ASSERT_TRUE(h.close());
        // Each comes back as it was stored.
        EXPECT_EQ(h.platform.store.value(s("Font"), s("FontColor")), s(c.fontColor));
        EXPECT_EQ(h.platform.store.value(s("General"), s("BackColor")), s(c.backColor));
    }

    // A text colour set during the run is stored as that colour.
    Harness h;
    h.load();
    h->textBlock()->setTextColor(QColor(1, 2, 3));
    h->options().PromptChanges = false;
    h->ShowOptionsInMenus();
    ASSERT_TRUE(h.close());
    EXPECT_EQ(h.platform.store.value(s("Font"), s("FontColor")), s("197121"));

    // A system background colour is read through the palette.
    Harness b;
    seedOrdinarySettings(b.platform.store);
    set(b, "General", "BackColor", s("-2147483643"));
    b.load();
    EXPECT_EQ(b->textBlock()->backColor(), QApplication::palette().color(QPalette::Base));
    EXPECT_TRUE(errorReport(b).isEmpty());
}

TEST(StoredSettings, TheEditorsLookRoundTripsThroughTheStore) {
    Harness first;
    first.load();
    FrmMain& w = *first.window;
    QFont font(s("DejaVu Sans"));
    font.setPointSizeF(14);
    // The quick styles below are all checked, and the layout gives them to the font.
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    w.textBlock()->setChosenFont(font);
    w.textBlock()->setTextColor(QColor(10, 20, 30));
    w.textBlock()->setFontCharSet(0);
    w.textBlock()->setBackColor(QColor(200, 210, 220));
    w.textBlock()->setAlignmentCode(2);
    bool Options::*const marks[] = {
        &Options::ToolBar,      &Options::Bold,        &Options::Italic,    &Options::Underline,
        &Options::LimType,      &Options::TextInf,     &Options::NoToolTip, &Options::LenEn,
        &Options::StandardMenu, &Options::TextWindows, &Options::TextDos,   &Options::TextKoi,
        &Options::SetChars,     &Options::Transparent, &Options::GetMouse,  &Options::StatusBar};
    for (bool Options::*mark : marks)
        w.options().*mark = !(w.options().*mark);
    w.ShowOptionsInMenus();
    w.SaveViewSettings();
    QStringList firstValues;
    for (const StoredKey& k : FirstRunViewSettings)
        firstValues << stored(first, k);
    EXPECT_EQ(first.platform.store.value(s("Font"), s("FontSize")), s("14"));
    EXPECT_EQ(first.platform.store.value(s("Font"), s("FontColor")), s("1971210"));
    EXPECT_EQ(first.platform.store.value(s("General"), s("Alignment")), s("2"));

    Harness second;
    second.platform.store = first.platform.store;
    second.load();
    EXPECT_EQ(second->textBlock()->chosenFont().family(), s("DejaVu Sans"));
    EXPECT_EQ(second->options().TextAlign, 2);
    EXPECT_EQ(second->textBlock()->fontCharSet(), 0);
    EXPECT_EQ(second->textBlock()->textColor(), QColor(10, 20, 30));
    EXPECT_EQ(second->textBlock()->backColor(), QColor(200, 210, 220));
    EXPECT_FALSE(second->menus().mnuToolBar->isChecked());
    EXPECT_TRUE(second->menus().mnuGetMouse->isChecked());
    second->textBlock()->setAlignmentCode(second->options().TextAlign); // what SetAlignment does
    second->SaveViewSettings();
    QStringList secondValues;
    for (const StoredKey& k : FirstRunViewSettings)
        secondValues << stored(second, k);
    EXPECT_EQ(secondValues, firstValues);
}

TEST(StoredSettings, TheGeneralGroupRoundTripsThroughClosing) {
    Harness first;
    first.load();
    first->searchMemory().CheckFindFlag1 = 1;
    first->searchMemory().CheckReplaceFlag1 = 1;
    first->document().RecentFileString = s("/srv/документы/отчёт.txt");
    first->mnuPromptChanges_Click();
    first->outer().SetPosition(1500, 1200);
    first->outer().SetSize(12000, 9000);
    ASSERT_TRUE(first.close());
    EXPECT_EQ(first.platform.store.value(s("General"), s("FormLeft")), s("1500"));
    EXPECT_EQ(first.platform.store.value(s("General"), s("FormTop")), s("1200"));
    EXPECT_EQ(first.platform.store.value(s("General"), s("FormWidth")), s("12000"));
    EXPECT_EQ(first.platform.store.value(s("General"), s("FormHeight")), s("9000"));
    EXPECT_EQ(first.platform.store.value(s("General"), s("ConfirmChanges")), s("False"));

    Harness second;
    second.platform.store = first.platform.store;
    second.load();
    EXPECT_EQ(second->searchMemory().CheckFindFlag1, 1);
    EXPECT_EQ(second->searchMemory().CheckFindFlag2, 0);
    EXPECT_EQ(second->searchMemory().CheckReplaceFlag1, 1);
    EXPECT_EQ(second->document().RecentFileString, s("/srv/документы/отчёт.txt"));
    EXPECT_FALSE(second->menus().mnuPromptChanges->isChecked());
    EXPECT_EQ(second->outer().Left(), 1500);
    EXPECT_EQ(second->outer().Top(), 1200);
    EXPECT_EQ(second->outer().Width(), 12000);
    EXPECT_EQ(second->outer().Height(), 9000);
}

TEST(StoredSettings, TooSmallAStoredSizeGivesTheDefaultPlacement) {
    Harness probe;
    probe.load();
    const std::int32_t limit = probe->widthLimit();
    ASSERT_GT(limit, 300);

    struct Case {
        std::int32_t height;
        std::int32_t width;
        bool storedUsed;
    };
    const Case cases[] = {
        {3999, 10500, false},     {3990, 10500, false}, {8550, limit - 15, false},
        {8550, limit - 1, false}, {4005, limit, true},  {4000, limit, true},
        {9000, 12000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.width).arg(c.height).toStdString());
        Harness h;
        seedOrdinarySettings(h.platform.store);
        set(h, "General", "FormTop", s("150"));
        set(h, "General", "FormLeft", s("300"));
        set(h, "General", "FormHeight", QString::number(c.height));
        set(h, "General", "FormWidth", QString::number(c.width));
        h.load();
        if (c.storedUsed) {
            EXPECT_EQ(h->outer().Top(), 150);
            EXPECT_EQ(h->outer().Left(), 300);
            EXPECT_NEAR(h->outer().Height(), c.height, 7);
            EXPECT_NEAR(h->outer().Width(), c.width, 7);
        } else {
            EXPECT_EQ(h->outer().Top(), 3405);
            EXPECT_EQ(h->outer().Left(), 4350);
            EXPECT_EQ(h->outer().Height(), 8550);
            EXPECT_EQ(h->outer().Width(), 10500);
        }
        EXPECT_TRUE(errorReport(h).isEmpty());
    }
}

// Which keys each shape writes is the settings' own test; here, that the window
// hands over the shape it is in: the keys it does not write keep what the store
// held.
TEST(StoredSettings, ClosingMaximisedOrMinimisedKeepsThePlacementKeys) {
    struct Case {
        Qt::WindowState state;
        const char* stateStored;
        const char* topStored;
    };
    const Case cases[] = {
        {Qt::WindowMaximized, "2", "999"},
        {Qt::WindowMinimized, "1", "999"},
        {Qt::WindowNoState, "0", "150"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        Harness h;
        seedOrdinarySettings(h.platform.store);
        set(h, "General", "FormTop", s("150"));
        h.load();
        // Values no closing writes.
        set(h, "General", "FormWindowState", s("1"));
        set(h, "General", "FormTop", s("999"));
        h->setWindowState(c.state);
        ASSERT_TRUE(h.close());
        EXPECT_EQ(h.platform.store.value(s("General"), s("FormWindowState")), s(c.stateStored));
        EXPECT_EQ(h.platform.store.value(s("General"), s("FormTop")), s(c.topStored));
        EXPECT_EQ(h.platform.store.value(s("General"), s("NormalUnloading")), s("True"));
    }
}

TEST(StoredSettings, AStoredMaximisedStateIsRestored) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    set(h, "General", "FormWindowState", s("2"));
    h.load();
    EXPECT_TRUE(h->isMaximized());
    EXPECT_FALSE(h->menus().mnuWind->isEnabled());

    Harness bad;
    seedOrdinarySettings(bad.platform.store);
    set(bad, "General", "FormWindowState", s("3"));
    bad.load();
    // Not a window state: what came before it stays applied (this is not a
    // first run), and the group is rewritten from the window.
    EXPECT_FALSE(bad->isMaximized());
    EXPECT_FALSE(aboutShown(bad));
    EXPECT_FALSE(errorReport(bad).isEmpty());
    EXPECT_EQ(bad.platform.store.value(s("General"), s("FormWindowState")), s("0"));
}

TEST(StoredSettings, NoDebugKeepsFailuresOutOfTheReport) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    set(h, "General", "NoDebug", s("True"));
    set(h, "Font", "FontSize", s("x"));
    h.load();
    EXPECT_TRUE(errorReport(h).isEmpty());
    EXPECT_EQ(h.platform.store.value(s("Font"), s("FontSize")), s("9,75"));
}

// When the window writes each group: once per save, each committed once.
TEST(StoredSettings, OneCommitPerGroupSaved) {
    struct Case {
        const char* name;
        bool firstRun;
        std::function<void(Harness&)> then; // after loading
        QList<int> groups;                  // keys written before each commit
    };
    // clang-format off
    const Case cases[] = {
        {"ordinary start: the running mark", false, nullptr, {GeneralKeys}},
        {"first run: both groups", true, nullptr, {GeneralKeys, ViewKeys}},
        {"closing, nothing changed", false, [](Harness& h) { ASSERT_TRUE(h.close()); },
         {GeneralKeys, GeneralKeys}},
        {"closing without the settings question", false,
         [](Harness& h) { h->options().PromptChanges = false; ASSERT_TRUE(h.close()); },
         {GeneralKeys, ViewKeys, GeneralKeys}},
        {"closing, changed settings kept", false,
         [](Harness& h) { h->mnuBold_Click(); h.platform.answerMessage(answer::Yes); ASSERT_TRUE(h.close()); },
         {GeneralKeys, ViewKeys, GeneralKeys}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.seedSettings = !c.firstRun;
        if (c.firstRun)
            expectAbout(h);
        h.load();
        if (c.then)
            c.then(h);
        QList<int> perCommit;
        int before = 0;
        for (const int saves : std::as_const(h.platform.store.savesAtCommit)) {
            perCommit << saves - before;
            before = saves;
        }
        EXPECT_EQ(perCommit, c.groups);
        EXPECT_EQ(h.platform.store.writes.size(), before) << "every save was committed";
    }
}

// The store's refusals are recorded and given up after one more try; closing
// still finishes.
TEST(StoredSettings, AStoreThatRefusesLetsClosingFinish) {
    struct Case {
        const char* name;
        bool refuseWrites;
        bool askAboutSettings; // the general group alone, or both groups
    };
    const Case cases[] = {
        {"every write refused, general group", true, true},
        {"every write refused, both groups", true, false},
        {"every commit refused, general group", false, true},
        {"every commit refused, both groups", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        h->options().PromptChanges = c.askAboutSettings;
        h->ShowOptionsInMenus();
        h.platform.store.refuseWrites = c.refuseWrites;
        h.platform.store.refuseCommits = !c.refuseWrites;
        EXPECT_TRUE(h.close());
        const int keys = c.askAboutSettings ? GeneralKeys : GeneralKeys + ViewKeys;
        const int groups = c.askAboutSettings ? 1 : 2;
        EXPECT_EQ(h.platform.store.refusedWrites, c.refuseWrites ? 2 * keys : 0);
        EXPECT_EQ(h.platform.store.refusedCommits, c.refuseWrites ? 0 : 2 * groups);
        const QString report = errorReport(h);
        EXPECT_TRUE(report.contains(QStringLiteral("Store refused the write")));
        EXPECT_TRUE(report.contains(QStringLiteral("Error Number=75")));
    }
}

} // namespace
} // namespace quillet::test
