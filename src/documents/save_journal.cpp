#include "documents/save_journal.h"

#include "documents/descriptor.h"
#include "documents/text_file.h"
#include "platform/failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr char RecordPrefix[] = "save-";
constexpr char RecordSuffix[] = ".record";
constexpr char RecordMark[] = "quillet-save";

void syncFolder(const QByteArray& folder) {
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Copies everything from source to a new save temporary in folder and syncs it.
// The temporary's name, or empty with errno set.
QByteArray copyInto(const QByteArray& folder, int source,
                    const std::function<void(qint64 done, qint64 total)>& progress) {
    QByteArray name;
    Descriptor fd(createSaveTemporary(folder, name));
    if (fd.get() < 0)
        return {};
    const auto fail = [&] {
        const int error = errno;
        ::unlink(name.constData());
        errno = error;
        return QByteArray();
    };
    if (::lseek(source, 0, SEEK_SET) != 0)
        return fail();
    struct stat st {};
    const qint64 total = ::fstat(source, &st) == 0 ? qint64(st.st_size) : 0;
    constexpr qint64 ProgressEvery = qint64(1) << 20;
    qint64 copied = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(source, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail();
        if (n == 0)
            break;
        if (!writeAll(fd.get(), buffer, n))
            return fail();
        copied += n;
        if (progress && copied % ProgressEvery < n)
            progress(std::min(copied, total), total);
    }
    if (progress && copied % ProgressEvery != 0)
        progress(std::min(copied, total), total);
    if (::fsync(fd.get()) != 0 || fd.close() != 0)
        return fail();
    return name;
}

// A name in folder for the copy of the file named base that nothing has yet.
QByteArray freeCopyName(const QByteArray& folder, const QByteArray& base) {
    const QByteArray stem = folder + '/' + base + ".quillet-old";
    QByteArray name = stem;
    struct stat st {};
    for (int n = 2; ::lstat(name.constData(), &st) == 0; ++n)
        name = stem + '-' + QByteArray::number(n);
    return name;
}

// Writes the record of a save (the file, then the copy) atomically.
bool writeRecord(const QByteArray& folder, const QByteArray& record, const QByteArray& target,
                 const QByteArray& copy) {
    const QByteArray temp =
        writeSyncedTemporary(folder, QByteArray(RecordMark) + '\0' + target + '\0' + copy + '\0');
    if (temp.isEmpty())
        return false;
    if (::rename(temp.constData(), record.constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace

QByteArray writeSyncedTemporary(const QByteArray& folder, const QByteArray& bytes) {
    QByteArray temp;
    Descriptor fd(createSaveTemporary(folder, temp));
    if (fd.get() < 0)
        return {};
    bool written = writeAll(fd.get(), bytes.constData(), bytes.size()) && ::fsync(fd.get()) == 0;
    written = fd.close() == 0 && written;
    if (!written) {
        ::unlink(temp.constData());
        return {};
    }
    return temp;
}

std::vector<QString> filesOfEndedProcesses(const QString& folder, const QString& prefix,
                                           const QString& suffix, QDir::SortFlags order) {
    std::vector<QString> found;
    if (folder.isEmpty())
        return found;
    const QDir dir(folder);
    const QFileInfoList files =
        dir.entryInfoList({prefix + u'*' + suffix}, QDir::Files | QDir::Hidden, order);
    for (const QFileInfo& info : files) {
        const QString name = info.fileName();
        bool ok = false;
        const qint64 pid =
            name.mid(prefix.size(), name.size() - prefix.size() - suffix.size()).toLongLong(&ok);
        if (ok && pid > 0 && processGone(pid))
            found.push_back(info.filePath());
    }
    return found;
}

OldTextCopy keepOldText(const QByteArray& target, const QString& path, const QString& stateFolder,
                        const std::function<void(qint64 done, qint64 total)>& progress) {
    Descriptor source(::open(target.constData(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        throw fileFailure(errno, path);
    const QFileInfo info(QFile::decodeName(target));
    const QByteArray base = QFile::encodeName(info.fileName());
    QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray temp = copyInto(folder, source.get(), progress);
    int error = errno;
    const QByteArray state = QFile::encodeName(stateFolder);
    if (temp.isEmpty() && !stateFolder.isEmpty() && QDir().mkpath(stateFolder)) {
        folder = state;
        temp = copyInto(folder, source.get(), progress);
        error = errno;
    }
    if (temp.isEmpty())
        throw fileFailure(error, path);

    OldTextCopy kept;
    kept.copy = freeCopyName(folder, base);
    if (!stateFolder.isEmpty() && QDir().mkpath(stateFolder)) {
        kept.record =
            state + '/' + RecordPrefix + QByteArray::number(qint64(::getpid())) + RecordSuffix;
        if (!writeRecord(state, kept.record, target, kept.copy))
            kept.record.clear();
    }
    if (::rename(temp.constData(), kept.copy.constData()) != 0) {
        error = errno;
        ::unlink(temp.constData());
        if (!kept.record.isEmpty())
            ::unlink(kept.record.constData());
        throw fileFailure(error, path);
    }
    syncFolder(folder);
    return kept;
}

void dropOldText(const OldTextCopy& kept) {
    ::unlink(kept.copy.constData());
    if (!kept.record.isEmpty())
        ::unlink(kept.record.constData());
}

std::vector<InterruptedSave> takeInterruptedSaves(const QString& stateFolder) {
    std::vector<InterruptedSave> found;
    for (const QString& path : filesOfEndedProcesses(stateFolder, QLatin1String(RecordPrefix),
                                                     QLatin1String(RecordSuffix), QDir::Name)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> parts = file.read(1 << 16).split('\0');
        file.close();
        file.remove();
        if (parts.size() < 3 || parts[0] != RecordMark)
            continue;
        const QString copy = QFile::decodeName(parts[2]);
        if (QFileInfo::exists(copy))
            found.push_back({QFile::decodeName(parts[1]), copy});
    }
    return found;
}

} // namespace quillet
