#include "platform/qt_platform.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quillet;

TEST(MemoryProbe, ReadsTotalAndAvailableFromMemInfoText) {
    struct Case {
        const char* text;
        bool found;
        std::uint64_t total;
        std::uint64_t available;
    };
    const Case cases[] = {
        {"MemTotal:        8048576 kB\nMemFree:          100000 kB\nMemAvailable:    4000000 kB\n",
         true, 8048576ull * 1024, 4000000ull * 1024},
        // More than 4 GB is kept whole.
        {"MemAvailable: 20000000 kB\nMemTotal: 33554432 kB", true, 33554432ull * 1024,
         20000000ull * 1024},
        {"MemTotal: 1024 kB\n", false, 0, 0},
        {"MemTotal: x kB\nMemAvailable: 5 kB\n", false, 0, 0},
        {"", false, 0, 0},
        // Spacing of any kind, and look-alike names, are told apart.
        {"  MemTotal:\t2048 kB\r\nMemTotalX: 9 kB\nMemAvailable:1024 kB\n\tMemAvailable: 512 kB",
         true, 2048ull * 1024, 512ull * 1024},
        {"MemTotalX: 9 kB\nMemAvailableX: 5 kB\n", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto status = parseMemInfo(QByteArray(c.text));
        ASSERT_EQ(status.has_value(), c.found);
        if (c.found) {
            EXPECT_EQ(status->total, c.total);
            EXPECT_EQ(status->available, c.available);
        }
    }
}

// The kernel's file reports a size of 0; the probe must still read it.
TEST(MemoryProbe, RealMemInfoGivesNonZeroFigures) {
    if (!QFileInfo::exists(QStringLiteral("/proc/meminfo")))
        GTEST_SKIP() << "no /proc/meminfo here";
    QtPlatform platform;
    const auto status = platform.memoryStatus();
    ASSERT_TRUE(status.has_value());
    EXPECT_GT(status->total, 0u);
    EXPECT_GT(status->available, 0u);
    EXPECT_LE(status->available, status->total);
}
