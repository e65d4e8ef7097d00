// The View menu, the window's tick, the toolbar's buttons and the context menus.

#include "editing/textblock.h"
#include "session/document_session.h"
#include "shell/frmmain.h"
#include "shell/toolbar_status.h"
#include "shell/toolbar_table.h"
#include "view/edit_hook.h"
#include "view/transparent_window.h"
#include "view/window_rules.h"

#include <QAction>
#include <QMenu>

namespace quillet {

void FrmMain::TMR1_Timer() {
    // Not while a file is read or written: the tick looks at the editor and
    // writes the status text; it runs when the work ends.
    if (session_->busy())
        return;
    status_->tick();
}

void FrmMain::Toolbar1_ButtonClick(const QString& key) {
    // Separators and unknown keys do nothing.
    const ToolbarEntry* entry = findToolbarEntry(key);
    if (entry && entry->command)
        entry->command(*this);
}

void FrmMain::TextBlock_MouseDown(int button) {
    // With the standard menu chosen the editor shows its own context menu
    // (TextBlock asks for the option on every request) and the program shows none.
    if (opts.StandardMenu)
        return;
    QMenu* menu = nullptr;
    if (button == 2) {
        sendMousePress(this, Qt::RightButton);
        menu = menus_.mnuPopUp;
    } else if (button == 4) {
        sendMousePress(this, Qt::MiddleButton);
        menu = menus_.mnuPopUp2;
    } else {
        return;
    }
    UpdatePopupMenu();
    // popup() returns at once; the menu runs its commands when an item is chosen.
    menu->popup(platform_.cursorPos());
}

void FrmMain::TextBlock_MenuKey(const QPoint& caret) {
    // The right button's menu, asked for from the keyboard: at the caret, with
    // its items' availability freshly computed. (With the standard menu chosen
    // the editor shows its own and does not ask.)
    UpdatePopupMenu();
    menus_.mnuPopUp->popup(caret);
}

void FrmMain::mnuView_Click() {
    if (!isMaximized()) {
        const QRect screen = platform_.screenGeometry();
        const QSize screenTwips(screen.width() * TwipsPerPixel, screen.height() * TwipsPerPixel);
        menus_.mnuWind->setEnabled(
            !isDefaultPlacement(pixelsToTwips(frameGeometry()), screenTwips));
    }
    menus_.mnuToolSettings->setEnabled(opts.ToolBar);
    menus_.mnuTransparent->setEnabled(transparencyOffered(platform_.productName()));
}

void FrmMain::mnuToolBar_Click() {
    ToggleLayoutOption(*this, &Options::ToolBar);
}

void FrmMain::mnuStatusBar_Click() {
    ToggleLayoutOption(*this, &Options::StatusBar);
}

void FrmMain::mnuTextInf_Click() {
    opts.chooseToolTips(ToolTipChoice::Describe);
    ShowOptionsInMenus();
}

void FrmMain::mnuNoToolTip_Click() {
    opts.chooseToolTips(ToolTipChoice::Hide);
    ShowOptionsInMenus();
}

void FrmMain::mnuON_OFF_Click() {
    opts.toggle(&Options::StandardMenu);
    ShowOptionsInMenus();
}

void FrmMain::mnuTransparent_Click() {
    ToggleLayoutOption(*this, &Options::Transparent);
    // The option is kept and stored even where the window system ignores it.
    if (opts.Transparent)
        transparency_->ExplainIfUnavailable();
}

void FrmMain::mnuGetMouse_Click() {
    ToggleLayoutOption(*this, &Options::GetMouse);
}

} // namespace quillet
