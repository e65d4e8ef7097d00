// The error report's text and the file steps that write it.

#include "diagnostics/debug_report.h"

#include "documents/cp1251.h"
#include "documents/text_file.h"
#include "platform/failure.h"
#include "platform/program_constants.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillet {

// ---- The report's text --------------------------------------------------------

QString FormatGrouped(std::int64_t number) {
    const bool negative = number < 0;
    // The magnitude in unsigned arithmetic, so the smallest 64-bit number works too.
    std::uint64_t magnitude =
        negative ? std::uint64_t(0) - static_cast<std::uint64_t>(number) : std::uint64_t(number);
    QString digits = QString::number(magnitude);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString ApplicationFolderEntry(const QString& folder) {
    return folder + QDir::separator();
}

namespace {
QString oneLine(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QString key(const char* name, const QString& value) {
    return QLatin1String(name) + QLatin1Char('=') + oneLine(value);
}
} // namespace

QStringList DebugReportLines(const DebugReport& r) {
    const QString percent = QStringLiteral("%");
    const QString bytes = QStringLiteral(" Byte");
    return {
        QStringLiteral("[Program]"),
        key("Program Name", r.programName),
        key("Program Version", QStringLiteral("%1.%2").arg(r.versionMajor).arg(r.versionMinor)),
        QStringLiteral("[Error]"),
        key("Error Description", r.description),
        key("Error Number", QString::number(r.number)),
        key("Current Form", r.form),
        QStringLiteral("[System]"),
        key("Current System", r.system),
        key("System Updates", r.servicePack),
        key("System Version", r.version),
        QStringLiteral("[Environment]"),
        key("System Folder", r.systemFolder),
        key("Windows Folder", r.windowsFolder),
        key("Temp Folder", r.tempFolder),
        key("Application Folder", r.applicationFolder),
        QStringLiteral("[Memory]"),
        key("Total Memory", FormatGrouped(r.totalMemory) + bytes),
        key("Available Memory", FormatGrouped(r.availableMemory) + bytes),
        QStringLiteral("[Resources]"),
        key("Free System Resources", QString::number(r.freeSystem) + percent),
        key("Free User Resources", QString::number(r.freeUser) + percent),
        key("Free GDI Resources", QString::number(r.freeGdi) + percent),
        QStringLiteral("[Calendar]"),
        key("Time", r.when.time().toString(QStringLiteral("hh:mm:ss"))),
        key("Date", r.when.date().toString(QStringLiteral("dd.MM.yyyy"))),
    };
}

QByteArray DebugReportBytes(const DebugReport& report) {
    QByteArray bytes;
    for (const QString& line : DebugReportLines(report))
        bytes += encodeCp1251(line + CRLF);
    return bytes;
}

// ---- The file -------------------------------------------------------------------

// The new report is written to a file of its own beside the old one and renamed
// over it once complete, so the old report is replaced whole in one step and an
// interrupted run never leaves half a report under the report's name.
//
// The report file is marked hidden and archive where the file system has such
// attributes. Here it has none, and nothing stands in for them: the name stays
// "QDebug.log" without a leading dot, so a user looking for the report sees it.

DiskReportFile::~DiskReportFile() {
    closeQuietly();
}

QString DiskReportFile::pendingPath(const QString& path) {
    return path + QStringLiteral(".new");
}

void DiskReportFile::create(const QString& path) {
    closeQuietly();
    path_ = path;
    const QByteArray pending = QFile::encodeName(pendingPath(path));
    fd_ = ::open(pending.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw fileFailure(errno, pendingPath(path));
}

void DiskReportFile::write(const QByteArray& bytes) {
    if (fd_ < 0)
        throw Failure(err::BadFileName, QStringLiteral("Bad file name or number"));
    if (!writeAll(fd_, bytes.constData(), bytes.size()))
        throw fileFailure(errno, pendingPath(path_));
}

void DiskReportFile::finish() {
    if (fd_ < 0)
        throw Failure(err::BadFileName, QStringLiteral("Bad file name or number"));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw fileFailure(errno, pendingPath(path_));
    const QByteArray from = QFile::encodeName(pendingPath(path_));
    const QByteArray to = QFile::encodeName(path_);
    if (::rename(from.constData(), to.constData()) != 0)
        throw fileFailure(errno, path_);
}

void DiskReportFile::discard(const QString& path) {
    // Only the unfinished report goes: the previous one stays until a complete
    // new one takes its place, so a failed report never costs the last good one.
    closeQuietly();
    ::unlink(QFile::encodeName(pendingPath(path)).constData());
}

void DiskReportFile::closeQuietly() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int RunWithRetries(const std::vector<std::function<void()>>& steps,
                   const std::function<void()>& onFailure, int maxRetries) {
    // The report is the record of failures: its own cannot be recorded anywhere,
    // so a failed step only costs a retry, and a failing clean-up is passed over
    // (the next report replaces whatever it left).
    int retries = 0;
    for (std::size_t step = 0; step < steps.size();) {
        if (!trapFailure(steps[step])) {
            ++step;
            continue;
        }
        (void)trapFailure(onFailure);
        if (retries >= maxRetries)
            return -1;
        ++retries;
    }
    return retries;
}

} // namespace quillet
