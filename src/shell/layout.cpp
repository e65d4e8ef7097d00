#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::mnuWind_Click() {}
void FrmMain::ArrangeWindow() {}
std::int32_t FrmMain::ToolbarHeight() { return 0; }
std::int32_t FrmMain::StatusBarHeight() { return 0; }
void FrmMain::Form_Resize() {}

} // namespace quillet
