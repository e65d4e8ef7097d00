#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuCaps_Click() {}
void FrmMain::mnuAllL_Click() {}
void FrmMain::mnuTimeDate_Click() {}

} // namespace quillet
