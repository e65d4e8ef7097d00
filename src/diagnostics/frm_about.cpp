#include "diagnostics/frm_about.h"

#include "platform/platform.h"
#include "shell/frmmain.h"

namespace quillet {

// Placeholder window: the diagnostics work builds its contents.
FrmAbout::FrmAbout(FrmMain& owner) : QDialog(&owner), owner_(owner) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
}

void FrmMain::mnuAbout_Click() {
    FrmAbout about(*this);
    platform().execDialog(about);
}

} // namespace quillet
