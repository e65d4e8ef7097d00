#pragma once

#include <QTimer>

namespace quillet {

// A window timer as the program's handlers see it: an interval in milliseconds
// and a tick. Like the platform the program was designed for, ticks come no
// faster than the timer resolution, so a 1 ms interval costs what a 16 ms one
// does and the main window's tick stays cheap while the program is idle.
class CoarseTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int ResolutionMs = 16;

    explicit CoarseTimer(int intervalMs, QObject* parent = nullptr);
    int interval() const { return interval_; }
    bool isActive() const { return timer_.isActive(); }
    void start() { timer_.start(); }
    void stop() { timer_.stop(); }

Q_SIGNALS:
    void tick();

private:
    int interval_;
    QTimer timer_;
};

} // namespace quillet
