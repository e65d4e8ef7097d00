#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuSave_Click() {}
void FrmMain::mnuSaveAs_Click() {}
void FrmMain::mnuNew_Click() {}
void FrmMain::SaveChangesPrompt() {}
void FrmMain::ClearDocument() {}
void FrmMain::TextBlock_Change() {}

} // namespace quillet
