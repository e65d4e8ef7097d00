#include "diagnostics/mdl_functions_memory.h"
#include "diagnostics/mdl_other.h"
#include "platform/failure.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>

namespace quillet {
namespace {

using test::ScriptedPlatform;

// A platform whose system questions fail, as a probe may meet them.
class FailingProbes : public ScriptedPlatform {
public:
    QString productName() override { throw Failure(err::DeviceIO, QStringLiteral("I/O")); }
    std::optional<OsVersion> osVersion() override { throw std::bad_alloc(); }
    std::optional<MemoryStatus> memoryStatus() override {
        throw Failure(err::PathFileAccess, QStringLiteral("denied"));
    }
};

TEST(WindowsName, ThePlatformsNameOrEmpty) {
    const char* const names[] = {"Debian GNU/Linux 12 (bookworm)", "Ubuntu 24.04 LTS", ""};
    for (const char* name : names) {
        ScriptedPlatform platform;
        platform.product = QString::fromUtf8(name);
        EXPECT_EQ(GetWindowsName(platform), QString::fromUtf8(name)) << name;
    }
    FailingProbes failing;
    EXPECT_EQ(GetWindowsName(failing), QString());
}

TEST(WindowsVersion, MinorHasTwoDigits) {
    struct Case {
        int major, minor, build;
        const char* expected;
    };
    const Case cases[] = {
        {5, 1, 2600, "5.01.2600"}, {4, 0, 950, "4.00.950"},  {4, 10, 1998, "4.10.1998"},
        {6, 1, 0, "6.01.0"},       {10, 100, 7, "10.100.7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatWindowsVersion(c.major, c.minor, c.build), QLatin1String(c.expected));

    ScriptedPlatform platform;
    platform.version = OsVersion{6, 1, 0};
    EXPECT_EQ(GetWindowsVersion(platform), QStringLiteral("6.01.0"));
    platform.version.reset();
    EXPECT_EQ(GetWindowsVersion(platform), QString());
    FailingProbes failing;
    EXPECT_EQ(GetWindowsVersion(failing), QString());
}

TEST(StringHelpers, AddBackslash) {
    struct Case {
        QString in, added;
    };
    const Case cases[] = {
        {"", "/"},
        {"/", "/"},
        {"/home/work", "/home/work/"},
        {"/home/work/", "/home/work/"},
        {"C:\\Work", "C:\\Work/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddBackslash(c.in), c.added) << c.in.toStdString();
}

TEST(FolderProbes, TempFromTempElseTmpdir) {
    struct Case {
        const char* name;
        QString temp, tmpdir, expected;
    };
    const Case cases[] = {
        {"Temp without separator", "/var/tmp", "/tmp", "/var/tmp/"},
        {"Temp with separator", "/var/tmp/", "", "/var/tmp/"},
        {"only TMPDIR", "", "/tmp", "/tmp/"},
        {"neither", "", "", ""},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        if (!c.temp.isEmpty())
            platform.env[QStringLiteral("Temp")] = c.temp;
        if (!c.tmpdir.isEmpty())
            platform.env[QStringLiteral("TMPDIR")] = c.tmpdir;
        EXPECT_EQ(GetTempFolder(platform), c.expected) << c.name;
    }
}

TEST(MemoryProbe, SixtyFourBitsAndZeroWhenUnknown) {
    struct Case {
        std::optional<MemoryStatus> status;
        std::int64_t total, available;
    };
    const Case cases[] = {
        {MemoryStatus{536870912, 1000}, 536870912, 1000},
        {MemoryStatus{(1ull << 31) + 5, 1ull << 32}, (1ll << 31) + 5, 1ll << 32},
        {MemoryStatus{64ull << 40, 3ull << 40}, 64ll << 40, 3ll << 40},
        {std::nullopt, 0, 0},
        {MemoryStatus{~0ull, ~0ull}, std::numeric_limits<std::int64_t>::max(),
         std::numeric_limits<std::int64_t>::max()},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        platform.memory = c.status;
        std::int64_t total = -1;
        std::int64_t available = -1;
        GetMemoryStatus(platform, total, available);
        EXPECT_EQ(total, c.total);
        EXPECT_EQ(available, c.available);
    }
    FailingProbes failing;
    std::int64_t total = -1;
    std::int64_t available = -1;
    GetMemoryStatus(failing, total, available);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(available, 0);
}

} // namespace
} // namespace quillet
