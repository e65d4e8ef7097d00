#include "documents/text_file.h"

#include "documents/buffer_limit.h"
#include "documents/descriptor.h"
#include "documents/document_reader.h"
#include "documents/file_stamp.h"
#include "documents/save_journal.h"
#include "platform/failure.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace quillet {

namespace {

// The file a path finally names, following symbolic links (also dangling ones, so
// that saving through a link writes the file it points to, not over the link).
QString followLinks(const QString& path) {
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return current;
        current = target;
    }
    return current;
}

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A content that does not give the bytes it said it would (the text changed
// while it was written) must not take the old file's place.
Failure contentMismatch() {
    return Failure(err::InternalError, QStringLiteral("The text changed while it was written"));
}

QByteArray wholeContent(const FileContent& content) {
    if (content.size < 0 || content.size > std::numeric_limits<qsizetype>::max() - 1)
        throw std::bad_alloc();
    checkBufferSize(qsizetype(content.size));
    QByteArray bytes;
    bytes.reserve(qsizetype(content.size));
    // Making the text is the first third of an in-place save, copying the old
    // text the second, writing the new one the last.
    content.write([&bytes, &content](const char* data, qsizetype size) {
        bytes.append(data, size);
        if (content.progress)
            content.progress(std::min<qint64>(bytes.size(), content.size), 3 * content.size);
    });
    if (bytes.size() != content.size)
        throw contentMismatch();
    return bytes;
}

// Writes bytes over an existing file, keeping the file itself (its other names,
// owner and attributes). Room for the whole text is taken first, so a full disk
// stops the save before a byte of the old text is overwritten, and a copy of the
// old text is kept until the new one is synced, so that a run that ends in the
// middle leaves it somewhere.
void overwriteInPlace(const QByteArray& targetName, const FileContent& content, const QString& path,
                      const QString& stateFolder) {
    // Made whole before the file is touched: nothing that fails while the text
    // is made can leave the old text half overwritten.
    const QByteArray bytes = wholeContent(content);
    Descriptor fd(::open(targetName.constData(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw fileFailure(errno, path);
    const qint64 textSize = content.size;
    const OldTextCopy kept =
        keepOldText(targetName, path, stateFolder, [&content, textSize](qint64 done, qint64 total) {
            if (content.progress && total > 0)
                content.progress(textSize + done * textSize / total, 3 * textSize);
        });
    if (!bytes.isEmpty()) {
        const int rc = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        if (rc != 0 && rc != EOPNOTSUPP && rc != EINVAL)
            throw fileFailure(rc, path);
    }
    // Freshly opened, the descriptor writes from the file's start; a megabyte at
    // a time, so that the progress moves.
    constexpr qsizetype Piece = qsizetype(1) << 20;
    for (qsizetype at = 0; at < bytes.size(); at += Piece) {
        const qsizetype size = std::min(Piece, bytes.size() - at);
        if (!writeAll(fd.get(), bytes.constData() + at, size))
            throw fileFailure(errno, path);
        if (content.progress)
            content.progress(2 * content.size + at + size, 3 * content.size);
    }
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        throw fileFailure(errno, path);
    if (::fsync(fd.get()) != 0)
        throw fileFailure(errno, path);
    if (fd.close() != 0)
        throw fileFailure(errno, path);
    dropOldText(kept);
}

} // namespace

namespace {

// Opens a file for reading, refusing what has no end to read to.
int openForReading(const QString& path, struct stat& st) {
    const QByteArray name = QFile::encodeName(path);
    // Not waiting at the open: a pipe with no writer would hold the program here.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw fileFailure(errno, path);
    Descriptor guard(fd);
    if (::fstat(fd, &st) != 0)
        throw fileFailure(errno, path);
    if (S_ISDIR(st.st_mode))
        throw fileFailure(EISDIR, path);
    // Only a file has an end to read to: a device may never have one.
    if (!S_ISREG(st.st_mode))
        throw fileFailure(EACCES, path);
    return guard.release();
}

} // namespace

namespace {

// ---- Save temporaries ----------------------------------------------------------
//
// A save writes the new text to a temporary file beside the document, named
// ".quillet-save-<process number>-<six letters or digits>.tmp", and keeps it
// locked (flock) while it is written. A save that was killed leaves its
// temporary behind; the next save in that folder removes every one of them
// whose process is gone and that nobody holds locked. The name is strict enough
// that no other program's file matches it.

constexpr char SaveTempPrefix[] = ".quillet-save-";
constexpr char SaveTempSuffix[] = ".tmp";
constexpr int SaveTempRandom = 6;

} // namespace

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

std::optional<qint64> saveTemporaryProcess(const QByteArray& name) {
    const qsizetype prefix = qsizetype(sizeof SaveTempPrefix) - 1;
    const qsizetype suffix = qsizetype(sizeof SaveTempSuffix) - 1;
    if (!name.startsWith(SaveTempPrefix) || !name.endsWith(SaveTempSuffix))
        return std::nullopt;
    const QByteArray middle = name.mid(prefix, name.size() - prefix - suffix);
    const qsizetype dash = middle.indexOf('-');
    if (dash < 1 || dash > 10 || middle.size() - dash - 1 != SaveTempRandom)
        return std::nullopt;
    qint64 pid = 0;
    for (qsizetype i = 0; i < dash; ++i) {
        const char c = middle.at(i);
        if (c < '0' || c > '9')
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    for (qsizetype i = dash + 1; i < middle.size(); ++i) {
        const char c = middle.at(i);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return std::nullopt;
    }
    if (pid <= 0)
        return std::nullopt;
    return pid;
}

bool processGone(qint64 pid) {
    if (pid == ::getpid())
        return true; // this process writes one save at a time: not this one
    if (pid > std::numeric_limits<pid_t>::max())
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

namespace {

// Removes this user's save temporaries in the folder that no running save owns.
// Nothing here may stop the save: every failure just leaves the file.
void removeStaleSaveTemporaries(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const std::optional<qint64> pid = saveTemporaryProcess(name);
        if (!pid || !processGone(*pid))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        Descriptor fd(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue; // a save is still writing it
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

int createSaveTemporary(const QByteArray& folder, QByteArray& nameOut) {
    nameOut = folder + '/' + SaveTempPrefix + QByteArray::number(qint64(::getpid())) + '-' +
              QByteArray(SaveTempRandom, 'X') + SaveTempSuffix;
    const int fd = ::mkostemps(nameOut.data(), int(sizeof SaveTempSuffix) - 1, O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB); // no one else has it yet
    return fd;
}

namespace {

// ---- Keeping what the old file was ----------------------------------------------

// Copies the extended attributes of the file at source (permissions lists,
// security labels, user attributes) to fd. False when one of them could not be
// copied; a file system without extended attributes has none to keep.
bool copyExtendedAttributes(const QByteArray& source, int fd) {
    ssize_t size = ::listxattr(source.constData(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP || errno == ENOSYS;
    if (size == 0)
        return true;
    QByteArray names(size, Qt::Uninitialized);
    size = ::listxattr(source.constData(), names.data(), size_t(names.size()));
    if (size < 0)
        return false;
    names.truncate(size);
    for (const QByteArray& attribute : names.split('\0')) {
        if (attribute.isEmpty())
            continue;
        const ssize_t length = ::getxattr(source.constData(), attribute.constData(), nullptr, 0);
        if (length < 0)
            return false;
        QByteArray value(length, Qt::Uninitialized);
        const ssize_t got =
            ::getxattr(source.constData(), attribute.constData(), value.data(), size_t(length));
        if (got < 0 ||
            ::fsetxattr(fd, attribute.constData(), value.constData(), size_t(got), 0) != 0)
            return false;
    }
    return true;
}

// Gives the new file at fd the owner, group, extended attributes and mode of the
// old file (st, at source). The owner comes first: changing it clears the
// set-group-ID bit, which the mode then sets again. False when any of them could
// not be kept (another user's file, a group the user is not in, an attribute
// the user may not set): the old file must then be written where it is.
bool keepFileAttributes(int fd, const struct stat& st, const QByteArray& source) {
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, uid_t(-1), st.st_gid) != 0)
            return false;
    }
    if (!copyExtendedAttributes(source, fd))
        return false;
    if (::fchmod(fd, st.st_mode & 07777) != 0)
        return false;
    struct stat now {};
    return ::fstat(fd, &now) == 0 && now.st_uid == st.st_uid && now.st_gid == st.st_gid &&
           (now.st_mode & 07777) == (st.st_mode & 07777);
}

} // namespace

void writeFileReplacing(const QString& path, const FileContent& content,
                        const QString& stateFolder) {
    const QString target = followLinks(path);
    const QByteArray targetName = QFile::encodeName(target);

    bool exists = false;
    struct stat st {};
    if (::stat(targetName.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw fileFailure(EISDIR, path);
        // A device, pipe or socket in the file's place is not a document: it is
        // neither replaced by a file nor written to.
        if (!S_ISREG(st.st_mode))
            throw fileFailure(EACCES, path);
        // A file the user may not write stays as it is, even where its folder
        // would let us put a new one in its place.
        if (::access(targetName.constData(), W_OK) != 0)
            throw fileFailure(errno, path);
        exists = true;
    } else if (errno != ENOENT) {
        throw fileFailure(errno, path);
    }

    // A file with more than one name is written where it is, so that every name
    // shows the saved text, as it would if the file were simply rewritten.
    if (exists && st.st_nlink > 1) {
        overwriteInPlace(targetName, content, path, stateFolder);
        return;
    }

    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    removeStaleSaveTemporaries(folder);
    QByteArray temp;
    Descriptor fd(createSaveTemporary(folder, temp));
    if (fd.get() < 0) {
        // A file the user may write in a folder where nothing may be added.
        if (exists && (errno == EACCES || errno == EPERM)) {
            overwriteInPlace(targetName, content, path, stateFolder);
            return;
        }
        throw fileFailure(errno, path);
    }

    const auto fail = [&](int error) {
        ::unlink(temp.constData());
        throw fileFailure(error, path);
    };

    if (exists) {
        if (!keepFileAttributes(fd.get(), st, targetName)) {
            // Replacing the file would change who owns it or what it carries:
            // write the text into the file itself instead.
            ::unlink(temp.constData());
            fd.close();
            overwriteInPlace(targetName, content, path, stateFolder);
            return;
        }
    } else if (::fchmod(fd.get(), creationMode()) != 0) {
        fail(errno);
    }

    qint64 written = 0;
    try {
        content.write([&](const char* data, qsizetype size) {
            if (!writeAll(fd.get(), data, size))
                throw fileFailure(errno, path);
            written += size;
            if (content.progress)
                content.progress(written, content.size);
        });
    } catch (...) {
        // Whatever stopped the text being made leaves no temporary behind.
        ::unlink(temp.constData());
        throw;
    }
    if (written != content.size) {
        ::unlink(temp.constData());
        throw contentMismatch();
    }
    if (::fsync(fd.get()) != 0)
        fail(errno);
    if (fd.close() != 0)
        fail(errno);
    if (::rename(temp.constData(), targetName.constData()) != 0)
        fail(errno);

    // Make the new name itself durable; a folder that refuses this loses nothing.
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void writeFileReplacing(const QString& path, const QByteArray& bytes, const QString& stateFolder) {
    writeFileReplacing(path,
                       FileContent{bytes.size(),
                                   [&bytes](const FileContent::Sink& sink) {
                                       sink(bytes.constData(), bytes.size());
                                   },
                                   {}},
                       stateFolder);
}

DocumentText readDocumentFile(const QString& path, ReadOptions options) {
    struct stat st {};
    Descriptor fd(openForReading(path, st));
    const std::function<void(qint64, qint64)> progress = std::move(options.progress);
    DocumentReader reader(std::move(options), static_cast<qsizetype>(st.st_size));
    qint64 read = 0;

    // Pieces of at most a megabyte; a few bytes the reader kept back go before
    // the next. A small file gets a buffer its own size, left uninitialised:
    // clearing a megabyte it never uses was a visible part of opening it.
    // Files that report no size (a pipe, /proc) are read in 64 KB pieces.
    constexpr qsizetype LargestPiece = 1 << 20;
    constexpr qsizetype SmallestPiece = 64 << 10;
    const qsizetype Piece =
        std::clamp<qsizetype>(static_cast<qsizetype>(st.st_size) + 1, SmallestPiece, LargestPiece);
    const auto buffer =
        std::make_unique_for_overwrite<char[]>(static_cast<size_t>(Piece + Utf8SniffWindow + 16));
    qsizetype kept = 0;
    bool atEnd = false;
    const auto readMore = [&](char* into, qsizetype room) {
        for (;;) {
            const ssize_t n = ::read(fd.get(), into, static_cast<size_t>(room));
            if (n >= 0)
                return static_cast<qsizetype>(n);
            if (errno != EINTR)
                throw fileFailure(errno, path);
        }
    };
    for (;;) {
        qsizetype filled = kept;
        if (!atEnd) {
            const qsizetype n = readMore(buffer.get() + kept, Piece);
            atEnd = n == 0;
            filled += n;
            read += n;
            if (progress)
                progress(read, static_cast<qint64>(st.st_size));
        }
        const qsizetype used = reader.feed(buffer.get(), filled, atEnd);
        if (reader.stopped()) {
            // The question stopped the reading: the text is whole only when
            // nothing followed the line it stopped after.
            bool rest = used < filled;
            if (!rest && !atEnd) {
                char probe = 0;
                rest = readMore(&probe, 1) > 0;
            }
            DocumentText text = reader.finish();
            text.whole = !rest;
            text.stamp = fileStamp(st);
            return text;
        }
        kept = filled - used;
        if (atEnd && (kept == 0 || used == 0))
            break;
        std::memmove(buffer.get(), buffer.get() + used, static_cast<size_t>(kept));
    }
    DocumentText text = reader.finish();
    text.stamp = fileStamp(st);
    return text;
}

} // namespace quillet
