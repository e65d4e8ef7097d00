#include "support/harness.h"

#include <QAction>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::ScriptedPlatform;

// A main window that records the named steps of its loading and closing
// sequences (and still runs them), and whose Save can be told to succeed or fail.
class TracingWindow : public FrmMain {
public:
    using FrmMain::FrmMain;

    QStringList trace;
    bool saveSucceeds = true;
    bool scriptedDocumentAnswer = false;
    int documentAnswer = 0;
    QList<bool> unloadOkAtGeneralSave;

    void mnuWind_Click() override { (record("mnuWind_Click"), FrmMain::mnuWind_Click()); }
    void HookEditControl() override { (record("HookEditControl"), FrmMain::HookEditControl()); }
    void UnhookEditControl() override {
        (record("UnhookEditControl"), FrmMain::UnhookEditControl());
    }
    void LoadGeneralSettings() override {
        // What the loading steps before it must have set up.
        loadState = {errorSnapshot().ErrSysInfo,
                     errorSnapshot().ErrVerInfo,
                     QString::number(errorSnapshot().ErrTotMem),
                     QString::number(CheckFindFlag1),
                     QString::number(FirstLoading),
                     QString::number(UnloadOk),
                     QString::number(NotCheckLen),
                     DebugFilePath};
        (record("LoadGeneralSettings"), FrmMain::LoadGeneralSettings());
    }
    void LoadViewSettings() override { (record("LoadViewSettings"), FrmMain::LoadViewSettings()); }
    void CheckPreviousShutdown() override {
        (record("CheckPreviousShutdown"), FrmMain::CheckPreviousShutdown());
    }
    void LoadFontDialogFromEditor() override {
        (record("LoadFontDialogFromEditor"), FrmMain::LoadFontDialogFromEditor());
    }
    void ArrangeWindow() override { (record("ArrangeWindow"), FrmMain::ArrangeWindow()); }
    void SetAlignment() override { (record("SetAlignment"), FrmMain::SetAlignment()); }
    void UpdateDocumentName() override {
        (record("UpdateDocumentName"), FrmMain::UpdateDocumentName());
    }
    void ProcessCommandLine() override {
        flagsAtCommandLine = {UserChangeOptions, TextChange, FileExist, NewDoc, UseFindRep};
        (record("ProcessCommandLine"), FrmMain::ProcessCommandLine());
    }
    void SaveGeneralSettings() override {
        unloadOkAtGeneralSave << UnloadOk;
        (record("SaveGeneralSettings"), FrmMain::SaveGeneralSettings());
    }
    void SaveViewSettings() override { (record("SaveViewSettings"), FrmMain::SaveViewSettings()); }
    void SaveChangesPrompt() override {
        if (!scriptedDocumentAnswer)
            return record("SaveChangesPrompt"), FrmMain::SaveChangesPrompt();
        trace << QStringLiteral("SaveChangesPrompt");
        SavePromptReturn = static_cast<std::int16_t>(documentAnswer);
    }
    void mnuSave_Click() override {
        trace << QStringLiteral("mnuSave_Click");
        if (saveSucceeds)
            TextChange = false;
    }

    QStringList loadState;
    std::vector<bool> flagsAtCommandLine;

private:
    // Records a step; the caller then runs the window's own operation, named
    // with FrmMain:: so the call is not dispatched back to the override.
    void record(const char* name) { trace << QString::fromLatin1(name); }
};

struct TracingHarness {
    ScriptedPlatform platform;
    std::unique_ptr<TracingWindow> window;

    TracingWindow& load() {
        test::seedOrdinarySettings(platform.store);
        window = std::make_unique<TracingWindow>(platform, QString());
        window->Form_Load();
        return *window;
    }
};

TEST(Loading, RunsItsStepsInOrder) {
    TracingHarness h;
    TracingWindow& w = h.load();
    const QStringList expected = {
        "mnuWind_Click",      "HookEditControl",       "LoadGeneralSettings",
        "LoadViewSettings",   "CheckPreviousShutdown", "LoadFontDialogFromEditor",
        "ArrangeWindow",      "SetAlignment",          "HookEditControl",
        "UpdateDocumentName", "ProcessCommandLine",
    };
    // Steps may call each other (a settings load may rewrite its group, the
    // shutdown check writes the general group, applying the alignment attaches
    // the editor's hook again): compare the loading steps only.
    QStringList loadingSteps;
    for (const QString& s : w.trace) {
        if (expected.contains(s))
            loadingSteps << s;
    }
    EXPECT_EQ(loadingSteps, expected);
}

TEST(Loading, DefaultsAreInPlaceBeforeTheSettingsAreRead) {
    TracingHarness h;
    h.platform.appFolder = QStringLiteral("/opt/quillet");
    TracingWindow& w = h.load();
    const QStringList expected = {"Unknown", "Unknown", "0", "0",
                                  "1",       "0",       "0", "/opt/quillet/QDebug.log"};
    EXPECT_EQ(w.loadState, expected);
    EXPECT_GT(w.WidthLimitPoint, 300);
    // UserChangeOptions, TextChange, FileExist False; NewDoc, UseFindRep True.
    EXPECT_EQ(w.flagsAtCommandLine, (std::vector<bool>{false, false, false, true, true}));
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
    bool saved; // mnuSave_Click ran
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

TEST(Closing, DecisionTable) {
    for (const CloseCase& c : closeCases) {
        SCOPED_TRACE(c.name);
        TracingHarness h;
        TracingWindow& w = h.load();
        w.show();
        w.trace.clear();
        w.unloadOkAtGeneralSave.clear();
        w.TextChange = c.modified;
        w.scriptedDocumentAnswer = true;
        w.documentAnswer = c.documentAnswer;
        w.saveSucceeds = c.saveSucceeds;
        w.mnuPromptChanges->setChecked(c.askOption);
        w.UserChangeOptions = c.optionsChanged;
        if (c.settingsAnswer != 0)
            h.platform.answerMessage(c.settingsAnswer);
        const size_t messagesBefore = h.platform.messages().size();

        const bool closed = w.close();

        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(w.isVisible(), !c.closes);
        EXPECT_EQ(w.trace.contains("SaveChangesPrompt"), c.modified);
        EXPECT_EQ(w.trace.contains("mnuSave_Click"), c.saved);
        EXPECT_EQ(w.trace.contains("SaveViewSettings"), c.viewSaved);
        EXPECT_EQ(w.trace.count("SaveGeneralSettings"), 1) << "general settings always written";
        ASSERT_EQ(w.unloadOkAtGeneralSave.size(), 1);
        EXPECT_EQ(w.unloadOkAtGeneralSave.front(), c.closes);
        EXPECT_EQ(w.trace.contains("UnhookEditControl"), c.closes);
        EXPECT_EQ(h.platform.unusedAnswers(), 0);

        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size() - messagesBefore, c.settingsAnswer != 0 ? 1u : 0u);
        if (c.settingsAnswer != 0) {
            const test::Shown& q = messages.back();
            EXPECT_EQ(q.text, QStringLiteral("Настройки программы были изменены.\r\n"
                                             "Сохранить эти изменения?"));
            EXPECT_EQ(q.title, QStringLiteral("Квиллет"));
            EXPECT_EQ(q.icon, MsgIcon::Question);
            EXPECT_EQ(q.buttons, MsgButtons::YesNoCancel);
        }
        if (c.viewSaved) {
            EXPECT_FALSE(w.UserChangeOptions);
        }
        if (!c.closes)
            w.hide();
    }
}

TEST(Closing, CancelKeepsTheWindowAndAsksAgainNextTime) {
    TracingHarness h;
    TracingWindow& w = h.load();
    w.show();
    w.UserChangeOptions = true;
    h.platform.answerMessage(answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.UserChangeOptions);
    h.platform.answerMessage(answer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(h.platform.messages().size(), 2u);
}

TEST(Closing, ExitGoesThroughTheSameClose) {
    TracingHarness h;
    TracingWindow& w = h.load();
    w.show();
    w.trace.clear();
    w.UserChangeOptions = true;
    h.platform.answerMessage(answer::Cancel);
    w.mnuExit->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.trace.count("SaveGeneralSettings"), 1);
    h.platform.answerMessage(answer::No);
    w.mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.trace.count("UnhookEditControl"), 1);
}

} // namespace
} // namespace quillet
