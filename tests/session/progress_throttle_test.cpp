// When long work shows its progress: nothing during the first second, then at
// most every tenth of a second, and what percentage it shows.

#include "session/progress_throttle.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet::test {
namespace {

constexpr int None = -1; // nothing shown

TEST(ProgressThrottle, ShowsAfterTheFirstSecondAtMostEveryTenth) {
    struct Report {
        qint64 atMs, done, total;
        int shown;
    };
    struct Case {
        const char* name;
        ProgressTiming timing;
        std::vector<Report> reports;
    };
    const Case cases[] = {
        {"under a second shows nothing", {}, {{5000, 0, 10, None}, {5999, 10, 10, None}}},
        {"past the second, then every tenth",
         {},
         {{0, 1, 100, None},
          {999, 20, 100, None},
          {1000, 21, 100, 21},
          {1099, 31, 100, None},
          {1100, 32, 100, 32},
          {1400, 90, 100, 90},
          {1401, 99, 100, None},
          {1402, 100, 100, 100}}},
        {"a slow piece shows when it ends", {}, {{0, 0, 8, None}, {2500, 1, 8, 12}}},
        {"no waiting", {0, 0}, {{0, 1, 4, 25}, {0, 4, 4, 100}}},
        {"other timings", {200, 50}, {{10, 0, 3, None}, {210, 1, 3, 33}, {259, 2, 3, None}}},
    };
    for (const Case& c : cases) {
        qint64 now = 0;
        ProgressThrottle throttle([&now] { return now; }, c.timing);
        bool anyShown = false;
        for (const Report& r : c.reports) {
            now = r.atMs;
            EXPECT_EQ(throttle.report(r.done, r.total).value_or(None), r.shown)
                << c.name << " at " << r.atMs;
            anyShown = anyShown || r.shown != None;
            EXPECT_EQ(throttle.shown(), anyShown) << c.name << " at " << r.atMs;
        }
    }
}

TEST(ProgressThrottle, Percentages) {
    struct Case {
        qint64 done, total;
        int percent;
    };
    const Case cases[] = {
        {0, 100, 0},       {999, 1000, 99},
        {1000, 1000, 100}, {1500, 1000, 100},
        {-5, 100, 0},      {5, 0, 0},
        {2, 3, 66},        {qint64(300) << 20, qint64(301) << 20, 99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressThrottle::percent(c.done, c.total), c.percent)
            << c.done << " of " << c.total;
}

} // namespace
} // namespace quillet::test
