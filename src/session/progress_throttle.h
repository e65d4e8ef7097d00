#pragma once

// When long work shows how far it is. Opening or saving a small file must cost
// nothing extra, so nothing is shown during the first second; after that the
// window is let repaint (and the percentage shown) at most every tenth of a
// second, however often the work reports.

#include <QtGlobal>

#include <functional>
#include <optional>

namespace quillet {

struct ProgressTiming {
    qint64 showAfterMs = 1000; // nothing is shown before the work took this long
    qint64 pumpEveryMs = 100;  // then at most once this often
};

class ProgressThrottle {
public:
    // Milliseconds from any fixed point; steady (never goes back).
    using Clock = std::function<qint64()>;
    using Timing = ProgressTiming;

    // An empty clock uses the system's steady clock.
    explicit ProgressThrottle(Clock clock = {}, Timing timing = {});

    // The work has done done of total (any unit). The percentage to show now,
    // or nothing when it is too early or too soon after the last one (the end
    // is shown whenever anything was). The first report starts the clock.
    std::optional<int> report(qint64 done, qint64 total);
    // Whether anything was shown since the work started.
    bool shown() const { return shown_; }

    // done of total in whole percent, 0..100 (0 when total is not positive).
    static int percent(qint64 done, qint64 total);

private:
    Clock clock_;
    Timing timing_;
    std::optional<qint64> start_;
    qint64 last_ = 0;
    bool shown_ = false;
};

} // namespace quillet
