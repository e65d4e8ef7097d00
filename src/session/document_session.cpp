#include "session/document_session.h"

#include "documents/document_name.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "session/recovery_copy.h"
#include "settings/options.h"

#include <QCoreApplication>

namespace quillet {

DocumentSession::DocumentSession(Platform& platform, TextBlock& editor, const Options& options,
                                 FailureRecorder& failures, QWidget* owner)
    : QObject(owner), platform_(platform), editor_(editor), opts(options), failures_(failures),
      owner_(owner) {
    connect(&editor_, &TextBlock::changed, this, &DocumentSession::TextBlock_Change);
    recovery_ = new RecoveryCopy(editor_, doc, StateFolder(), this);
}

DocumentSession::LongWork::LongWork(DocumentSession& session, QString label)
    : session_(session), label_(std::move(label)),
      throttle_(session.progressClock_, session.progressTiming_) {
    session_.busy_ = true;
}

DocumentSession::LongWork::~LongWork() {
    session_.busy_ = false;
    if (throttle_.shown())
        Q_EMIT session_.progress(QString());
    Q_EMIT session_.workEnded();
}

void DocumentSession::LongWork::report(qint64 done, qint64 total) {
    const std::optional<int> percent = throttle_.report(done, total);
    if (!percent)
        return;
    if (*percent != shownPercent_) {
        shownPercent_ = *percent;
        Q_EMIT session_.progress(label_ + QStringLiteral("… ") + QString::number(*percent) +
                                 QStringLiteral(" %"));
    }
    // Paint and timer events only: no key or click reaches the window until
    // the work ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DocumentSession::setProgressTiming(ProgressThrottle::Clock clock,
                                        ProgressThrottle::Timing timing) {
    progressClock_ = std::move(clock);
    progressTiming_ = timing;
}

void DocumentSession::TextBlock_Change() {
    doc.textEdited(editor_.hasText());
    recovery_->textChanged();
}

const QString& DocumentSession::UpdateDocumentName() {
    doc.FileNameOnly = documentDisplayName(doc.CommonFileName, doc.NewDoc, opts.LimType).display;
    return doc.FileNameOnly;
}

void DocumentSession::showName() {
    Q_EMIT nameChanged(UpdateDocumentName());
    Q_EMIT formatChanged(describeFileFormat(doc.format));
}

QString DocumentSession::FileDialogFolder() const {
    return DialogStartFolder(doc.NewDoc, doc.CommonFileName, doc.RecentFileString,
                             platform_.environment(QStringLiteral("HOME")));
}

int DocumentSession::SaveChangesPrompt() {
    return platform_.messageBox(
        {QStringLiteral("Документ ''") + doc.FileNameOnly + QStringLiteral("'' был изменён.") +
             CRLF + QStringLiteral("Сохранить эти изменения?"),
         ProgramName, MsgIcon::Exclamation, MsgButtons::YesNoCancel, answer::Yes},
        owner_);
}

bool DocumentSession::SettleUnsavedChanges() {
    // Nothing closes or replaces the document while it is being read or written.
    if (busy_)
        return false;
    if (!doc.needsSaveQuestion())
        return true;
    switch (SaveChangesPrompt()) {
    case answer::Yes:
        // A save that did not happen (Save As cancelled, a failure, saving
        // disabled) must not throw the text away: as if Cancel was chosen.
        return SaveAfterYes();
    case answer::No:
        recovery_->discard();
        return true;
    default:
        return false;
    }
}

bool DocumentSession::SaveAfterYes() {
    if (opts.DisableSaveFile) {
        // Save does nothing at all while saving is switched off; after a Yes the
        // user must hear why the document is still there.
        platform_.messageBox(
            {QStringLiteral("Сохранение документов отключено в настройках программы "
                            "(параметр DisableSave).") +
                 CRLF + QStringLiteral("Документ не сохранён и остаётся открытым."),
             ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
            owner_);
        return false;
    }
    Save();
    // The save did not happen (cancelled or failed): keep the text rather than
    // throw it away.
    return !doc.needsSaveQuestion();
}

void DocumentSession::New() {
    if (!SettleUnsavedChanges())
        return;
    clearToNewDocument();
}

void DocumentSession::clearToNewDocument() {
    // Undo must not bring the old document back.
    editor_.emptyUndoBuffer();
    editor_.setText(QString());
    editor_.setLineBreakKind(LineBreak::CrLf);
    doc.clearToNew();
    recovery_->discard();
    watchFile();
    showName();
}

} // namespace quillet
