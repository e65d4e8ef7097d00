// Unsaved text kept aside: offered back at the next start, written at the end
// of the desktop session, thrown away at a normal close.

#include "session/document_session.h"

#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "session/recovery_copy.h"

#include <QFile>

namespace quillet {

void DocumentSession::OfferRecoveredText() {
    for (const QString& file : recovery_->leftBehind()) {
        QFile copy(file);
        const std::optional<RecoveredDocument> found =
            copy.open(QIODevice::ReadOnly) ? readRecoveryRecord(copy.readAll()) : std::nullopt;
        copy.close();
        if (!found) {
            copy.remove(); // not a whole copy: nothing to offer
            continue;
        }
        const int reply = platform_.messageBox(
            {QStringLiteral("Найден несохранённый текст документа ''") + found->name +
                 QStringLiteral("''.") + CRLF + QStringLiteral("Восстановить его?"),
             ProgramName, MsgIcon::Question, MsgButtons::YesNo, answer::Yes},
            owner_);
        if (reply != answer::Yes) {
            copy.remove();
            continue;
        }
        editor_.emptyUndoBuffer();
        editor_.setText(found->text);
        editor_.setLineBreakKind(found->format.lineBreak);
        if (found->path.isEmpty()) {
            doc.clearToNew();
        } else {
            doc.CommonFileName = found->path;
            doc.NewDoc = false;
            doc.FileExist = true;
            doc.LoadedInPart = false;
        }
        doc.format = found->format;
        // The file as it is now is the one the user decides to overwrite or not.
        doc.stamp = fileStamp(found->path);
        doc.declinedStamp = {};
        doc.TextChange = true;
        watchFile();
        showName();
        // The text is this instance's now: its own copy takes the old one's place.
        recovery_->writeNow();
        copy.remove();
        return;
    }
}

void DocumentSession::KeepUnsavedText() {
    recovery_->writeNow();
}

void DocumentSession::DiscardUnsavedText() {
    recovery_->discard();
}

} // namespace quillet
