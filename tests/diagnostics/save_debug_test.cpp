// The error report: its text, and SaveDebug writing it whole or not at all.

#include "diagnostics/debug_report.h"
#include "diagnostics/error_report.h"
#include "platform/failure.h"
#include "settings/options.h"
#include "support/files.h"
#include "support/report_file.h"
#include "support/scripted_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {
namespace {

using test::readFile;
using test::writeFile;

// The program's error report over the scripted platform, with the options whose
// NoDebug switch it reads at every failure. start() is left to the test, after
// it has set up the platform.
struct Reporting {
    test::ScriptedPlatform platform;
    Options options;
    ErrorReport report{platform, options};

    QString path() const { return report.DebugFilePath(); }
    QString text() const { return test::reportAt(path()); }
    QString folder() { return platform.applicationFolder(); }
    void save(const char* description, std::int32_t number, const char* form = "FrmMain") {
        report.SaveDebug(QString::fromUtf8(description), number, QString::fromLatin1(form));
    }
};

TEST(DebugReportFormat, GroupsDigitsInThrees) {
    struct Case {
        std::int64_t number;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1 000"},
        {1234, "1 234"},
        {65536, "65 536"},
        {100000, "100 000"},
        {1048576, "1 048 576"},
        {536870912, "536 870 912"},
        {4294967296, "4 294 967 296"},
        {-1234, "-1 234"},
        {-999, "-999"},
        {INT64_MAX, "9 223 372 036 854 775 807"},
        {INT64_MIN, "-9 223 372 036 854 775 808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatGrouped(c.number), QLatin1String(c.expected)) << c.number;
}

TEST(DebugReportFormat, ApplicationFolderAlwaysGetsASeparator) {
    EXPECT_EQ(ApplicationFolderEntry(QStringLiteral("/")), QStringLiteral("//"));
    EXPECT_EQ(ApplicationFolderEntry(QStringLiteral("/opt/quillet")),
              QStringLiteral("/opt/quillet/"));
    EXPECT_EQ(ApplicationFolderEntry(QStringLiteral("/opt/quillet/")),
              QStringLiteral("/opt/quillet//"));
}

TEST(DebugReportFormat, ValuesCannotBreakLines) {
    DebugReport report;
    report.description = QStringLiteral("first\r\nsecond\nthird");
    report.form = QStringLiteral("Frm\rMain");
    report.when = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
    const QStringList lines = DebugReportLines(report);
    ASSERT_EQ(lines.size(), DebugReportLineCount);
    EXPECT_EQ(lines[4], QStringLiteral("Error Description=first  second third"));
    EXPECT_EQ(lines[6], QStringLiteral("Current Form=Frm Main"));
    EXPECT_EQ(DebugReportBytes(report).count("\r\n"), DebugReportLineCount);
    EXPECT_EQ(DebugReportBytes(report).count('\n'), DebugReportLineCount);
}

// The whole file for a known failure, clock and machine.
TEST(SaveDebug, WritesTheReportByteForByte) {
    Reporting r;
    r.platform.env[QStringLiteral("Temp")] = QStringLiteral("/var/tmp");
    r.platform.clock = QDateTime(QDate(2026, 3, 4), QTime(17, 8, 9));
    r.report.start();
    r.save("Доступ запрещён", -2147024891);

    const QString app = r.folder();
    const QByteArray expected =
        QByteArray("[Program]\r\n"
                   "Program Name=Quillet\r\n"
                   "Program Version=") +
        QByteArray::number(QUILLET_VERSION_MAJOR) + '.' +
        QByteArray::number(QUILLET_VERSION_MINOR) +
        QByteArray("\r\n"
                   "[Error]\r\n"
                   "Error Description=\xC4\xEE\xF1\xF2\xF3\xEF \xE7\xE0\xEF\xF0\xE5\xF9\xB8\xED\r\n"
                   "Error Number=-2147024891\r\n"
                   "Current Form=FrmMain\r\n"
                   "[System]\r\n"
                   "Current System=Debian GNU/Linux 12 (bookworm)\r\n"
                   "System Updates=\r\n"
                   "System Version=6.01.0\r\n"
                   "[Environment]\r\n"
                   "System Folder=\r\n"
                   "Windows Folder=\r\n"
                   "Temp Folder=/var/tmp/\r\n"
                   "Application Folder=") +
        QFile::encodeName(app) +
        QByteArray("/\r\n"
                   "[Memory]\r\n"
                   "Total Memory=8 589 934 592 Byte\r\n"
                   "Available Memory=4 294 967 296 Byte\r\n"
                   "[Resources]\r\n"
                   "Free System Resources=0%\r\n"
                   "Free User Resources=0%\r\n"
                   "Free GDI Resources=0%\r\n"
                   "[Calendar]\r\n"
                   "Time=17:08:09\r\n"
                   "Date=04.03.2026\r\n");
    EXPECT_EQ(readFile(app + QStringLiteral("/QDebug.log")), expected);

    // The machine's facts stay in the report's snapshot for the rest of the run.
    const ErrorSnapshot& snapshot = r.report.snapshot();
    EXPECT_EQ(snapshot.ErrSysInfo, QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    EXPECT_EQ(snapshot.ErrVerInfo, QStringLiteral("6.01.0"));
    EXPECT_EQ(snapshot.ErrSPInfo, QString());
    EXPECT_EQ(snapshot.ErrAppPath, app + QLatin1Char('/'));
    EXPECT_EQ(snapshot.ErrTotMem, std::int64_t(8) << 30);
    EXPECT_EQ(snapshot.ErrAvMem, std::int64_t(4) << 30);
}

TEST(SaveDebug, UnknownProbesGiveEmptyValuesAndZeros) {
    Reporting r;
    r.platform.product.clear();
    r.platform.version.reset();
    r.platform.memory.reset();
    r.report.start();
    r.save("x", 5, "FrmGoTo");
    const QStringList lines = r.text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), DebugReportLineCount + 1); // the last line end leaves an empty tail
    EXPECT_EQ(lines.last(), QString());
    const QStringList expected = {
        "Current System=", "System Updates=", "System Version=", "[Environment]",
        "System Folder=",  "Windows Folder=", "Temp Folder="};
    EXPECT_EQ(lines.mid(8, 7), expected);
    EXPECT_EQ(lines[17], QStringLiteral("Total Memory=0 Byte"));
    EXPECT_EQ(lines[18], QStringLiteral("Available Memory=0 Byte"));
    EXPECT_EQ(lines.mid(20, 3), QStringList({"Free System Resources=0%", "Free User Resources=0%",
                                             "Free GDI Resources=0%"}));
}

QStringList reportFilesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("QDebug*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

TEST(SaveDebug, TheSecondReportReplacesTheFirstWhole) {
    Reporting r;
    r.report.start();
    r.save("A much longer first description than the second one", 53, "FrmFind");
    r.save("Second", 76, "FrmRewrite");
    const QString report = r.text();
    EXPECT_TRUE(report.contains(QStringLiteral("\r\nError Description=Second\r\nError Number=76\r\n"
                                               "Current Form=FrmRewrite\r\n")));
    EXPECT_FALSE(report.contains(QStringLiteral("first")));
    EXPECT_FALSE(report.contains(QStringLiteral("FrmFind")));
    EXPECT_EQ(report.count(QStringLiteral("\r\n")), DebugReportLineCount);
    EXPECT_EQ(reportFilesIn(r.folder()), QStringList{"QDebug.log"});
}

TEST(SaveDebug, AReadOnlyPreviousReportIsStillReplaced) {
    Reporting r;
    r.report.start();
    writeFile(r.path(), "old report");
    ASSERT_EQ(::chmod(QFile::encodeName(r.path()).constData(), 0444), 0);
    r.save("New", 1);
    EXPECT_TRUE(r.text().startsWith(QStringLiteral("[Program]\r\n")));
    EXPECT_TRUE(r.text().contains(QStringLiteral("Error Description=New\r\n")));
}

TEST(SaveDebug, SwitchedOffWritesAndGathersNothing) {
    Reporting r;
    r.report.start();
    writeFile(r.path(), "earlier report");
    const QDateTime modified = QFileInfo(r.path()).lastModified();
    r.options.NoDebugFile = true;
    r.save("Ignored", 53);
    EXPECT_EQ(readFile(r.path()), QByteArray("earlier report"));
    EXPECT_EQ(QFileInfo(r.path()).lastModified(), modified);
    EXPECT_EQ(reportFilesIn(r.folder()), QStringList{"QDebug.log"});
    EXPECT_EQ(r.report.snapshot().ErrSysInfo, QStringLiteral("Unknown"));
    EXPECT_EQ(r.report.snapshot().ErrTotMem, 0);
}

TEST(SaveDebug, AnUnwritableFolderIsSilentlySkipped) {
    struct Case {
        const char* name;
        bool needsPermissions;
    };
    for (const Case c : {Case{"missing folder", false}, Case{"read-only folder", true}}) {
        QTemporaryDir parent;
        QString folder = parent.path() + QStringLiteral("/app");
        if (c.needsPermissions) {
            // Permissions do not bind the superuser: there the missing folder
            // case stands for every folder the report cannot be written in.
            if (::geteuid() == 0)
                continue;
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
        }
        Reporting r;
        r.platform.appFolder = folder;
        r.report.start();
        EXPECT_NO_THROW(r.save("x", 75)) << c.name;
        EXPECT_FALSE(QFileInfo::exists(r.path())) << c.name;
        EXPECT_TRUE(r.platform.messages().empty()) << c.name;
        // The caller goes on: a later report lands once the folder can be written.
        if (c.needsPermissions)
            ::chmod(QFile::encodeName(folder).constData(), 0755);
        else
            QDir().mkpath(folder);
        r.save("later", 1);
        EXPECT_TRUE(r.text().contains(QStringLiteral("Error Description=later"))) << c.name;
    }
}

// The real file underneath, with failures injected on chosen calls.
class FlakyReportFile : public ReportFile {
public:
    int failCreates = 0;  // the next this many creations fail
    int failWriteAt = -1; // the write call with this index (0-based) fails
    int creates = 0, writes = 0, discards = 0;

    void create(const QString& path) override {
        ++creates;
        if (failCreates > 0) {
            --failCreates;
            throw Failure(75, QStringLiteral("Path/File access error"));
        }
        disk_.create(path);
    }
    void write(const QByteArray& bytes) override {
        if (writes++ == failWriteAt)
            throw Failure(61, QStringLiteral("Disk full"));
        disk_.write(bytes);
    }
    void finish() override { disk_.finish(); }
    void discard(const QString& path) override {
        ++discards;
        disk_.discard(path);
    }

private:
    DiskReportFile disk_;
};

TEST(SaveDebug, AFailureWhileWritingKeepsTheEarlierReportAfterFiveRetries) {
    for (int failing : {0, 10, 25}) {
        Reporting r;
        r.report.start();
        r.save("Earlier", 1);
        ASSERT_TRUE(QFileInfo::exists(r.path()));
        const QByteArray earlier = readFile(r.path());

        FlakyReportFile flaky;
        flaky.failWriteAt = failing;
        r.report.setReportFile(&flaky);
        EXPECT_NO_THROW(r.save("Later", 2));
        // The failed line is tried once and retried five times; each try finds no
        // open file once the first has been discarded.
        EXPECT_EQ(flaky.discards, 1 + DebugReportRetries) << failing;
        EXPECT_EQ(flaky.writes, failing + 1 + DebugReportRetries) << failing;
        EXPECT_EQ(flaky.creates, 1) << failing;
        // Nothing half written is left, and the earlier report is still whole.
        EXPECT_EQ(reportFilesIn(r.folder()), QStringList{"QDebug.log"}) << failing;
        EXPECT_EQ(readFile(r.path()), earlier) << failing;
        EXPECT_TRUE(r.platform.messages().empty());
    }
}

// The file system itself refuses the new report part way (a file size limit
// stands in for a full disk): the earlier report stays as it was.
TEST(SaveDebug, AReportTheDiskRefusesKeepsTheEarlierOne) {
    Reporting r;
    r.report.start();
    r.save("Earlier", 1);
    const QByteArray earlier = readFile(r.path());
    ASSERT_FALSE(earlier.isEmpty());

    {
        const test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.applied());
        r.save("Later", 2);
    }

    EXPECT_EQ(readFile(r.path()), earlier);
    EXPECT_EQ(reportFilesIn(r.folder()), QStringList{"QDebug.log"});
}

TEST(SaveDebug, AFailedCreationIsRetriedAtMostFiveTimes) {
    struct Case {
        int failures;
        bool written;
    };
    for (const Case c :
         {Case{1, true}, Case{4, true}, Case{5, true}, Case{6, false}, Case{100, false}}) {
        Reporting r;
        r.report.start();
        FlakyReportFile flaky;
        flaky.failCreates = c.failures;
        r.report.setReportFile(&flaky);
        r.save("Retried", 3);
        EXPECT_EQ(flaky.creates, std::min(c.failures + 1, 1 + DebugReportRetries)) << c.failures;
        const QString report = r.text();
        EXPECT_EQ(report.contains(QStringLiteral("Error Description=Retried\r\n")), c.written)
            << c.failures;
        if (c.written)
            EXPECT_EQ(report.count(QStringLiteral("\r\n")), DebugReportLineCount);
        else
            EXPECT_TRUE(reportFilesIn(r.folder()).isEmpty());
    }
}

TEST(RetryRule, RetriesAreSharedByAllSteps) {
    struct Case {
        const char* name;
        std::vector<int> failures; // per step, how many times it fails first
        int expected;              // retries used, or -1 for giving up
        std::vector<int> runs;     // calls per step
    };
    const Case cases[] = {
        {"clean", {0, 0, 0}, 0, {1, 1, 1}},
        {"five spread out", {2, 0, 3}, 5, {3, 1, 4}},
        {"six spread out", {3, 0, 3}, -1, {4, 1, 3}},
        {"one step for ever", {0, 1000, 0}, -1, {1, 6, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> left = c.failures;
        std::vector<int> runs(c.failures.size(), 0);
        std::vector<std::function<void()>> steps;
        for (std::size_t i = 0; i < left.size(); ++i)
            steps.push_back([&, i] {
                ++runs[i];
                if (left[i] > 0) {
                    --left[i];
                    throw std::runtime_error("step failed");
                }
            });
        int cleanups = 0;
        EXPECT_EQ(RunWithRetries(
                      steps, [&] { ++cleanups; }, DebugReportRetries),
                  c.expected)
            << c.name;
        EXPECT_EQ(runs, c.runs) << c.name;
        const int failed = c.expected < 0 ? DebugReportRetries + 1 : c.expected;
        EXPECT_EQ(cleanups, failed) << c.name;
    }
}

} // namespace
} // namespace quillet
