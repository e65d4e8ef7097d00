#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuColor_Click() {}
void FrmMain::MnuDefColor_Click() {}
void FrmMain::SetAlignment() {}

} // namespace quillet
