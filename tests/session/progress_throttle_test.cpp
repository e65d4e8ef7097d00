// When long work shows its progress: nothing during the first second, then at
// most every tenth of a second, and what percentage it shows.

#include "session/progress_throttle.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quillet::test {
namespace {

struct Report {
    qint64 atMs;
    qint64 done;
    qint64 total;
    int shown; // -1: nothing shown
};

constexpr int None = -1;

TEST(ProgressThrottle, ShowsAfterTheFirstSecondAtMostEveryTenth) {
    struct Case {
        const char* name;
        ProgressThrottle::Timing timing;
        std::vector<Report> reports;
    };
    const Case cases[] = {
        {"work under a second shows nothing",
         {},
         {{5000, 0, 10, None}, {5300, 3, 10, None}, {5999, 10, 10, None}}},
        {"the first report past the second shows, then every tenth",
         {},
         {{0, 1, 100, None},
          {999, 20, 100, None},
          {1000, 21, 100, 21},
          {1050, 30, 100, None},
          {1099, 31, 100, None},
          {1100, 32, 100, 32},
          {1400, 90, 100, 90},
          {1401, 100, 100, None}}},
        {"a slow piece shows at once when it ends",
         {},
         {{0, 0, 8, None}, {2500, 1, 8, 12}, {6000, 2, 8, 25}}},
        {"no waiting: every report shows", {0, 0}, {{0, 1, 4, 25}, {0, 2, 4, 50}, {0, 4, 4, 100}}},
        {"other timings",
         {200, 50},
         {{10, 0, 2, None},
          {209, 1, 3, None},
          {210, 1, 3, 33},
          {259, 2, 3, None},
          {260, 2, 3, 66}}},
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
        qint64 done;
        qint64 total;
        int percent;
    };
    const Case cases[] = {
        {0, 100, 0},
        {1, 100, 1},
        {999, 1000, 99},
        {1000, 1000, 100},
        {1500, 1000, 100},
        {-5, 100, 0},
        {5, 0, 0},
        {5, -1, 0},
        {1, 3, 33},
        {2, 3, 66},
        {qint64(300) << 20, qint64(301) << 20, 99},
        {qint64(1) << 40, qint64(1) << 41, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressThrottle::percent(c.done, c.total), c.percent)
            << c.done << " of " << c.total;
}

} // namespace
} // namespace quillet::test
