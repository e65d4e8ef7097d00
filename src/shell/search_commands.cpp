#include "search/frm_find.h"
#include "search/frm_goto.h"
#include "search/frm_rewrite.h"
#include "shell/frmmain.h"

namespace quillet {

// "Найти..." always starts afresh: the sample text, from the top of the document.
void FrmMain::mnuFind_Click() {
    search.startNewFind();
    FrmFind dialog(*this, search);
    platform().execDialog(dialog);
    search.remember(dialog.choice());
}

// "Найти далее..." offers the last search text and continues after the selection.
void FrmMain::mnuFindNext_Click() {
    FrmFind dialog(*this, search);
    platform().execDialog(dialog);
    search.remember(dialog.choice());
}

void FrmMain::mnuRepl_Click() {
    FrmRewrite dialog(*this, search);
    platform().execDialog(dialog);
    search.remember(dialog.choice());
}

void FrmMain::mnuGoTo_Click() {
    FrmGoTo dialog(*this, search);
    platform().execDialog(dialog);
    search.remember(dialog.choice());
}

} // namespace quillet
