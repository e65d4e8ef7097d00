#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::TMR1_Timer() {}
void FrmMain::UpdateStatusInfo() {}
void FrmMain::Toolbar1_ButtonClick(const QString&) {}
void FrmMain::mnuToolBar_Click() {}
void FrmMain::mnuStatusBar_Click() {}
void FrmMain::mnuTextInf_Click() {}
void FrmMain::mnuNoToolTip_Click() {}
void FrmMain::mnuON_OFF_Click() {}
void FrmMain::TextBlock_MouseDown(int) {}

} // namespace quillet
