#include "search/frm_find.h"
#include "search/frm_goto.h"
#include "search/frm_rewrite.h"
#include "shell/frmmain.h"

namespace quillet {

// "Найти..." always starts afresh: the sample text, from the top of the document.
void FrmMain::mnuFind_Click() {
    FindReplaceTemp.clear();
    FrmFind dialog(*this);
    platform().execDialog(dialog);
}

// "Найти далее..." offers the last search text and continues after the selection.
void FrmMain::mnuFindNext_Click() {
    FrmFind dialog(*this);
    platform().execDialog(dialog);
}

void FrmMain::mnuRepl_Click() {
    FrmRewrite dialog(*this);
    platform().execDialog(dialog);
}

void FrmMain::mnuGoTo_Click() {
    FrmGoTo dialog(*this);
    platform().execDialog(dialog);
}

} // namespace quillet
