// The warning after an unclean exit. The store says "NormalUnloading" = "False"
// for as long as a run lasts and "True" once it has closed normally, so a start
// that finds "False" follows a run that crashed or was killed.

#include "shell/frmmain.h"

namespace quillet {

void FrmMain::CheckPreviousShutdown() {
    // A first run has no previous run to check.
    if (opts.FirstLoading)
        return;
    // Another instance holds the mark for itself.
    if (platform().otherInstanceRunning())
        return;
    if (opts.UnloadOk) {
        opts.UnloadOk = false;
        SaveGeneralSettings();
        return;
    }
    platform().messageBox(
        {QStringLiteral("Работа программы не была завершена должным образом!") + CRLF +
             QStringLiteral("Все несохранённые данные утеряны, изменённые настройки не "
                            "сохранены.") +
             CRLF +
             QStringLiteral("Если возникнут какие-либо сбои в программе, её нужно будет "
                            "переустановить."),
         ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
        this);
}

} // namespace quillet
