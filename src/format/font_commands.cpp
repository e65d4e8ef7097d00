#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::LoadFontDialogFromEditor() {}
void FrmMain::mnuFont_Click() {}
void FrmMain::mnuBold_Click() {}
void FrmMain::mnuItal_Click() {}
void FrmMain::mnuLine_Click() {}
void FrmMain::mnuSetChars_Click() {}
void FrmMain::InitRtfText() {}

} // namespace quillet
