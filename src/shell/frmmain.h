#pragma once

// The main window. It lives for the whole run and composes the owners of the
// program's state: the document session (the document and its file), the
// options, the search memory, the error report, the clipboard's state, the
// semi-transparent window and the toolbar's status information. Every user
// command is one of its handlers, and each hands the work to the owner it
// concerns. The declarations below are grouped by the file that holds the
// definitions, so this class reads as the program's table of contents.

#include "diagnostics/error_report.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "search/search_memory.h"
#include "session/command_line.h"
#include "settings/options.h"
#include "shell/layout.h"
#include "shell/menu_tree.h"

#include <QIcon>
#include <QMainWindow>
#include <QVector>

#include <cstdint>

class QAction;
class QLabel;
class QStatusBar;
class QToolBar;

namespace quillet {

class ClipboardState;
struct EditorWindow;
class CoarseTimer;
class DocumentSession;
class TextBlock;
class ToolbarStatus;
class TransparentWindow;
struct DocumentState;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    // argumentText: the document path, optionally followed by a space and a switch.
    FrmMain(Platform& platform, QString argumentText, QWidget* parent = nullptr);
    // The command line as read from the program's arguments.
    FrmMain(Platform& platform, CommandLine commandLine, QWidget* parent = nullptr);
    ~FrmMain() override;

    // ---- The owners -----------------------------------------------------------
    Platform& platform() { return platform_; }
    DocumentSession& session() { return *session_; }
    DocumentState& document();
    SearchMemory& searchMemory() { return search; }
    Options& options() { return opts; }
    ErrorReport& errorReport() { return report_; }
    ClipboardState& clipboard() { return *clipboard_; }
    TransparentWindow& transparency() { return *transparency_; }
    ToolbarStatus& toolbarStatus() { return *status_; }
    // Sets every check mark of the menus from the options; run after the options
    // changed other than through a menu command.
    void ShowOptionsInMenus();

    // ---- Controls -------------------------------------------------------------
    const MenuTree& menus() const { return menus_; }
    quillet::TextBlock* textBlock() const { return TextBlock; }
    QToolBar* toolbar() const { return Toolbar1; }
    // The toolbar pictures, 1-based in the program's terms (picture n is
    // toolbarImages()[n - 1]).
    const QVector<QIcon>& toolbarImages() const { return ImageList1; }
    // Runs the tick while the window follows the pointer.
    const CoarseTimer* followTimer() const { return TMR1; }
    // The font dialog's state, as last prepared from the editor or chosen.
    const FontChoice& fontChoice() const { return CMD; }
    // The smallest usable outer width of the window, in twips.
    std::int32_t widthLimit() const { return WidthLimitPoint; }
    // The window's outer geometry in twips.
    OuterFrame outer() { return OuterFrame(*this); }

    // ---- shell/frmmain.cpp: lifecycle, the command line and Help ---------------
    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    // The desktop session ends (a signal, or the session manager): the settings
    // and the unsaved text are kept without a question, and the program ends.
    void EndSession();
    void Form_Resize();
    void mnuExit_Click();
    void mnuAbout_Click();
    void ProcessCommandLine();

    // ---- shell/shutdown_check.cpp -----------------------------------------------
    void CheckPreviousShutdown();

    // ---- shell/layout.cpp -------------------------------------------------------
    void mnuWind_Click();
    void ArrangeWindow();

    // ---- shell/settings_io.cpp --------------------------------------------------
    void LoadGeneralSettings();
    void SaveGeneralSettings();
    void LoadViewSettings();
    void SaveViewSettings();
    void mnuPromptChanges_Click();

    // ---- shell/file_commands.cpp: the File menu ---------------------------------
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuRecent_Click();
    void mnuPrint_Click();
    void mnuFile_Click();
    void mnuLenEn_Click();
    void mnuLimFileType_Click();
    void mnuCodeWin_Click();
    void mnuCodeDos_Click();
    void mnuCodeKoi_Click();
    void mnuSetChars_Click();

    // ---- shell/edit_commands.cpp: the Edit menu ---------------------------------
    void mnuWork_Click();
    void mnuUndo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelAll_Click();
    void mnuCaps_Click();
    void mnuAllL_Click();
    void mnuTimeDate_Click();
    void mnuFind_Click();
    void mnuFindNext_Click();
    void mnuRepl_Click();
    void mnuGoTo_Click();

    // ---- shell/format_commands.cpp: the Format menu -----------------------------
    void LoadFontDialogFromEditor();
    void mnuFont_Click();
    void mnuBold_Click();
    void mnuItal_Click();
    void mnuLine_Click();
    void mnuColor_Click();
    void MnuDefColor_Click();
    void SetAlignment();

    // ---- shell/availability.cpp -------------------------------------------------
    void UpdateEditMenu();
    void UpdatePopupMenu();
    void UpdateToolbarButtons();

    // ---- shell/view_commands.cpp: the View menu, the tick, the toolbar ----------
    // The window's tick: the status text and tooltips, the toolbar's availability
    // and UseFindRep, and cursor following. It runs when something these depend
    // on changes (scheduled once per pass of the event loop, however many changes
    // came in it) and, while the window follows the pointer, on TMR1.
    void TMR1_Timer();
    void Toolbar1_ButtonClick(const QString& key);
    void TextBlock_MouseDown(int button);
    void TextBlock_MenuKey(const QPoint& caret);
    void mnuView_Click();
    void mnuToolBar_Click();
    void mnuStatusBar_Click();
    void mnuTextInf_Click();
    void mnuNoToolTip_Click();
    void mnuON_OFF_Click();
    void mnuTransparent_Click();
    void mnuGetMouse_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The parts the modal windows of the editor are given.
    EditorWindow editorWindow();

    Platform& platform_;
    const CommandLine commandLine_;

    // ---- State ------------------------------------------------------------------
    Options opts;
    SearchMemory search;
    ErrorReport report_;
    // The store still says the last run ended normally; the next save of the
    // general settings (queued at the start) tells it this run has begun.
    bool runMarkPending_ = false;

    // ---- Controls and their owners ----------------------------------------------
    quillet::TextBlock* TextBlock = nullptr;
    DocumentSession* session_ = nullptr;
    MenuTree menus_;
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QVector<QIcon> ImageList1;
    CoarseTimer* TMR1 = nullptr;
    FontChoice CMD;
    std::int32_t WidthLimitPoint = 0;
    ClipboardState* clipboard_ = nullptr;
    TransparentWindow* transparency_ = nullptr;
    ToolbarStatus* status_ = nullptr;
};

} // namespace quillet
