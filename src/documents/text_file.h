#pragma once

// Document files on disk: opening one for reading, and replacing a file without
// ever leaving it half written.

#include "documents/working_limit.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace quillet {

// Replaces the file at path with bytes. The bytes go to a temporary file in the
// same folder, which takes the place of the old file only once everything was
// written and flushed, so a failure leaves the old file as it was. The old file's
// permissions are kept; a symbolic link is followed to the file it names. A file
// with several names, or one in a folder that takes no new files, is written in
// place instead, after room for the new text was taken. Throws
// quillet::Failure (53 file not found, 76 path not found, 75 access error,
// others with their own numbers).
//
// The file keeps its owner, group, mode (set-group-ID bit included) and extended
// attributes; where the new file could not be given all of them (another user's
// file), the text is written into the old file in place, as for several names.
// Temporaries left in the folder by an earlier save that was killed are removed.
void writeFileReplacing(const QString& path, const QByteArray& bytes,
                        const QString& stateFolder = QString());

// A file's new content, made while it is written: write hands every byte, in
// order and a piece at a time, to the sink it is given, and size says how many
// there are. It may be asked more than once and must give the same bytes.
struct FileContent {
    using Sink = std::function<void(const char* data, qsizetype size)>;
    qint64 size = 0;
    std::function<void(const Sink& sink)> write;
    // Told how far the save is (done of total, in steps of the save's own
    // choosing) as the file is written; may be empty.
    std::function<void(qint64 done, qint64 total)> progress;
};

// The same as above for content made while it is written, so that no copy of a
// large text is held. Whatever write throws, or a size it does not keep to,
// leaves the old file as it was (a file written in place is made whole first,
// before any of the old text is overwritten).
//
// A file written in place is first copied, whole and synced, beside itself
// (".quillet-old" after its name) or, where its folder takes no new files, into
// stateFolder; stateFolder also gets a record of the save, so that a run that
// ends in the middle is told about at the next start (save_journal.h). The copy
// and the record are removed once the new text is synced. When no copy can be
// made the file is not touched and the save fails.
void writeFileReplacing(const QString& path, const FileContent& content,
                        const QString& stateFolder = QString());

// Writes all of data to fd, going on after an interrupted write; false, with
// errno set, when the system refuses.
bool writeAll(int fd, const char* data, qsizetype size);

// The process that made a save temporary with this file name, or nothing when
// the name is not one of this program's save temporaries.
std::optional<qint64> saveTemporaryProcess(const QByteArray& name);

// Creates a locked save temporary in folder (removed by a later save once its
// process is gone); its name goes to nameOut. The descriptor, or -1 with errno.
int createSaveTemporary(const QByteArray& folder, QByteArray& nameOut);
// Whether the process is no longer running (this process counts as gone: it
// writes one save at a time).
bool processGone(qint64 pid);

} // namespace quillet
