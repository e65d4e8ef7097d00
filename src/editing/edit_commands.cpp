#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuWork_Click() {}
void FrmMain::mnuUndo_Click() {}
void FrmMain::mnuCut_Click() {}
void FrmMain::mnuCopy_Click() {}
void FrmMain::mnuPaste_Click() {}
void FrmMain::mnuDelete_Click() {}
void FrmMain::mnuSelAll_Click() {}

} // namespace quillet
