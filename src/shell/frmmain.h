#pragma once

// The main window. It lives for the whole run and holds the document's state, the
// options and the search memory, each in its own small type; every user command is
// one of its handlers. The declarations below are grouped by the file that holds the
// definitions, so this class reads as the program's table of contents.

#include "diagnostics/error_snapshot.h"
#include "documents/document_state.h"
#include "documents/text_file.h"
#include "documents/working_copy.h"
#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "search/search_memory.h"
#include "settings/options.h"
#include "shell/coarse_timer.h"
#include "shell/menu_tree.h"

#include <QIcon>
#include <QMainWindow>
#include <QVector>

#include <cstdint>
#include <optional>

class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace quillet {

class Platform;
struct CommandLine;

class FrmMain : public QMainWindow, public EditorWindow {
    Q_OBJECT
public:
    // argumentText: the document path, optionally followed by a space and a switch.
    FrmMain(Platform& platform, QString argumentText, QWidget* parent = nullptr);
    // The command line as read from the program's arguments.
    FrmMain(Platform& platform, const CommandLine& commandLine, QWidget* parent = nullptr);
    ~FrmMain() override;

    // ---- What the modal windows of the editor see of it ---------------------
    QWidget* ownerWidget() override { return this; }
    Platform& platform() override { return platform_; }
    const QString& searchableText() override;

    // ---- State owners -------------------------------------------------------
    DocumentState& document() { return doc; }
    const DocumentState& document() const { return doc; }
    SearchMemory& searchMemory() { return search; }
    const SearchMemory& searchMemory() const { return search; }
    Options& options() { return opts; }
    const Options& options() const { return opts; }
    // Sets every check mark of the menus from the options; run after the options
    // changed other than through a menu command.
    void ShowOptionsInMenus();

    // The machine as the last error report found it.
    const ErrorSnapshot& errorSnapshot() const { return errorSnapshot_; }

    // ---- Controls ----------------------------------------------------------
    const MenuTree& menus() const { return menus_; }
    quillet::TextBlock* textBlock() const override { return TextBlock; }
    QToolBar* toolbar() const { return Toolbar1; }
    // The toolbar pictures, 1-based in the program's terms (picture n is
    // toolbarImages()[n - 1]).
    const QVector<QIcon>& toolbarImages() const { return ImageList1; }
    // The plain copy of the text Find and Replace search in.
    const WorkingCopy& workingCopy() const { return RTFBlock; }
    // Runs the tick while the window follows the pointer.
    const CoarseTimer* followTimer() const { return TMR1; }
    // The font dialog's state, as last prepared from the editor or chosen.
    const FontChoice& fontChoice() const { return CMD; }
    // The smallest usable outer width of the window, in twips.
    std::int32_t widthLimit() const { return WidthLimitPoint; }
    // The document path the command line named, as the window read it.
    const QString& commandLineDocument() const { return CommandLineString; }
    // Where the error report goes (empty: nowhere).
    const QString& debugFilePath() const { return DebugFilePath; }

    // Toolbar entries by key ("NewBtn", ..., "Space1" separators included).
    QAction* toolbarEntry(const QString& key) const;
    QToolButton* toolbarButton(const QString& key) const;
    QList<QAction*> toolbarEntries() const;
    QString statusText() const;
    void setStatusText(const QString& text);

    // ---- shell/frmmain.cpp: lifecycle ---------------------------------------
    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    void Form_Resize();
    void mnuExit_Click();
    // Where the error report is written: the program's folder, or the user's
    // state folder when the program's folder takes no new files.
    QString DebugReportPath();

    // ---- shell/file_drop.cpp ------------------------------------------------
    // Files dropped on the window open as with Open; dropped text is the editor's.
    void InstallFileDrop();
    void OpenDroppedFile(const QString& path);

    // ---- shell/commandline.cpp ----------------------------------------------
    void ProcessCommandLine();
    void DispatchCommandLineSwitch();
    void OpenCommandLineDocument(bool stripSwitch);

    // ---- shell/shutdown_check.cpp -------------------------------------------
    void CheckPreviousShutdown();

    // ---- shell/layout.cpp ---------------------------------------------------
    void mnuWind_Click();
    // Moves and shrinks the window, if it must, so that it lies on a screen.
    void BringOntoScreen();
    void ArrangeWindow();
    std::int32_t ToolbarHeight();
    std::int32_t StatusBarHeight();
    // Inverts an option the layout applies, lays the window out again and marks
    // the settings changed.
    void ToggleLayoutOption(bool Options::*option);
    // The window's outer (frame) geometry in twips. Before the window is first
    // shown it has no frame yet, and the frame is the window itself.
    std::int32_t OuterLeft() const;
    std::int32_t OuterTop() const;
    std::int32_t OuterWidth() const;
    std::int32_t OuterHeight() const;
    void SetOuterPosition(std::int32_t left, std::int32_t top);
    void SetOuterSize(std::int32_t width, std::int32_t height);

    // ---- shell/settings_io.cpp ----------------------------------------------
    void LoadGeneralSettings();
    void SaveGeneralSettings();
    void LoadViewSettings();
    void SaveViewSettings();
    void mnuPromptChanges_Click();

    // ---- shell/opening.cpp --------------------------------------------------
    void LoadTextFile(const QString& path);
    void OpenWithDialog();
    // Reads a file the user chose (Open dialog, a drop) into the editor; a file
    // that cannot be read is reported and the current document stays.
    void OpenChosenFile(const QString& name);
    // The one way a file becomes the document (Open, a drop, the command line,
    // the recent document): read, tied to the file, remembered as the recent
    // document when asked, stamped if it is a .LOG, named in the caption. The
    // failure that stops it is thrown for the caller to report. The path is a
    // copy: the recent document's own name may change on the way.
    void OpenDocumentFile(QString path, bool rememberAsRecent);
    void OpenRecentDocument();
    void ApplyLogStamp(bool force);
    void ShowOpenFailure();
    void mnuOpen_Click();
    void mnuRecent_Click();
    void mnuFile_Click();
    void mnuLenEn_Click();
    void mnuLimFileType_Click();
    void mnuCodeWin_Click();
    void mnuCodeDos_Click();
    void mnuCodeKoi_Click();
    // One of the three opening code pages chosen; the other two unchecked.
    void SelectOpeningCodePage(CodePage chosen);
    // UpdateDocumentName, then the caption from the display name.
    void ShowDocumentCaption();

    // ---- shell/dialog_folder.cpp --------------------------------------------
    // The folder the Open and Save As dialogs start in (DialogStartFolder).
    QString FileDialogFolder();

    // ---- shell/saving.cpp ---------------------------------------------------
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuNew_Click();
    // Asks whether to save the changed document; the user's answer.
    int SaveChangesPrompt();
    void ClearDocument();
    void TextBlock_Change();
    // The unsaved-changes question, asked before the document is closed or
    // replaced: true when it may go (nothing to save, No, or Yes and the save
    // happened).
    bool SettleUnsavedChanges();
    // Saves after a Yes to the unsaved-changes question: true when the document
    // was saved. With saving switched off the user is told so and nothing is
    // saved.
    bool SaveAfterYes();
    // Tells the user that Save As could not write the file (path on the first line).
    void ShowSaveFailure(const QString& path, int number);
    // The bytes the file gets, or nothing when there was no memory for them (the
    // failure is reported).
    std::optional<FileContent> DocumentFileContent(const QString& path, qsizetype* unmappable);
    void ShowWrittenText(qsizetype unmappable);
    // Save As; charactersConfirmed: the user already agreed to lose the characters
    // Windows-1251 cannot hold.
    void SaveDocumentAs(bool charactersConfirmed);
    // Asks before characters Windows-1251 cannot hold become '?'; true to go on.
    bool ConfirmUnmappableCharacters();

    // ---- shell/caption.cpp --------------------------------------------------
    void UpdateDocumentName();

    // ---- shell/printing.cpp -------------------------------------------------
    void mnuPrint_Click();
    void PreparePrintCopy();

    // ---- shell/edit_commands.cpp --------------------------------------------
    void mnuWork_Click();
    void mnuUndo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mnuSelAll_Click();

    // ---- shell/edit_commands.cpp (case, date) -------------------------------
    void mnuCaps_Click();
    void mnuAllL_Click();
    void mnuTimeDate_Click();

    // ---- shell/search_commands.cpp ------------------------------------------
    void mnuFind_Click();
    void mnuFindNext_Click();
    void mnuRepl_Click();
    void mnuGoTo_Click();

    // ---- shell/font_commands.cpp --------------------------------------------
    void LoadFontDialogFromEditor();
    void mnuFont_Click();
    void mnuBold_Click();
    void mnuItal_Click();
    void mnuLine_Click();
    void mnuSetChars_Click();
    void InitRtfText();

    // ---- shell/colour_commands.cpp ------------------------------------------
    void mnuColor_Click();
    void MnuDefColor_Click();
    void SetAlignment();

    // ---- shell/availability.cpp ---------------------------------------------
    void UpdateEditMenu();
    void UpdatePopupMenu();
    void UpdateToolbarButtons();
    // Whether the clipboard holds text, kept from the clipboard's change signal so
    // the tick never waits on another program; nothing when the last read failed.
    // The reader reads the clipboard now and returns whether it holds text,
    // throwing Failure when it cannot be read (replaceable, e.g. by a held
    // clipboard); the default one also keeps the text for pasting.
    std::optional<bool> clipboardHoldsText();
    void setClipboardReader(std::function<bool()> reader) {
        clipboardTextReader = std::move(reader);
    }
    // The clipboard's text as last read at its change signal: what Paste inserts,
    // so pasting never waits on the program that owns the clipboard.
    const QString& keptClipboardText() const { return clipboardText_; }
    // Before a shortcut key runs its command: the menu that holds the command
    // works out its items' availability as it does when it opens.
    void RefreshBeforeShortcut(const QKeySequence& keys);

private:
    void watchClipboard();
    void refreshClipboardState();
    // What the menus offer now, the clipboard read again if it failed before.
    struct Availability menuAvailability();
    // The toolbar buttons the tick enables, looked up by key once.
    QVector<QAction*> availabilityButtons_;
    std::optional<bool> clipboardHoldsText_;
    QString clipboardText_;
    bool clipboardWatched_ = false;
    // The store still says the last run ended normally; the next save of the
    // general settings (queued at the start) tells it this run has begun.
    bool runMarkPending_ = false;

public:
    // ---- shell/toolbar_status.cpp -------------------------------------------
    // The window's tick: the status text and tooltips, the toolbar's availability
    // and UseFindRep, and cursor following. It runs when something these depend
    // on changes (scheduled once per pass of the event loop, however many changes
    // came in it) and, while the window follows the pointer, on TMR1.
    void TMR1_Timer();
    void UpdateStatusInfo();
    void Toolbar1_ButtonClick(const QString& key);
    void mnuToolBar_Click();
    void mnuStatusBar_Click();
    void mnuTextInf_Click();
    void mnuNoToolTip_Click();
    void mnuON_OFF_Click();
    void TextBlock_MouseDown(int button);
    // Something the status text or the tooltips depend on changed.
    void StatusSourceChanged();
    // Something the toolbar's availability or UseFindRep depend on changed.
    void AvailabilitySourceChanged();
    // Whether a tick is waiting for the event loop.
    bool tickScheduled() const { return tickScheduled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The toolbar entries as the tick reads them, gathered once.
    struct ToolbarSlot {
        QWidget* widget = nullptr; // the button (or separator) showing the entry
        QString description;
    };
    struct StatusSlot {
        QToolButton* button = nullptr;
        QString text; // the status text while the button is held down
    };
    QVector<ToolbarSlot> toolbarSlots_;
    QVector<StatusSlot> statusSlots_;
    void gatherToolbarSlots();
    // Connects the tick to the signals and events of what it depends on.
    void watchTickSources();
    void scheduleTick();
    // TMR1 runs only while cursor following needs the pointer's position.
    void updateFollowTimer();
    enum class ToolTipMode { Unknown, Descriptions, Hidden };
    // What UpdateStatusInfo last wrote as tooltips; Unknown once a tooltip was
    // changed from outside, so the next run writes them again.
    ToolTipMode toolTips_ = ToolTipMode::Unknown;
    bool toolTipsHidden_ = false;
    bool writingToolTips_ = false;
    bool statusStale_ = true;
    bool availabilityStale_ = true;
    bool tickScheduled_ = false;
    static void writeToolTip(QWidget* widget, const QString& text);
    // Replaces the selection with convert's result and selects it again.
    void ConvertSelectedCase(QString (*convert)(const QString&));

public:
    // ---- shell/transparency.cpp ---------------------------------------------
    void ApplyTransparency(int opacity);
    void FollowCursor();
    void mnuTransparent_Click();
    void mnuGetMouse_Click();
    void mnuView_Click();
    void HookEditControl();
    void UnhookEditControl();
    // The editor's message hook (view/edit_hook.h); null before the first install.
    class EditHook* editHook() const;

private:
    class EditHook* editHook_ = nullptr;

public:
    // ---- shell/frmmain.cpp: Help --------------------------------------------
    void mnuAbout_Click();

    // ---- shell/save_debug.cpp -----------------------------------------------
    void SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                   const QString& szCurrentForm) override;
    // Where SaveDebug writes the report; null means the file system. Tests put a
    // double here to make a step fail.
    void setReportFile(class ReportFile* file) { DebugReportFile = file; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();

    Platform& platform_;
    QString argumentText_;
    // Document names after the first on the command line (not opened), and
    // whether the first one's name could not be decoded.
    QStringList notOpenedArguments_;
    bool argumentNameUndecodable_ = false;
    QLabel* statusLabel_ = nullptr;
    ErrorSnapshot errorSnapshot_;

    // ---- State --------------------------------------------------------------
    DocumentState doc;
    SearchMemory search;
    Options opts;
    MenuTree menus_;

    // ---- Controls -------------------------------------------------------------
    quillet::TextBlock* TextBlock = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QVector<QIcon> ImageList1;
    WorkingCopy RTFBlock;
    CoarseTimer* TMR1 = nullptr;
    FontChoice CMD;
    class ReportFile* DebugReportFile = nullptr;
    std::function<bool()> clipboardTextReader;

    // ---- Working values -------------------------------------------------------
    // The path the last failure message named.
    QString TheLine;
    // The next load skips the size question (set by a command-line switch).
    bool NotCheckLen = false;
    std::int32_t WidthLimitPoint = 0;
    QString CommandLineString;
    QString DebugFilePath;
    // The next load converts a UTF-8 file without asking (printing from the
    // command line asks nothing); reset after every load.
    bool ConvertUtf8WithoutAsking = false;
    // The number of the failure that ended the last load for want of memory.
    int LastOpenFailure = 0;
};

} // namespace quillet
