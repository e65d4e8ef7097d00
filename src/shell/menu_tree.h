#pragma once

// The main window's menus and menu items, by the names the menu table gives them.
// The window builds them once (shell/menu_tree.cpp) and hands them out read-only:
// the pointers never change after that.

class QAction;
class QMenu;

namespace quillet {

class FrmMain;

struct MenuTree {
    QMenu *mnuFile = nullptr, *mnuWork = nullptr, *mnuView = nullptr, *mnuFormat = nullptr,
          *mnuHelp = nullptr, *mnuPopUp = nullptr, *mnuPopUp2 = nullptr;
    QMenu *mnuCodeSel = nullptr, *mnuRecentWin = nullptr, *mnuTransSettings = nullptr,
          *mnuToolSettings = nullptr, *mnuBackColor = nullptr;
    // File
    QAction *mnuNew = nullptr, *mnuOpen = nullptr, *mnuSave = nullptr, *mnuSaveAs = nullptr,
            *mnuLimFileType = nullptr, *mnuLenEn = nullptr, *mnuCodeWin = nullptr,
            *mnuCodeDos = nullptr, *mnuCodeKoi = nullptr, *mnuSetChars = nullptr,
            *mnuPrint = nullptr, *mnuRecent = nullptr, *mnuExit = nullptr;
    // Edit
    QAction *mnuUndo = nullptr, *mnuCaps = nullptr, *mnuAllL = nullptr, *mnuCut = nullptr,
            *mnuCopy = nullptr, *mnuPaste = nullptr, *mnuDelete = nullptr, *mnuFind = nullptr,
            *mnuFindNext = nullptr, *mnuRepl = nullptr, *mnuGoTo = nullptr, *mnuSelAll = nullptr,
            *mnuTimeDate = nullptr;
    // View
    QAction *mnuWind = nullptr, *mnuTransparent = nullptr, *mnuGetMouse = nullptr,
            *mnuToolBar = nullptr, *mnuStatusBar = nullptr, *mnuTextInf = nullptr,
            *mnuNoToolTip = nullptr, *mnuON_OFF = nullptr, *mnuPromptChanges = nullptr;
    // Format
    QAction *mnuColor = nullptr, *MnuDefColor = nullptr, *mnuBold = nullptr, *mnuItal = nullptr,
            *mnuLine = nullptr, *mnuFont = nullptr;
    // Help
    QAction* mnuAbout = nullptr;
    // Context menus
    QAction *mnuPt = nullptr, *mnuF = nullptr, *mnuU = nullptr, *mnuAU = nullptr, *mnuAL = nullptr,
            *mnuCt = nullptr, *mnuCy = nullptr, *mnuP = nullptr, *mnuD = nullptr, *mnuFD = nullptr,
            *mnuFDN = nullptr, *mnuSA = nullptr, *mnuGT = nullptr;
};

// Builds the window's menu bar and context menus from the menu table, each item
// connected to its handler; the check marks are not set yet (ShowOptionsInMenus).
MenuTree BuildMenus(FrmMain& window);

} // namespace quillet
