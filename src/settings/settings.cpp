#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::LoadGeneralSettings() {}
void FrmMain::SaveGeneralSettings() {}
void FrmMain::LoadViewSettings() {}
void FrmMain::SaveViewSettings() {}
void FrmMain::mnuPromptChanges_Click() {}

} // namespace quillet
