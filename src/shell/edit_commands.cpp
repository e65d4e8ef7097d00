// The Edit menu's commands. Each hands one request to the editor, which
// keeps the undo memory and talks to the clipboard; the program keeps neither.

#include "editing/case_date.h"
#include "platform/failure.h"
#include "shell/frmmain.h"

#include <QTextCursor>

namespace quillet {

namespace {

// Cut, Copy and Paste: a failure is recorded and the command ends quietly,
// leaving the text and the clipboard as the editor left them.
template <typename Request> void runClipboardRequest(FrmMain& window, Request request) {
    if (const std::optional<Failure> failure = trapFailure(request))
        window.SaveDebug(failure->description(), failure->number(), QStringLiteral("FrmMain"));
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
    // The text kept from the clipboard's last change: reading the clipboard now
    // would wait on the program that owns it, and a stopped one never answers.
    // The editor turns each LF of the pasted text into a CR LF line break.
    runClipboardRequest(*this, [this] {
        clipboardHoldsText();
        if (!keptClipboardText().isEmpty())
            TextBlock->pasteText(keptClipboardText());
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

// ---- Case conversion and the time-and-date stamp -----------------------------

void FrmMain::ConvertSelectedCase(QString (*convert)(const QString&)) {
    const int start = TextBlock->selStart();
    const int length = TextBlock->selLength();
    const QString selected = TextBlock->selText();
    const QString converted = convert(selected);
    // A selection already in that case is left alone: no edit, no change.
    if (converted != selected)
        TextBlock->replaceSelection(converted);
    TextBlock->setSelection(start, start + length);
}

void FrmMain::mnuCaps_Click() {
    ConvertSelectedCase(toCapitals);
}

void FrmMain::mnuAllL_Click() {
    ConvertSelectedCase(toSmallLetters);
}

void FrmMain::mnuTimeDate_Click() {
    const int start = TextBlock->selStart();
    const int length = TextBlock->selLength();
    TextBlock->setSelection(start, start + length);
    TextBlock->replaceSelection(timeDateStamp(platform().now(), QLocale()));
    doc.TextChange = true;
}

} // namespace quillet
