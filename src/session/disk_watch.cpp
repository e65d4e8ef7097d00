// The document's file on disk: another program's change to it is noticed (the
// file is watched) and asked about before the document's text replaces it or
// while the document could simply load it again; and saves a run did not finish
// are told about at the next start.

#include "session/document_session.h"

#include "documents/save_journal.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "platform/state_folder.h"

#include <QApplication>
#include <QFileSystemWatcher>

namespace quillet {

namespace {

// A change on disk is looked at a moment after it is seen, so that a program
// writing the file in several steps is done by then.
constexpr int DiskCheckDelayMs = 300;

QString changedByAnotherProgram(const QString& name) {
    return QStringLiteral("Файл ''") + name + QStringLiteral("'' изменён другой программой.");
}

} // namespace

QString DocumentSession::StateFolder() const {
    return ProgramStateFolder(platform_.environment(QStringLiteral("XDG_STATE_HOME")),
                              platform_.environment(QStringLiteral("HOME")));
}

void DocumentSession::rememberFile(const FileStamp& stamp) {
    doc.stamp = stamp;
    doc.declinedStamp = {};
    watchFile();
}

void DocumentSession::watchFile() {
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        diskCheck_.setSingleShot(true);
        diskCheck_.setInterval(DiskCheckDelayMs);
        connect(&diskCheck_, &QTimer::timeout, this, &DocumentSession::CheckFileOnDisk);
        connect(watcher_, &QFileSystemWatcher::fileChanged, &diskCheck_,
                qOverload<>(&QTimer::start));
    }
    const QStringList watched = watcher_->files();
    const QString& path = doc.CommonFileName;
    const bool wanted = doc.FileExist && !path.isEmpty();
    if (wanted && watched.size() == 1 && watched.front() == path)
        return;
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    // A file replaced by a new one (as most programs save) is no longer the
    // one watched: it is watched again whenever it is looked at.
    if (wanted)
        watcher_->addPath(path);
}

bool DocumentSession::ConfirmOverwriteOfChange() {
    if (!doc.stamp.exists)
        return true;
    const FileStamp now = fileStamp(doc.CommonFileName);
    // A file that is gone is simply written again.
    if (!now.exists || now == doc.stamp)
        return true;
    return platform_.messageBox({changedByAnotherProgram(doc.FileNameOnly) + CRLF +
                                     QStringLiteral("Записать документ поверх этих изменений?"),
                                 ProgramName, MsgIcon::Exclamation, MsgButtons::YesNo, answer::No},
                                owner_) == answer::Yes;
}

void DocumentSession::CheckFileOnDisk() {
    if (checkingDisk_ || !doc.FileExist || !doc.stamp.exists)
        return;
    // Not in the middle of another question or dialog, nor while a file is
    // read or written: looked at again later.
    if (busy_ || QApplication::activeModalWidget()) {
        diskCheck_.start();
        return;
    }
    watchFile();
    // Unsaved changes are asked about when they are saved.
    if (doc.needsSaveQuestion())
        return;
    const FileStamp now = fileStamp(doc.CommonFileName);
    if (!now.exists || now == doc.stamp || now == doc.declinedStamp)
        return;
    checkingDisk_ = true;
    const int reply = platform_.messageBox(
        {changedByAnotherProgram(doc.FileNameOnly) + CRLF + QStringLiteral("Загрузить его заново?"),
         ProgramName, MsgIcon::Question, MsgButtons::YesNo, answer::Yes},
        owner_);
    checkingDisk_ = false;
    // The document may have changed while the question was open.
    if (reply == answer::Yes && !doc.needsSaveQuestion())
        OpenFile({OpenOrigin::Dialog, doc.CommonFileName});
    else
        doc.declinedStamp = now;
}

void DocumentSession::ReportInterruptedSaves() {
    for (const InterruptedSave& save : takeInterruptedSaves(StateFolder())) {
        platform_.messageBox({QStringLiteral("Сохранение файла ''") + save.path +
                                  QStringLiteral("'' было прервано.") + CRLF +
                                  QStringLiteral("Его прежний текст сохранён в файле ''") +
                                  save.copy + QStringLiteral("''."),
                              ProgramName, MsgIcon::Information, MsgButtons::Ok, answer::Ok},
                             owner_);
    }
}

} // namespace quillet
