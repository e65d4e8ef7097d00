#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::UpdateEditMenu() {}
void FrmMain::UpdatePopupMenu() {}
void FrmMain::UpdateToolbarButtons() {}

} // namespace quillet
