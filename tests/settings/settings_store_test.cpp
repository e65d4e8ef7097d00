// The two groups of stored options: what a first run writes, how unreadable values
// reset their group, sizes and placement, and writing to a store that refuses.

#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

using Key = StoredKey;

// Every key with the value a first run leaves behind (default placement on the
// scripted 1280x1024 screen).
const Key generalGroup[] = {
    {"Flags", "ReplaceFlagWW", "0"},
    {"Flags", "FindFlagWW", "0"},
    {"Flags", "FindFlagMC", "0"},
    {"General", "ResizeInfo", "False"},
    {"General", "DisableSave", "False"},
    {"General", "NoDebug", "False"},
    {"General", "NormalUnloading", "False"},
    {"General", "FirstLoading", "True"},
    {"General", "ConfirmChanges", "True"},
    {"General", "RecentFile", ""},
    {"General", "FormWindowState", "0"},
    {"General", "FormTop", "3405"},
    {"General", "FormLeft", "4350"},
    {"General", "FormHeight", "8550"},
    {"General", "FormWidth", "10500"},
};
// The view group a first run writes is the window's design state, the same the
// harness seeds an ordinary store with.
const auto& viewGroup = FirstRunViewSettings;

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QString stored(Harness& h, const Key& k) {
    return h.platform.store.value(s(k.section), s(k.key));
}

// "Section/Key=" prefixes of the writes, in order.
QStringList writtenKeys(const MemoryStore& store) {
    QStringList keys;
    for (const QString& w : store.writes)
        keys << w.left(w.indexOf(QLatin1Char('=')));
    return keys;
}

QStringList keyNames(std::span<const Key> keys) {
    QStringList names;
    for (const Key* k = keys.data(); k != keys.data() + keys.size(); ++k)
        names << s(k->section) + QLatin1Char('/') + s(k->key);
    return names;
}

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

TEST(SettingsStore, FirstRunWritesEveryKeyWithItsFirstRunValue) {
    Harness h;
    h.seedSettings = false;
    expectAbout(h);
    h.load();

    for (const Key& k : generalGroup) {
        EXPECT_TRUE(h.platform.store.contains(s(k.section), s(k.key))) << k.key;
        EXPECT_EQ(stored(h, k), s(k.value)) << k.key;
    }
    for (const Key& k : viewGroup) {
        EXPECT_TRUE(h.platform.store.contains(s(k.section), s(k.key))) << k.key;
        EXPECT_EQ(stored(h, k), s(k.value)) << k.key;
    }
    // Both groups were written once each, in their tables' order of writing.
    QStringList expected = keyNames(generalGroup);
    // The general group writes the program's flags before the dialogs' check boxes.
    expected.move(0, 8);
    expected.move(0, 8);
    expected.move(0, 8);
    expected << keyNames(viewGroup);
    EXPECT_EQ(writtenKeys(h.platform.store), expected);

    EXPECT_FALSE(errorReport(h).isEmpty());
    EXPECT_TRUE(errorReport(h).contains(QLatin1String("FrmMain")));
    EXPECT_TRUE(aboutShown(h));
    EXPECT_TRUE(h.platform.messages().empty());
    EXPECT_FALSE(h->options().FirstLoading);
    // The design state stays in force.
    EXPECT_TRUE(h->menus().mnuToolBar->isChecked());
    EXPECT_TRUE(h->menus().mnuPromptChanges->isChecked());
    EXPECT_EQ(h->textBlock()->chosenFont().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(h->textBlock()->chosenFont().pointSizeF(), 9.75);

    // Closing stores that the first run is over and ended normally.
    ASSERT_TRUE(h.close());
    EXPECT_EQ(h.platform.store.value(s("General"), s("FirstLoading")), s("False"));
    EXPECT_EQ(h.platform.store.value(s("General"), s("NormalUnloading")), s("True"));
}

TEST(SettingsStore, OrdinaryStartReadsWithoutRewritingTheViewGroup) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("General"), s("RecentFile"), s("/home/пользователь/письмо.txt"));
    h.platform.store.set(s("Flags"), s("FindFlagWW"), s("1"));
    h.platform.store.set(s("Flags"), s("FindFlagMC"), s("1"));
    h.platform.store.set(s("Flags"), s("ReplaceFlagWW"), s("1"));
    h.platform.store.set(s("General"), s("ConfirmChanges"), s("false"));
    h.platform.store.set(s("General"), s("ToolBar"), s("0"));
    h.platform.store.set(s("General"), s("TextDos"), s("-1"));
    h.load();

    EXPECT_EQ(h->document().RecentFileString, s("/home/пользователь/письмо.txt"));
    EXPECT_EQ(h->searchMemory().CheckFindFlag1, 1);
    EXPECT_EQ(h->searchMemory().CheckFindFlag2, 1);
    EXPECT_EQ(h->searchMemory().CheckReplaceFlag1, 1);
    EXPECT_FALSE(h->menus().mnuPromptChanges->isChecked());
    EXPECT_FALSE(h->menus().mnuToolBar->isChecked());
    EXPECT_TRUE(h->menus().mnuCodeDos->isChecked());
    EXPECT_TRUE(errorReport(h).isEmpty());
    // Only the clean-exit mark was written: the general group, once.
    EXPECT_EQ(writtenKeys(h.platform.store).size(), 15);
    EXPECT_EQ(h.platform.store.value(s("General"), s("NormalUnloading")), s("False"));
}

TEST(SettingsStore, OneUnreadableGeneralKeyMakesAFirstRunAndRewritesTheGroup) {
    // Each key in turn holds a text that is not a value of its kind.
    for (const Key& bad : generalGroup) {
        if (s(bad.key) == QLatin1String("RecentFile"))
            continue; // a text: every value reads
        SCOPED_TRACE(bad.key);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.platform.store.set(s("Flags"), s("FindFlagWW"), s("1"));
        h.platform.store.set(s("General"), s("RecentFile"), s("/tmp/a.txt"));
        h.platform.store.set(s("General"), s("FormTop"), s("150"));
        h.platform.store.set(s(bad.section), s(bad.key), s("не число"));
        expectAbout(h);
        h.load();

        // Nothing read was applied, so this start is a first run.
        EXPECT_TRUE(aboutShown(h));
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(h->searchMemory().CheckFindFlag1, 0);
        EXPECT_TRUE(h->document().RecentFileString.isEmpty());
        EXPECT_FALSE(errorReport(h).isEmpty());
        for (const Key& k : generalGroup)
            EXPECT_EQ(stored(h, k), s(k.value)) << k.key;
    }
}

TEST(SettingsStore, OneUnreadableViewKeyKeepsTheDesignStateAndRewritesTheGroup) {
    for (const Key& bad : viewGroup) {
        if (s(bad.key) == QLatin1String("FontName"))
            continue; // a text: every value reads
        SCOPED_TRACE(bad.key);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        // A complete set of different values, none of which may be applied.
        h.platform.store.set(s("Font"), s("FontName"), s("DejaVu Sans"));
        h.platform.store.set(s("Font"), s("FontSize"), s("14"));
        h.platform.store.set(s("Font"), s("FontStrikethru"), s("True"));
        h.platform.store.set(s("Font"), s("FontColor"), s("255"));
        h.platform.store.set(s("General"), s("BackColor"), s("0"));
        h.platform.store.set(s("General"), s("ToolTips"), s("False"));
        h.platform.store.set(s("General"), s("Alignment"), s("2"));
        h.platform.store.set(s(bad.section), s(bad.key), s("x"));
        h.load();

        EXPECT_EQ(h->textBlock()->chosenFont().family(), s("MS Sans Serif"));
        EXPECT_FALSE(h->textBlock()->chosenFont().strikeOut());
        EXPECT_TRUE(h->menus().mnuTextInf->isChecked());
        EXPECT_EQ(h->options().TextAlign, 0);
        EXPECT_EQ(h->textBlock()->backColor(), QColor(255, 255, 255));
        EXPECT_FALSE(errorReport(h).isEmpty());
        for (const Key& k : viewGroup)
            EXPECT_EQ(stored(h, k), s(k.value)) << k.key;
    }
}

TEST(SettingsStore, AValueTheEditorRefusesKeepsWhatWasAppliedBeforeIt) {
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"FontSize", "0"},    {"FontSize", "-3"},        {"FontSize", "5000"},
        {"FontChars", "256"}, {"FontColor", "16777216"}, {"FontColor", "-2147483392"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.platform.store.set(s("Font"), s("FontName"), s("DejaVu Sans"));
        h.platform.store.set(s("General"), s("ToolBar"), s("False"));
        h.platform.store.set(s("Font"), s(c.key), s(c.value));
        h.load();
        // The name came before the refused value and stays; the marks after it
        // keep their design state; the group is rewritten from the window.
        EXPECT_EQ(h->textBlock()->chosenFont().family(), s("DejaVu Sans"));
        EXPECT_TRUE(h->menus().mnuToolBar->isChecked());
        EXPECT_EQ(h.platform.store.value(s("Font"), s("FontName")), s("DejaVu Sans"));
        EXPECT_EQ(h.platform.store.value(s("General"), s("ToolBar")), s("True"));
        EXPECT_FALSE(errorReport(h).isEmpty());
    }
}

TEST(SettingsStore, AnEmptyFontNameKeepsTheDesignFont) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("Font"), s("FontName"), s(""));
    h.load();
    EXPECT_EQ(h->textBlock()->chosenFont().family(), s("MS Sans Serif"));
    EXPECT_EQ(h.platform.store.value(s("Font"), s("FontName")), s("MS Sans Serif"));
}

TEST(SettingsStore, FontSizesComeBackRoundedHalfToEven) {
    struct Case {
        const char* stored;
        double points;
        const char* rewritten; // written back at the next closing
    };
    const Case cases[] = {
        {"9,75", 10, "10"}, {"10,5", 10, "10"}, {"11,5", 12, "12"},
        {"9.75", 10, "10"}, {"12", 12, "12"},   {"8,25", 8, "8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.platform.store.set(s("Font"), s("FontSize"), s(c.stored));
        h.load();
        EXPECT_DOUBLE_EQ(h->textBlock()->chosenFont().pointSizeF(), c.points);
        h->options().PromptChanges = false; // store the view group at closing
        ASSERT_TRUE(h.close());
        EXPECT_EQ(h.platform.store.value(s("Font"), s("FontSize")), s(c.rewritten));
    }
}

TEST(SettingsStore, ColoursAndTheSystemTextColour) {
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
        h.platform.store.set(s("Font"), s("FontColor"), s(c.fontColor));
        h.platform.store.set(s("General"), s("BackColor"), s(c.backColor));
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
    b.platform.store.set(s("General"), s("BackColor"), s("-2147483643"));
    b.load();
    EXPECT_EQ(b->textBlock()->backColor(), QApplication::palette().color(QPalette::Base));
    EXPECT_TRUE(errorReport(b).isEmpty());
}

TEST(SettingsStore, ViewGroupRoundTripsThroughTheStore) {
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
    for (const Key& k : viewGroup)
        firstValues << stored(first, k);
    EXPECT_EQ(firstValues.at(1), s("14"));
    EXPECT_EQ(firstValues.at(6), s("1971210"));
    EXPECT_EQ(firstValues.at(25), s("2"));

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
    second.platform.store.writes.clear();
    second->SaveViewSettings();
    QStringList secondValues;
    for (const Key& k : viewGroup)
        secondValues << stored(second, k);
    EXPECT_EQ(secondValues, firstValues);
}

TEST(SettingsStore, GeneralGroupRoundTripsThroughClosing) {
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

TEST(SettingsStore, TooSmallStoredSizeGivesTheDefaultPlacement) {
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
        h.platform.store.set(s("General"), s("FormTop"), s("150"));
        h.platform.store.set(s("General"), s("FormLeft"), s("300"));
        h.platform.store.set(s("General"), s("FormHeight"), QString::number(c.height));
        h.platform.store.set(s("General"), s("FormWidth"), QString::number(c.width));
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

TEST(SettingsStore, ClosingMaximisedOrMinimisedKeepsThePlacementKeys) {
    struct Case {
        Qt::WindowState state;
        const char* stateWritten; // nullptr: not written
    };
    const Case cases[] = {
        {Qt::WindowMaximized, "2"},
        {Qt::WindowMinimized, nullptr},
        {Qt::WindowNoState, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.platform.store.set(s("General"), s("FormTop"), s("150"));
        h.load();
        h->setWindowState(c.state);
        h.platform.store.writes.clear();
        ASSERT_TRUE(h.close());
        const QStringList keys = writtenKeys(h.platform.store);
        EXPECT_EQ(keys.contains(s("General/FormWindowState")), c.stateWritten != nullptr);
        if (c.stateWritten) {
            EXPECT_EQ(h.platform.store.value(s("General"), s("FormWindowState")),
                      s(c.stateWritten));
        }
        const bool normal = c.state == Qt::WindowNoState;
        for (const char* key : {"FormTop", "FormLeft", "FormHeight", "FormWidth"})
            EXPECT_EQ(keys.contains(s("General/") + s(key)), normal) << key;
        if (!normal) {
            EXPECT_EQ(h.platform.store.value(s("General"), s("FormTop")), s("150"));
        }
        // The rest of the general group is written whatever the state.
        EXPECT_TRUE(keys.contains(s("General/NormalUnloading")));
        EXPECT_TRUE(keys.contains(s("General/RecentFile")));
    }
}

TEST(SettingsStore, StoredMaximisedStateIsRestored) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("General"), s("FormWindowState"), s("2"));
    h.load();
    EXPECT_TRUE(h->isMaximized());
    EXPECT_FALSE(h->menus().mnuWind->isEnabled());

    Harness bad;
    seedOrdinarySettings(bad.platform.store);
    bad.platform.store.set(s("General"), s("FormWindowState"), s("3"));
    bad.load();
    // Not a window state: what came before it stays applied (this is not a
    // first run), and the group is rewritten from the window.
    EXPECT_FALSE(bad->isMaximized());
    EXPECT_FALSE(aboutShown(bad));
    EXPECT_FALSE(errorReport(bad).isEmpty());
    EXPECT_EQ(bad.platform.store.value(s("General"), s("FormWindowState")), s("0"));
}

TEST(SettingsStore, HiddenSwitchesAreWrittenBackUnchanged) {
    const char* values[][2] = {{"True", "False"}, {"False", "True"}, {"true", "1"}};
    for (const auto& v : values) {
        SCOPED_TRACE(std::string(v[0]) + "/" + v[1]);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.platform.store.set(s("General"), s("DisableSave"), s(v[0]));
        h.platform.store.set(s("General"), s("NoDebug"), s(v[1]));
        h.load();
        const bool disable = s(v[0]).compare(s("False"), Qt::CaseInsensitive) != 0;
        const bool noDebug = s(v[1]).compare(s("False"), Qt::CaseInsensitive) != 0;
        EXPECT_EQ(h->options().DisableSaveFile, disable);
        EXPECT_EQ(h->options().NoDebugFile, noDebug);
        ASSERT_TRUE(h.close());
        EXPECT_EQ(h.platform.store.value(s("General"), s("DisableSave")),
                  disable ? s("True") : s("False"));
        EXPECT_EQ(h.platform.store.value(s("General"), s("NoDebug")),
                  noDebug ? s("True") : s("False"));
    }
}

TEST(SettingsStore, NoDebugKeepsFailuresOutOfTheReport) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("General"), s("NoDebug"), s("True"));
    h.platform.store.set(s("Font"), s("FontSize"), s("x"));
    h.load();
    EXPECT_TRUE(errorReport(h).isEmpty());
    EXPECT_EQ(h.platform.store.value(s("Font"), s("FontSize")), s("9,75"));
}

TEST(SettingsStore, AStoreThatRefusesEveryWriteLetsClosingFinish) {
    struct Case {
        bool askAboutSettings;
        int keysWritten; // general group alone, or both groups
    };
    const Case cases[] = {{true, 15}, {false, 41}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keysWritten);
        Harness h;
        h.load();
        h->options().PromptChanges = c.askAboutSettings;
        h->ShowOptionsInMenus();
        h.platform.store.refuseWrites = true;
        EXPECT_TRUE(h.close());
        // Each key was tried twice and then given up.
        EXPECT_EQ(h.platform.store.refusedWrites, 2 * c.keysWritten);
        EXPECT_FALSE(errorReport(h).isEmpty());
    }
}

TEST(SettingsStore, AStoreThatRefusesReadsStartsAsAFirstRun) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("General"), s("ToolBar"), s("False"));
    h.platform.store.refuseReads = true;
    expectAbout(h);
    h.load();
    EXPECT_TRUE(aboutShown(h));
    EXPECT_TRUE(h->menus().mnuToolBar->isChecked());
    EXPECT_EQ(h.platform.store.value(s("General"), s("ToolBar")), s("True"));
    EXPECT_FALSE(errorReport(h).isEmpty());
}

} // namespace
} // namespace quillet::test
