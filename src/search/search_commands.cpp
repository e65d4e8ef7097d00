#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuFind_Click() {}
void FrmMain::mnuFindNext_Click() {}
void FrmMain::mnuRepl_Click() {}
void FrmMain::mnuGoTo_Click() {}

} // namespace quillet
