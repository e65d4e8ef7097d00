#include "diagnostics/error_report.h"

#include "diagnostics/debug_report.h"
#include "diagnostics/mdl_other.h"
#include "diagnostics/report_folder.h"
#include "documents/cp1251.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "settings/options.h"

#include <QDir>

namespace quillet {

ErrorReport::ErrorReport(Platform& platform, const Options& options)
    : platform_(platform), options_(options) {}

void ErrorReport::start() {
    snapshot_ = ErrorSnapshot();
    path_.clear();
    const QString appFolder = platform_.applicationFolder();
    const QString folder =
        DebugReportFolder(appFolder, platform_.folderWritable(appFolder),
                          platform_.environment(QStringLiteral("XDG_STATE_HOME")),
                          platform_.environment(QStringLiteral("HOME")));
    if (folder.isEmpty())
        return;
    // The state folder may not exist yet; a report that cannot be placed is
    // simply not written, like any other report that fails.
    if (folder != appFolder)
        QDir().mkpath(folder);
    path_ = AddBackslash(folder) + DebugFileName;
}

void ErrorReport::SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                            const QString& szCurrentForm) {
    // Switched off, or asked before the start of the run has fixed where the
    // report goes.
    if (options_.NoDebugFile || path_.isEmpty())
        return;

    DiskReportFile disk;
    ReportFile& file = file_ ? *file_ : disk;
    const QString path = path_;
    DebugReport report;
    QStringList lines;

    std::vector<std::function<void()>> steps;
    steps.push_back([&] {
        snapshot_.gather(platform_);
        report.description = szErrorDescription;
        report.number = lErrorNumber;
        report.form = szCurrentForm;
        snapshot_.fillReport(report);
        report.when = platform_.now();
        lines = DebugReportLines(report);
    });
    steps.push_back([&] { file.create(path); });
    for (int i = 0; i < DebugReportLineCount; ++i)
        steps.push_back([&, i] { file.write(encodeCp1251(lines.value(i) + CRLF)); });
    steps.push_back([&] { file.finish(); });

    // Every failure from here on is the report's own business: the partial file
    // goes, the failed step is tried again, and after the last retry the report
    // is silently not written.
    RunWithRetries(
        steps, [&] { file.discard(path); }, DebugReportRetries);
}

} // namespace quillet
