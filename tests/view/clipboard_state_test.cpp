// The clipboard's state beside owners that answer at once, late, never, or with
// a failure: nothing but a menu that opens and Paste waits, each for a bounded
// time, and a late answer of an earlier read never passes for the latest.

#include "support/harness.h"
#include "support/recording_failures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

using std::chrono::milliseconds;

enum class Owner { AtOnce, Late, Never, Unreadable };

TEST(ClipboardState, WaitsOnlyForMenusAndPasteAndNeverLonger) {
    struct Case {
        const char* name;
        Owner owner;
        QString text;
        std::optional<bool> holds;        // as the tick sees it, before any wait
        std::optional<bool> holdsForMenu; // as a menu that opens sees it
        std::optional<QString> pasted;    // nothing: Paste gives up (521)
        std::size_t waits;                // waits for an answer that had not come
        int failures;
    };
    const Case cases[] = {
        {"text at once", Owner::AtOnce, QStringLiteral("вставка"), true, true,
         QStringLiteral("вставка"), 0, 0},
        {"no text at once", Owner::AtOnce, QString(), false, false, QString(), 0, 0},
        {"text late", Owner::Late, QStringLiteral("поздно"), std::nullopt, std::nullopt,
         QStringLiteral("поздно"), 1, 0},
        // Paste throws, for its caller to record.
        {"never", Owner::Never, QStringLiteral("никогда"), std::nullopt, std::nullopt, std::nullopt,
         2, 0},
        // Three tries when the clipboard changes, three more for the menu, three
        // more for Paste, each recorded; Paste inserts nothing.
        {"unreadable", Owner::Unreadable, QString(), std::nullopt, std::nullopt, QString(), 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        RecordingFailures failures;
        platform.clipboardHeld = c.owner == Owner::Late || c.owner == Owner::Never;
        platform.clipboardReader = [&]() -> QString {
            if (c.owner == Owner::Unreadable)
                throw Failure(err::CannotOpenClipboard, QStringLiteral("Can't open Clipboard"));
            return c.text;
        };
        ClipboardState state(platform, failures);
        EXPECT_EQ(state.holdsText(), c.holds);
        EXPECT_EQ(state.holdsTextNow(), c.holdsForMenu);
        if (c.owner == Owner::Late)
            platform.answerHeldReads();
        std::optional<QString> pasted;
        const std::optional<Failure> failure = trapFailure([&] { pasted = state.textToPaste(); });
        EXPECT_EQ(pasted, c.pasted);
        EXPECT_EQ(failure.has_value(), !c.pasted.has_value());
        EXPECT_EQ(platform.clipboardWaits.size(), c.waits);
        for (const milliseconds wait : platform.clipboardWaits)
            EXPECT_LE(wait, milliseconds(1000));
        EXPECT_EQ(int(failures.entries.size()), c.failures);
        for (const RecordedFailure& f : failures.entries)
            EXPECT_EQ(f.number, err::CannotOpenClipboard);
    }
}

TEST(ClipboardState, OnlyTheLatestReadCounts) {
    ScriptedPlatform platform;
    RecordingFailures failures;
    platform.clipboardHeld = true;
    ClipboardState state(platform, failures);
    QSignalSpy changed(&state, &ClipboardState::changed);
    ASSERT_EQ(state.holdsText(), std::nullopt);
    // The clipboard changes while the first owner has not answered: its answer,
    // when it comes, is the older clipboard's and must not count.
    QGuiApplication::clipboard()->setText(QStringLiteral("новое"));
    ASSERT_EQ(platform.clipboardReads, 2);
    int answer = 0;
    const QString answers[] = {QStringLiteral("старое"), QStringLiteral("новое")};
    platform.clipboardReader = [&] { return answers[answer++]; };
    platform.answerHeldReads();
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(state.holdsText(), true);
    EXPECT_EQ(state.textToPaste(), QStringLiteral("новое"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(failures.entries.empty());
}

// The whole window beside an owner that never answers: loading, typing and the
// tick never wait; a menu waits a moment, Paste less than a second, and Paste
// then inserts nothing and records the failure. Once the owner answers, Paste
// follows it.
TEST(ClipboardState, WindowBesideAnOwnerThatDoesNotAnswer) {
    Harness h;
    h.platform.clipboardHeld = true;
    h.platform.clipboardReader = [] { return QStringLiteral("ответ"); };
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("[]"));
    w.textBlock()->setSelection(1, 1);
    QTest::keyClick(w.textBlock(), Qt::Key_A);
    w.UpdateToolbarButtons();
    EXPECT_TRUE(h.platform.clipboardWaits.empty());

    w.mnuWork_Click();
    w.UpdatePopupMenu();
    ASSERT_EQ(h.platform.clipboardWaits.size(), 2u);
    for (const milliseconds wait : h.platform.clipboardWaits)
        EXPECT_LE(wait, milliseconds(100));

    w.mnuPaste_Click();
    ASSERT_EQ(h.platform.clipboardWaits.size(), 3u);
    EXPECT_LE(h.platform.clipboardWaits.back(), milliseconds(1000));
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("[a]"));
    EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=521")));

    QAction* pasteButton = toolbarEntry(*w.toolbar(), QStringLiteral("PasteBtn"));
    pasteButton->setEnabled(false);
    h.platform.answerHeldReads();
    w.UpdateToolbarButtons();
    EXPECT_TRUE(pasteButton->isEnabled());
    w.mnuPaste_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("[aответ]"));
    EXPECT_EQ(h.platform.clipboardWaits.size(), 3u);
}

} // namespace
} // namespace quillet::test
