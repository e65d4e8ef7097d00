// Which commands are offered: the Edit menu when it opens, the context menus just
// before they show, the toolbar on the tick. All three read the same
// Availability; the menus share one list of rules, the toolbar's rules are in its
// table.

#include "shell/availability.h"

#include "editing/textblock.h"
#include "shell/frmmain.h"
#include "shell/toolbar_status.h"
#include "shell/toolbar_table.h"
#include "view/clipboard_state.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>

namespace quillet {

namespace {

// The tick runs this: touch an item only when its state changes. An item whose
// state could not be worked out (the clipboard could not be read) is left as it
// is.
void applyIfKnown(QAction* action, const std::optional<bool>& enabled) {
    if (action && enabled && action->isEnabled() != *enabled)
        action->setEnabled(*enabled);
}

// One row per command of the Edit menu that depends on the editor's state: the
// item, its twin in the context menus (a context item runs its Edit menu twin's
// command), and when both are offered.
struct MenuRule {
    QAction* MenuTree::*item;
    QAction* MenuTree::*contextItem;
    Offered offered;
};

// clang-format off
const MenuRule menuRules[] = {
    {&MenuTree::mnuUndo, &MenuTree::mnuU, when<&Availability::undo>},
    {&MenuTree::mnuCaps, &MenuTree::mnuAU, when<&Availability::selection>},
    {&MenuTree::mnuAllL, &MenuTree::mnuAL, when<&Availability::selection>},
    {&MenuTree::mnuDelete, &MenuTree::mnuD, when<&Availability::selection>},
    {&MenuTree::mnuCopy, &MenuTree::mnuCy, when<&Availability::selection>},
    {&MenuTree::mnuCut, &MenuTree::mnuCt, when<&Availability::selection>},
    {&MenuTree::mnuPaste, &MenuTree::mnuP, when<&Availability::paste>},
    {&MenuTree::mnuSelAll, &MenuTree::mnuSA, when<&Availability::selectAll>},
    {&MenuTree::mnuGoTo, &MenuTree::mnuGT, when<&Availability::goTo>},
    {&MenuTree::mnuFind, &MenuTree::mnuFD, when<&Availability::find>},
    {&MenuTree::mnuFindNext, &MenuTree::mnuFDN, when<&Availability::find>},
    {&MenuTree::mnuRepl, nullptr, when<&Availability::find>},
};
// clang-format on

// What the menus offer now, the clipboard read again if it failed before.
Availability menuAvailability(FrmMain& w) {
    const TextBlock& editor = *w.textBlock();
    return availabilityFor({editor.canUndo(), editor.textLength(), editor.selLength(),
                            w.searchMemory().UseFindRep, w.clipboard().holdsTextNow()});
}

void applyMenuRules(FrmMain& w, QAction* MenuTree::*MenuRule::*column) {
    const Availability a = menuAvailability(w);
    for (const MenuRule& rule : menuRules) {
        if (QAction* MenuTree::*item = rule.*column)
            applyIfKnown(w.menus().*item, rule.offered(a));
    }
}

} // namespace

void FrmMain::UpdateEditMenu() {
    applyMenuRules(*this, &MenuRule::item);
}

void FrmMain::UpdatePopupMenu() {
    applyMenuRules(*this, &MenuRule::contextItem);
}

void FrmMain::UpdateToolbarButtons() {
    // Only cheap questions (lengths, not the text) and the clipboard state kept
    // from its change signal.
    const int length = TextBlock->textLength();
    search.UseFindRep = documentFitsFindReplace(length);
    const Availability a = availabilityFor(
        {false, length, TextBlock->selLength(), search.UseFindRep, clipboard_->holdsText()});
    // The toolbar's entries stand in the table's order.
    const QList<QAction*> entries = Toolbar1->actions();
    const std::span<const ToolbarEntry> table = toolbarTable();
    for (std::size_t i = 0; i < table.size() && i < std::size_t(entries.size()); ++i) {
        if (table[i].offered)
            applyIfKnown(entries.at(qsizetype(i)), table[i].offered(a));
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

void RefreshBeforeShortcut(FrmMain& window, const QKeySequence& keys) {
    for (const RefreshedMenu& m : refreshedMenus) {
        if (!holdsShortcut(window.menus().*m.menu, keys))
            continue;
        // The Edit menu reads UseFindRep as the tick left it: let a tick that is
        // still waiting run first.
        if (m.menu == &MenuTree::mnuWork && window.toolbarStatus().tickScheduled())
            window.TMR1_Timer();
        (window.*m.refresh)();
        return;
    }
}

} // namespace quillet
