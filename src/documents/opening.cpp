#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::LoadTextFile(const QString&) {}
void FrmMain::OpenWithDialog() {}
void FrmMain::OpenRecentDocument() {}
void FrmMain::ApplyLogStamp(bool) {}
void FrmMain::ShowOpenFailure() {}
void FrmMain::mnuOpen_Click() {}
void FrmMain::mnuRecent_Click() {}
void FrmMain::mnuFile_Click() {}
void FrmMain::mnuLenEn_Click() {}
void FrmMain::mnuLimFileType_Click() {}
void FrmMain::mnuCodeWin_Click() {}
void FrmMain::mnuCodeDos_Click() {}
void FrmMain::mnuCodeKoi_Click() {}

} // namespace quillet
