#include "support/harness.h"
#include "view/edit_hook.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::Harness;

// A document named on the command line that cannot be read: the loading
// sequence's last step shows its failure, so the journal marks when it ran.
const QString MissingDocument = QStringLiteral("/nonexistent/quillet/missing.txt");

TEST(Loading, RunsItsStepsInOrder) {
    struct Case {
        const char* name;
        bool firstRun;
        QStringList order; // journal prefixes, each after the one before
        int generalReads;  // the general group's reads before the view group's
    };
    const Case cases[] = {
        {"ordinary start",
         false,
         {"read Flags/ReplaceFlagWW", "read General/FormWidth", "read Font/FontName",
          "read General/Alignment", "otherInstanceRunning", "message " + MissingDocument},
         15},
        // An empty store: each group stops at its first key, which cannot be read.
        {"first run",
         true,
         {"read Flags/ReplaceFlagWW", "read Font/FontName", "dialog FrmAbout",
          "message " + MissingDocument},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.seedSettings = !c.firstRun;
        if (c.firstRun)
            h.platform.answerDialog([](QDialog&) { return 0; });
        if (!c.firstRun) {
            test::seedOrdinarySettings(h.platform.store);
            // Values only the later steps apply.
            h.platform.store.set(QStringLiteral("Font"), QStringLiteral("FontName"),
                                 QStringLiteral("Courier"));
            h.platform.store.set(QStringLiteral("General"), QStringLiteral("Alignment"),
                                 QStringLiteral("2"));
            h.platform.store.set(QStringLiteral("General"), QStringLiteral("ToolBar"),
                                 QStringLiteral("False"));
        }
        h.load(MissingDocument);
        const test::Journal& j = h.platform.journal;

        qsizetype previous = -1;
        for (const QString& step : c.order) {
            const qsizetype at = j.first(step);
            EXPECT_GT(at, previous) << step.toStdString();
            previous = at;
        }
        // The general group is read whole before the view group.
        const QStringList beforeView = j.entries.mid(0, j.first("read Font/"));
        EXPECT_EQ(beforeView.filter(QStringLiteral("read ")).size(), c.generalReads);

        // What the steps without a platform call left behind, each from the
        // settings read before it.
        ASSERT_NE(h->transparency().editHook(), nullptr);
        EXPECT_TRUE(h->transparency().editHook()->installed());
        EXPECT_EQ(h->fontChoice().name, h->textBlock()->chosenFont().family());
        if (!c.firstRun) {
            EXPECT_EQ(h->fontChoice().name, QStringLiteral("Courier"));
            EXPECT_EQ(h->textBlock()->alignmentCode(), 2);
            EXPECT_FALSE(h->toolbar()->isVisibleTo(h.window.get()));
            EXPECT_FALSE(h->menus().mnuToolBar->isChecked());
        }
    }
}

TEST(Loading, DefaultsAreInPlaceBeforeTheSettingsAreRead) {
    Harness h;
    h.platform.appFolder = QStringLiteral("/home/user/quillet");
    QStringList loadState;
    std::vector<bool> flagsAtCommandLine;
    h.platform.journal.onEntry = [&](const QString& entry) {
        FrmMain& w = *h.window;
        if (loadState.isEmpty() && entry.startsWith(QLatin1String("read "))) {
            loadState = {w.errorReport().snapshot().ErrSysInfo,
                         w.errorReport().snapshot().ErrVerInfo,
                         QString::number(w.errorReport().snapshot().ErrTotMem),
                         QString::number(w.searchMemory().CheckFindFlag1),
                         QString::number(w.options().FirstLoading),
                         QString::number(w.options().UnloadOk),
                         w.errorReport().DebugFilePath()};
        }
        if (entry.startsWith(QStringLiteral("message ") + MissingDocument)) {
            flagsAtCommandLine = {w.options().UserChangeOptions, w.document().TextChange,
                                  w.document().FileExist, w.document().NewDoc,
                                  w.searchMemory().UseFindRep};
        }
    };
    FrmMain& w = h.load(MissingDocument);
    const QStringList expected = {
        "Unknown", "Unknown", "0", "0", "1", "0", "/home/user/quillet/QDebug.log"};
    EXPECT_EQ(loadState, expected);
    EXPECT_GT(w.widthLimit(), 300);
    // UserChangeOptions, TextChange, FileExist False; NewDoc, UseFindRep True.
    EXPECT_EQ(flagsAtCommandLine, (std::vector<bool>{false, false, false, true, true}));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Новый документ - Квиллет"));
}

// One row of the closing decision.
struct CloseCase {
    const char* name;
    bool modified;
    int documentAnswer; // 0: no question expected
    bool saveSucceeds;
    bool askOption; // "Спрашивать о настройках"
    bool optionsChanged;
    int settingsAnswer; // 0: no question expected
    // Expectations.
    bool closes;
    bool viewSaved;
    bool saved; // Save went on to ask for a name (the document is untitled)
};

constexpr int Y = answer::Yes, N = answer::No, C = answer::Cancel;

const CloseCase closeCases[] = {
    {"unchanged, ask, nothing changed", false, 0, true, true, false, 0, true, false, false},
    {"unchanged, ask, options changed: yes", false, 0, true, true, true, Y, true, true, false},
    {"unchanged, ask, options changed: no", false, 0, true, true, true, N, true, false, false},
    {"unchanged, ask, options changed: cancel", false, 0, true, true, true, C, false, false, false},
    {"unchanged, don't ask, nothing changed", false, 0, true, false, false, 0, true, true, false},
    {"unchanged, don't ask, options changed", false, 0, true, false, true, 0, true, true, false},
    {"modified: yes, saved", true, Y, true, true, false, 0, true, false, true},
    {"modified: yes, save failed", true, Y, false, true, false, 0, false, false, true},
    {"modified: no", true, N, true, true, false, 0, true, false, false},
    {"modified: cancel", true, C, true, true, false, 0, false, false, false},
    {"modified: cancel, settings still asked: yes", true, C, true, true, true, Y, false, true,
     false},
    {"modified: cancel, settings still asked: no", true, C, true, true, true, N, false, false,
     false},
    {"modified: cancel, don't ask", true, C, true, false, true, 0, false, true, false},
    {"modified: no, ask, options changed: cancel", true, N, true, true, true, C, false, false,
     false},
    {"modified: yes saved, don't ask", true, Y, true, false, false, 0, true, true, true},
};

const QString DocumentQuestion = QStringLiteral("был изменён.\r\nСохранить эти изменения?");
const QString SettingsQuestion = QStringLiteral("Настройки программы были изменены.\r\n"
                                                "Сохранить эти изменения?");

TEST(Closing, DecisionTable) {
    for (const CloseCase& c : closeCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        Harness h;
        FrmMain& w = h.load();
        w.show();
        if (c.modified)
            w.textBlock()->setText(QStringLiteral("changed"));
        ASSERT_EQ(w.document().TextChange, c.modified);
        // The document is untitled: Yes goes on to Save As, which writes the file
        // or is cancelled.
        if (c.documentAnswer != 0)
            h.platform.answerMessage(c.documentAnswer);
        if (c.saved) {
            h.platform.answerSave(c.saveSucceeds
                                      ? std::optional<QString>(folder.filePath("saved.txt"))
                                      : std::nullopt);
        }
        w.options().PromptChanges = c.askOption;
        w.ShowOptionsInMenus();
        w.options().UserChangeOptions = c.optionsChanged;
        if (c.settingsAnswer != 0)
            h.platform.answerMessage(c.settingsAnswer);
        h.platform.shown.clear();
        h.platform.store.writes.clear();

        const bool closed = w.close();

        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(w.isVisible(), !c.closes);
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
        const auto messages = h.platform.messages();
        const auto documentQuestions =
            std::count_if(messages.begin(), messages.end(),
                          [](const test::Shown& m) { return m.text.endsWith(DocumentQuestion); });
        EXPECT_EQ(documentQuestions, c.modified ? 1 : 0);
        const bool saveAsShown =
            std::any_of(h.platform.shown.begin(), h.platform.shown.end(),
                        [](const test::Shown& s) { return s.kind == QStringLiteral("save"); });
        EXPECT_EQ(saveAsShown, c.saved);
        if (c.saved) {
            EXPECT_EQ(QFileInfo::exists(folder.filePath("saved.txt")), c.saveSucceeds);
        }

        const QStringList& writes = h.platform.store.writes;
        const bool viewWritten = writes.contains(QStringLiteral("Font/FontName=MS Sans Serif"));
        EXPECT_EQ(viewWritten, c.viewSaved);
        // The general group is always written, once, saying whether the run ended.
        const QStringList unloading = writes.filter(QStringLiteral("General/NormalUnloading="));
        ASSERT_EQ(unloading.size(), 1) << "general settings always written";
        EXPECT_EQ(unloading.front(),
                  QStringLiteral("General/NormalUnloading=") +
                      (c.closes ? QStringLiteral("True") : QStringLiteral("False")));
        ASSERT_NE(w.transparency().editHook(), nullptr);
        EXPECT_EQ(w.transparency().editHook()->installed(), !c.closes);

        const auto settingsQuestions =
            std::count_if(messages.begin(), messages.end(),
                          [](const test::Shown& m) { return m.text == SettingsQuestion; });
        ASSERT_EQ(settingsQuestions, c.settingsAnswer != 0 ? 1 : 0);
        if (c.settingsAnswer != 0) {
            const test::Shown& q = messages.back();
            EXPECT_EQ(q.text, SettingsQuestion);
            EXPECT_EQ(q.title, QStringLiteral("Квиллет"));
            EXPECT_EQ(q.icon, MsgIcon::Question);
            EXPECT_EQ(q.buttons, MsgButtons::YesNoCancel);
        }
        if (c.viewSaved) {
            EXPECT_FALSE(w.options().UserChangeOptions);
        }
        if (!c.closes)
            w.hide();
    }
}

TEST(Closing, CancelKeepsTheWindowAndAsksAgainNextTime) {
    Harness h;
    FrmMain& w = h.load();
    w.show();
    w.options().UserChangeOptions = true;
    h.platform.answerMessage(answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.options().UserChangeOptions);
    h.platform.answerMessage(answer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(h.platform.messages().size(), 2u);
}

TEST(Closing, ExitGoesThroughTheSameClose) {
    Harness h;
    FrmMain& w = h.load();
    w.show();
    h.platform.store.writes.clear();
    w.options().UserChangeOptions = true;
    h.platform.answerMessage(answer::Cancel);
    w.menus().mnuExit->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(h.platform.store.writes.filter(QStringLiteral("General/NormalUnloading=")),
              QStringList{QStringLiteral("General/NormalUnloading=False")});
    EXPECT_TRUE(w.transparency().editHook()->installed());
    h.platform.answerMessage(answer::No);
    w.menus().mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.transparency().editHook()->installed());
}

} // namespace
} // namespace quillet
