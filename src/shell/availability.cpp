// Which commands are offered: the Edit menu when it opens, the context menus just
// before they show, the toolbar on every timer tick. All three read the same
// Availability; each place only maps its items onto it.

#include "shell/frmmain.h"
#include "shell/toolbar_table.h"
#include "view/availability_rules.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>

#include <utility>

namespace quillet {

namespace {

// A clipboard that cannot be read is tried this many times before the Paste
// items are left as they are.
constexpr int ClipboardReadAttempts = 3;

// The timer runs this every tick: touch an item only when its state changes.
void setEnabledIfChanged(QAction* action, bool enabled) {
    if (action && action->isEnabled() != enabled)
        action->setEnabled(enabled);
}

// An item whose state could not be worked out (the clipboard could not be
// read) is left as it is.
void applyIfKnown(QAction* action, const std::optional<bool>& enabled) {
    if (enabled)
        setEnabledIfChanged(action, *enabled);
}

using Rule = bool Availability::*;

struct MenuRule {
    QAction* MenuTree::*item;
    Rule when;
};

// clang-format off
const MenuRule editMenuRules[] = {
    {&MenuTree::mnuUndo, &Availability::undo},
    {&MenuTree::mnuCaps, &Availability::selection},
    {&MenuTree::mnuAllL, &Availability::selection},
    {&MenuTree::mnuDelete, &Availability::selection},
    {&MenuTree::mnuCopy, &Availability::selection},
    {&MenuTree::mnuCut, &Availability::selection},
    {&MenuTree::mnuSelAll, &Availability::selectAll},
    {&MenuTree::mnuGoTo, &Availability::goTo},
    {&MenuTree::mnuFind, &Availability::find},
    {&MenuTree::mnuFindNext, &Availability::find},
    {&MenuTree::mnuRepl, &Availability::find},
};

const MenuRule contextMenuRules[] = {
    {&MenuTree::mnuU, &Availability::undo},
    {&MenuTree::mnuAU, &Availability::selection},
    {&MenuTree::mnuAL, &Availability::selection},
    {&MenuTree::mnuD, &Availability::selection},
    {&MenuTree::mnuCy, &Availability::selection},
    {&MenuTree::mnuCt, &Availability::selection},
    {&MenuTree::mnuSA, &Availability::selectAll},
    {&MenuTree::mnuFD, &Availability::find},
    {&MenuTree::mnuFDN, &Availability::find},
    {&MenuTree::mnuGT, &Availability::goTo},
};

// clang-format on

} // namespace

void FrmMain::watchClipboard() {
    if (clipboardWatched_)
        return;
    clipboardWatched_ = true;
    if (!clipboardTextReader) {
        clipboardTextReader = [this] {
            clipboardText_ = platform().clipboardText();
            return !clipboardText_.isEmpty();
        };
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &FrmMain::refreshClipboardState);
    refreshClipboardState();
}

void FrmMain::refreshClipboardState() {
    clipboardHoldsText_ = readWithRetries<bool>(
        ClipboardReadAttempts, clipboardTextReader, [this](const Failure& failure) {
            SaveDebug(failure.description(), failure.number(), QStringLiteral("FrmMain"));
        });
    // Nothing read: nothing to paste either, rather than an older text.
    if (!clipboardHoldsText_)
        clipboardText_.clear();
    AvailabilitySourceChanged();
}

std::optional<bool> FrmMain::clipboardHoldsText() {
    watchClipboard();
    return clipboardHoldsText_;
}

Availability FrmMain::menuAvailability() {
    // A menu opens at the user's request: a clipboard that could not be read
    // before is worth another try here (never on the timer tick).
    if (!clipboardHoldsText())
        refreshClipboardState();
    return availabilityFor({TextBlock->canUndo(), TextBlock->textLength(), TextBlock->selLength(),
                            search.UseFindRep, clipboardHoldsText_});
}

namespace {

template <std::size_t N>
void applyMenuRules(FrmMain& window, const MenuRule (&rules)[N], QAction* paste,
                    const Availability& a) {
    for (const MenuRule& rule : rules)
        setEnabledIfChanged(window.menus().*rule.item, a.*rule.when);
    applyIfKnown(paste, a.paste);
}

} // namespace

void FrmMain::UpdateEditMenu() {
    applyMenuRules(*this, editMenuRules, menus_.mnuPaste, menuAvailability());
}

void FrmMain::UpdatePopupMenu() {
    applyMenuRules(*this, contextMenuRules, menus_.mnuP, menuAvailability());
}

void FrmMain::UpdateToolbarButtons() {
    // Only cheap questions (lengths, not the text) and the clipboard state kept
    // from its change signal; the buttons the table gives a rule are looked up
    // by key once, in table order.
    availabilityStale_ = false;
    const std::span<const ToolbarEntry> table = toolbarTable();
    if (availabilityButtons_.isEmpty()) {
        for (const ToolbarEntry& e : table) {
            if (e.offered)
                availabilityButtons_ << toolbarEntry(QString::fromLatin1(e.key));
        }
    }
    const int length = TextBlock->textLength();
    search.UseFindRep = documentFitsFindReplace(length);
    const Availability a = availabilityFor(
        {false, length, TextBlock->selLength(), search.UseFindRep, clipboardHoldsText()});
    qsizetype i = 0;
    for (const ToolbarEntry& e : table) {
        if (e.offered)
            applyIfKnown(availabilityButtons_[i++], e.offered(a));
    }
}

namespace {

// The menus that work out their items' availability when they open, with the
// step that does it.
struct RefreshedMenu {
    QMenu* MenuTree::*menu;
    void (FrmMain::*refresh)();
};
const RefreshedMenu refreshedMenus[] = {
    {&MenuTree::mnuFile, &FrmMain::mnuFile_Click},
    {&MenuTree::mnuWork, &FrmMain::mnuWork_Click},
    {&MenuTree::mnuView, &FrmMain::mnuView_Click},
};

bool holdsShortcut(const QMenu* menu, const QKeySequence& keys) {
    const QList<QAction*> items = menu->actions();
    for (const QAction* item : items) {
        if (const QMenu* submenu = item->menu()) {
            if (holdsShortcut(submenu, keys))
                return true;
        } else if (!item->shortcut().isEmpty() && item->shortcut() == keys) {
            return true;
        }
    }
    return false;
}

} // namespace

void FrmMain::RefreshBeforeShortcut(const QKeySequence& keys) {
    for (const RefreshedMenu& m : refreshedMenus) {
        if (!holdsShortcut(menus_.*m.menu, keys))
            continue;
        // The Edit menu reads UseFindRep as the tick left it: let a tick that is
        // still waiting run first.
        if (m.menu == &MenuTree::mnuWork && tickScheduled_)
            TMR1_Timer();
        (this->*m.refresh)();
        return;
    }
}

} // namespace quillet
