#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::ProcessCommandLine() {}
void FrmMain::DispatchCommandLineSwitch() {}
void FrmMain::OpenCommandLineDocument(bool) {}

} // namespace quillet
