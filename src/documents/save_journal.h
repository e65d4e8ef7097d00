#pragma once

// Keeping a file's old text while the file is written in place, and telling, at
// the next start, about a save that a run did not finish.
//
// Before a file is overwritten where it is, its whole old text is copied and
// synced, beside it ("<name>.quillet-old", numbered when taken) or, where its
// folder takes no new files, into the program's state folder. A record of the
// save, "save-<process>.record" in the state folder, names the file and the
// copy. Both go once the new text is synced; a record whose process is gone
// means the run ended in the middle, and its copy holds the old text.

#include <QByteArray>
#include <QDir>
#include <QString>

#include <functional>
#include <vector>

namespace quillet {

// ---- Files a process keeps in the state folder -----------------------------

// Writes bytes to a new save temporary in folder and syncs it: its name, or
// empty (nothing left behind) when it could not be written whole.
QByteArray writeSyncedTemporary(const QByteArray& folder, const QByteArray& bytes);
// The files in folder named <prefix><process number><suffix> whose process is
// no longer running (this process's number stands for an earlier process's),
// in the order given.
std::vector<QString> filesOfEndedProcesses(const QString& folder, const QString& prefix,
                                           const QString& suffix, QDir::SortFlags order);

struct OldTextCopy {
    QByteArray copy;   // the copy of the old text
    QByteArray record; // the record of the save (empty without a state folder)
};

// Copies the file at target (path: the name failures are reported with). Throws
// quillet::Failure when no copy can be made; the file is untouched then.
// progress, when given, is told how many of the file's bytes were copied, of
// how many, after every megabyte.
OldTextCopy keepOldText(const QByteArray& target, const QString& path, const QString& stateFolder,
                        const std::function<void(qint64 done, qint64 total)>& progress = {});
// The new text is synced: the copy and the record go.
void dropOldText(const OldTextCopy& kept);

struct InterruptedSave {
    QString path; // the file that was being written
    QString copy; // where its old text is
};

// The saves in the state folder's records that a run did not finish, whose copy
// still exists. Their records are removed (the copies stay: they are the user's
// text); records of running processes are left alone.
std::vector<InterruptedSave> takeInterruptedSaves(const QString& stateFolder);

} // namespace quillet
