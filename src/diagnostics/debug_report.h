#pragma once

// The error report "QDebug.log": its text, and the file steps that write it under
// the report's own retry rule.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace quillet {

inline const QString DebugFileName = QStringLiteral("QDebug.log");
// The report gives up after this many retries in one call, shared by all steps.
constexpr int DebugReportRetries = 5;
constexpr int DebugReportLineCount = 26;

// Everything one report says.
struct DebugReport {
    QString programName = QStringLiteral("Quillet");
    int versionMajor = QUILLET_VERSION_MAJOR;
    int versionMinor = QUILLET_VERSION_MINOR;
    QString description;
    std::int32_t number = 0;
    QString form;
    QString system;
    QString servicePack;
    QString version;
    QString systemFolder;
    QString windowsFolder;
    QString tempFolder;
    QString applicationFolder;
    std::int64_t totalMemory = 0;
    std::int64_t availableMemory = 0;
    std::int32_t freeSystem = 0;
    std::int32_t freeUser = 0;
    std::int32_t freeGdi = 0;
    QDateTime when;
};

// Digits in groups of three from the right separated by single spaces, at least
// one digit, no padding: 0 → "0", 1234 → "1 234", 536870912 → "536 870 912".
// A negative number keeps its minus sign in front: -1234 → "-1 234".
QString FormatGrouped(std::int64_t number);

// The "Application Folder" value: the folder with the separator always appended,
// even when it already ends in one, so the root folder "/" gives "//".
QString ApplicationFolderEntry(const QString& folder);

// The report's 26 lines in order, without line ends. A CR or LF inside a value
// becomes a space, so a value can never add or break lines.
QStringList DebugReportLines(const DebugReport& report);
// The file's bytes: the lines in Windows-1251, each ended by CR LF.
QByteArray DebugReportBytes(const DebugReport& report);

// The file operations the report needs. Each throws quillet::Failure when it
// fails. The product writes the new report beside the old one and puts it in
// the old one's place only when it is complete.
class ReportFile {
public:
    virtual ~ReportFile() = default;
    // Starts a new report for path.
    virtual void create(const QString& path) = 0;
    // Appends one line's bytes (line end included); fails when no report is open.
    virtual void write(const QByteArray& bytes) = 0;
    // Completes the report: from now on path holds it.
    virtual void finish() = 0;
    // Closes whatever is open and deletes the unfinished report; the complete
    // report at path, if any, stays. Never fails.
    virtual void discard(const QString& path) = 0;
};

// The product's ReportFile on the file system.
class DiskReportFile : public ReportFile {
public:
    ~DiskReportFile() override;
    void create(const QString& path) override;
    void write(const QByteArray& bytes) override;
    void finish() override;
    void discard(const QString& path) override;

    // The unfinished report's name beside the report.
    static QString pendingPath(const QString& path);

private:
    void closeQuietly();
    int fd_ = -1;
    QString path_;
};

// Runs the steps in order. When a step fails, onFailure runs and the same step
// is tried again; after maxRetries retries in all the run gives up. Returns the
// number of retries used, or -1 when it gave up. Never throws.
int RunWithRetries(const std::vector<std::function<void()>>& steps,
                   const std::function<void()>& onFailure, int maxRetries);

} // namespace quillet
