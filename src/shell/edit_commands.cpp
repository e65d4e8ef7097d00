// The Edit menu. Each command hands one request to the editor, which keeps the
// undo memory and talks to the clipboard, or opens one of the search windows,
// which report what the user chose for the search memory to keep.

#include "editing/case_date.h"
#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/program_constants.h"
#include "search/frm_find.h"
#include "search/frm_goto.h"
#include "search/frm_rewrite.h"
#include "shell/frmmain.h"
#include "view/clipboard_state.h"

namespace quillet {

namespace {

// Cut, Copy and Paste: a failure is recorded and the command ends quietly,
// leaving the text and the clipboard as the editor left them.
template <typename Request> void runClipboardRequest(FrmMain& window, Request request) {
    if (const std::optional<Failure> failure = trapFailure(request))
        window.errorReport().record(*failure, MainFormName);
}

// Runs a search window over the editor and keeps what the user chose.
template <typename Dialog> void runSearchWindow(FrmMain& window, const EditorWindow& owner) {
    Dialog dialog(owner, window.searchMemory());
    window.platform().execDialog(dialog);
    window.searchMemory().remember(dialog.choice());
}

} // namespace

void FrmMain::mnuWork_Click() {
    UpdateEditMenu();
}

void FrmMain::mnuUndo_Click() {
    TextBlock->undo();
}

void FrmMain::mnuCut_Click() {
    runClipboardRequest(*this, [this] { TextBlock->cut(); });
}

void FrmMain::mnuCopy_Click() {
    runClipboardRequest(*this, [this] { TextBlock->copy(); });
}

void FrmMain::mnuPaste_Click() {
    // The text read at the clipboard's last change. An owner that has not
    // answered yet is waited for under a second; one that never answers makes
    // Paste a failure like any other (recorded, nothing inserted). The editor
    // turns each LF of the pasted text into a CR LF line break.
    runClipboardRequest(*this, [this] {
        const QString text = clipboard_->textToPaste();
        if (!text.isEmpty())
            TextBlock->pasteText(text);
    });
}

void FrmMain::mnuDelete_Click() {
    // Removes the selection; with nothing selected, the character after the caret
    // (a line break goes as one, CR and LF together), as users expect of Del.
    TextBlock->deleteForward();
}

void FrmMain::mnuSelAll_Click() {
    // From the start to the end, so the caret ends at the end of the text.
    TextBlock->setSelection(0, TextBlock->textLength());
}

void FrmMain::mnuCaps_Click() {
    ConvertSelectedCase(*TextBlock, toCapitals);
}

void FrmMain::mnuAllL_Click() {
    ConvertSelectedCase(*TextBlock, toSmallLetters);
}

void FrmMain::mnuTimeDate_Click() {
    InsertTimeDate(*TextBlock, platform_.now());
}

// "Найти..." always starts afresh: the sample text, from the top of the document.
void FrmMain::mnuFind_Click() {
    search.startNewFind();
    runSearchWindow<FrmFind>(*this, editorWindow());
}

// "Найти далее..." offers the last search text and continues after the selection.
void FrmMain::mnuFindNext_Click() {
    runSearchWindow<FrmFind>(*this, editorWindow());
}

void FrmMain::mnuRepl_Click() {
    runSearchWindow<FrmRewrite>(*this, editorWindow());
}

void FrmMain::mnuGoTo_Click() {
    runSearchWindow<FrmGoTo>(*this, editorWindow());
}

} // namespace quillet
