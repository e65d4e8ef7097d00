#pragma once

#include <QDialog>

namespace quillet {

class FrmMain;

// "О программе": the program's name and version, its legal notice, how full the
// document is, the machine's memory, the contact link and the system-information
// button. Shown modally, owned by the main window, through Platform::execDialog.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(FrmMain& owner);

private:
    FrmMain& owner_;
};

} // namespace quillet
