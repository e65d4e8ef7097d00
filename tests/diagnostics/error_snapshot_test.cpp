#include "diagnostics/debug_report.h"
#include "diagnostics/error_snapshot.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::ScriptedPlatform;

QStringList texts(const ErrorSnapshot& s) {
    return {s.ErrSysInfo, s.ErrSPInfo,   s.ErrVerInfo, s.ErrSysPath,
            s.ErrWinPath, s.ErrTempPath, s.ErrAppPath};
}

QList<std::int64_t> numbers(const ErrorSnapshot& s) {
    return {s.ErrTotMem, s.ErrAvMem, s.ErrSysFree, s.ErrGDIFree, s.ErrUserFree};
}

TEST(ErrorSnapshot, UnknownAndZeroBeforeTheFirstReport) {
    const ErrorSnapshot fresh;
    EXPECT_EQ(texts(fresh), QStringList(7, QStringLiteral("Unknown")));
    EXPECT_EQ(numbers(fresh), QList<std::int64_t>(5, 0));
}

// Every gathering replaces all that the previous one found, also with "nothing".
TEST(ErrorSnapshot, GatheringAsksTheSystemAfresh) {
    struct Case {
        const char* name;
        QString product;
        std::optional<OsVersion> version;
        QString temp;
        QString app;
        std::optional<MemoryStatus> memory;
        QStringList texts; // as texts() lists them
        QList<std::int64_t> numbers;
    };
    const Case cases[] = {
        {"a known machine",
         "Debian GNU/Linux 12 (bookworm)",
         OsVersion{6, 1, 0},
         "/var/tmp",
         "/opt/quillet",
         MemoryStatus{8ull << 30, 3ull << 30},
         {"Debian GNU/Linux 12 (bookworm)", "", "6.01.0", "", "", "/var/tmp/", "/opt/quillet/"},
         {8ll << 30, 3ll << 30, 0, 0, 0}},
        {"nothing known",
         "",
         std::nullopt,
         "",
         "/",
         std::nullopt,
         {"", "", "", "", "", "", "//"},
         {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        platform.product = c.product;
        platform.version = c.version;
        if (!c.temp.isEmpty())
            platform.env[QStringLiteral("Temp")] = c.temp;
        platform.appFolder = c.app;
        platform.memory = c.memory;

        ErrorSnapshot snapshot;
        // Left from an earlier report: the gathering must not keep any of it.
        snapshot.ErrSysPath = snapshot.ErrWinPath = snapshot.ErrSPInfo = QStringLiteral("old");
        snapshot.ErrTotMem = snapshot.ErrAvMem = 1;
        snapshot.ErrSysFree = snapshot.ErrGDIFree = snapshot.ErrUserFree = 42;
        snapshot.gather(platform);
        EXPECT_EQ(texts(snapshot), c.texts) << c.name;
        EXPECT_EQ(numbers(snapshot), c.numbers) << c.name;
    }
}

TEST(ErrorSnapshot, FillsTheReportsMachineEntries) {
    ErrorSnapshot s;
    s.ErrSysInfo = QStringLiteral("system");
    s.ErrSPInfo = QStringLiteral("updates");
    s.ErrVerInfo = QStringLiteral("version");
    s.ErrSysPath = QStringLiteral("sys/");
    s.ErrWinPath = QStringLiteral("win/");
    s.ErrTempPath = QStringLiteral("temp/");
    s.ErrAppPath = QStringLiteral("app/");
    s.ErrTotMem = 1234567;
    s.ErrAvMem = 89;
    s.ErrSysFree = 1;
    s.ErrGDIFree = 2;
    s.ErrUserFree = 3;
    DebugReport report;
    s.fillReport(report);
    const QStringList lines = DebugReportLines(report);
    ASSERT_EQ(lines.size(), DebugReportLineCount);
    const QStringList expected = {"Current System=system",
                                  "System Updates=updates",
                                  "System Version=version",
                                  "[Environment]",
                                  "System Folder=sys/",
                                  "Windows Folder=win/",
                                  "Temp Folder=temp/",
                                  "Application Folder=app/",
                                  "[Memory]",
                                  "Total Memory=1 234 567 Byte",
                                  "Available Memory=89 Byte",
                                  "[Resources]",
                                  "Free System Resources=1%",
                                  "Free User Resources=3%",
                                  "Free GDI Resources=2%"};
    EXPECT_EQ(lines.mid(8, expected.size()), expected);
}

} // namespace
} // namespace quillet
