#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::ApplyTransparency(int) {}
void FrmMain::FollowCursor() {}
void FrmMain::mnuTransparent_Click() {}
void FrmMain::mnuGetMouse_Click() {}
void FrmMain::mnuView_Click() {}
void FrmMain::HookEditControl() {}
void FrmMain::UnhookEditControl() {}

} // namespace quillet
