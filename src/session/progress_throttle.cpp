#include "session/progress_throttle.h"

#include <chrono>
#include <utility>

namespace quillet {

ProgressThrottle::ProgressThrottle(Clock clock, Timing timing)
    : clock_(std::move(clock)), timing_(timing) {
    if (!clock_) {
        clock_ = [] {
            return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
        };
    }
}

int ProgressThrottle::percent(qint64 done, qint64 total) {
    if (total <= 0 || done <= 0)
        return 0;
    if (done >= total)
        return 100;
    return int(done * 100 / total);
}

std::optional<int> ProgressThrottle::report(qint64 done, qint64 total) {
    const qint64 now = clock_();
    if (!start_) {
        start_ = now;
        if (timing_.showAfterMs > 0)
            return std::nullopt;
    }
    if (now - *start_ < timing_.showAfterMs)
        return std::nullopt;
    // The end, once progress shows, is always shown: what comes after it (the
    // text going into the editor) may take a while.
    if (shown_ && now - last_ < timing_.pumpEveryMs && done < total)
        return std::nullopt;
    shown_ = true;
    last_ = now;
    return percent(done, total);
}

} // namespace quillet
