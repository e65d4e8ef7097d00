// The warning after an unclean exit. The store says "NormalUnloading" = "False"
// for as long as a run lasts and "True" once it has closed normally, so a start
// that finds "False" follows a run that crashed or was killed.

#include "shell/frmmain.h"

#include <QMetaObject>

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
        // The store learns that this run has begun with the next save of the
        // general settings, at the latest on the event loop's first turn, just
        // after the window has appeared: the write waits for the disk twice,
        // which the window need not wait for.
        runMarkPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (runMarkPending_)
                    SaveGeneralSettings();
            },
            Qt::QueuedConnection);
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
