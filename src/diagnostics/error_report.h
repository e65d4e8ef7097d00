#pragma once

// The error report as the program keeps it: where "QDebug.log" goes, the machine's
// facts the last report found, and SaveDebug, which rewrites the report at every
// trapped failure. Everything that traps failures is handed this as a
// FailureRecorder.

#include "diagnostics/error_snapshot.h"
#include "platform/failure.h"

#include <QString>

namespace quillet {

class Platform;
class ReportFile;
struct Options;

class ErrorReport : public FailureRecorder {
public:
    // options: the stored "NoDebug" switch (Options::NoDebugFile) is read there
    // at every failure.
    ErrorReport(Platform& platform, const Options& options);

    // The start of a run: the machine's facts back to "Unknown" and 0, and where
    // the report goes fixed (DebugFilePath).
    void start();

    void SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                   const QString& szCurrentForm) override;

    // Where the report is written: the program's folder, or the user's state
    // folder when the program's folder takes no new files. Empty before start()
    // and when neither can be named; nothing is written then.
    const QString& DebugFilePath() const { return path_; }
    // The machine as the last report found it.
    const ErrorSnapshot& snapshot() const { return snapshot_; }
    // Where SaveDebug writes the report; null means the file system. Tests put a
    // double here to make a step fail.
    void setReportFile(ReportFile* file) { file_ = file; }

private:
    Platform& platform_;
    const Options& options_;
    ErrorSnapshot snapshot_;
    QString path_;
    ReportFile* file_ = nullptr;
};

} // namespace quillet
