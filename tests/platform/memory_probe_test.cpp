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

TEST(MemoryProbe, FindsTheProcesssControlGroupsUpToTheMount) {
    struct Case {
        const char* name;
        const char* cgroup;
        const char* mounts;
        bool unified;
        QStringList folders;
    };
    const char* v1Mounts =
        "31 23 0:28 / /sys/fs/cgroup rw,relatime - tmpfs tmpfs rw,mode=755\n"
        "32 31 0:29 / /sys/fs/cgroup/cpu rw,relatime - cgroup cgroup rw,cpu\n"
        "35 31 0:32 / /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n"
        "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n";
    const char* v2Mounts = "30 23 0:26 / /sys/fs/cgroup rw,nosuid shared:4 - cgroup2 cgroup2 rw\n";
    const Case cases[] = {
        {"v2",
         "0::/user.slice/app.scope\n",
         v2Mounts,
         true,
         {"/sys/fs/cgroup/user.slice/app.scope", "/sys/fs/cgroup/user.slice", "/sys/fs/cgroup"}},
        {"v2 inside a container's own namespace", "0::/\n", v2Mounts, true, {"/sys/fs/cgroup"}},
        {"v2, no mount listed", "0::/a\n", "", true, {"/sys/fs/cgroup/a", "/sys/fs/cgroup"}},
        // A memory controller of its own (v1, also beside an empty unified tree).
        {"v1",
         "4:memory:/box/one\n1:cpu:/\n0::/\n",
         v1Mounts,
         false,
         {"/sys/fs/cgroup/memory/box/one", "/sys/fs/cgroup/memory/box", "/sys/fs/cgroup/memory"}},
        {"v1, controllers mounted together",
         "3:cpu,memory:/box\n",
         "35 31 0:32 / /cg/cm rw - cgroup cgroup rw,cpu,memory\n",
         false,
         {"/cg/cm/box", "/cg/cm"}},
        // The mount shows only part of the tree: paths are taken from its root.
        {"v1, mounted below the root",
         "4:memory:/docker/abc\n",
         "35 31 0:32 /docker/abc /sys/fs/cgroup/memory ro - cgroup cgroup rw,memory\n",
         false,
         {"/sys/fs/cgroup/memory"}},
        {"v1 controller, not mounted", "4:memory:/box\n", v2Mounts, false, {}},
        {"look-alike controller", "4:memoryx:/box\n", v1Mounts, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MemoryGroups groups = memoryGroupFolders(c.cgroup, c.mounts);
        EXPECT_EQ(groups.folders, c.folders);
        if (!c.folders.isEmpty()) {
            EXPECT_EQ(groups.unified, c.unified);
        }
    }
}

TEST(MemoryProbe, AvailableMemoryKeepsWithinTheGroupsLimit) {
    constexpr std::uint64_t MiB = 1024 * 1024;
    struct Case {
        const char* name;
        const char* limit;
        const char* usage;
        const char* stat;
        std::optional<std::uint64_t> room;
        std::uint64_t available; // of 4096 MiB the machine has available
    };
    const Case cases[] = {
        {"no limit", "max\n", "104857600\n", "", std::nullopt, 4096 * MiB},
        {"limit below the machine's", "1073741824\n", "268435456\n", "", 768 * MiB, 768 * MiB},
        // Inactive file cache is given back before memory is refused.
        {"cache counts as room", "1073741824\n", "1006632960\n",
         "anon 100\nactive_file 5\ninactive_file 805306368\n", 832 * MiB, 832 * MiB},
        {"v1 takes the hierarchy's figure", "1073741824", "1006632960",
         "inactive_file 1\ntotal_inactive_file 805306368\n", 832 * MiB, 832 * MiB},
        {"limit above the machine's", "17179869184\n", "0\n", "", 16384 * MiB, 4096 * MiB},
        // Used up: one byte, never 0, which would read as "unknown".
        {"over the limit", "1048576\n", "2097152\n", "", 0, 1},
        {"unreadable usage", "1048576\n", "", "", std::nullopt, 4096 * MiB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::uint64_t> room = groupRoom(c.limit, c.usage, c.stat);
        EXPECT_EQ(room, c.room);
        EXPECT_EQ(availableWithin(4096 * MiB, room), c.available);
    }
}
