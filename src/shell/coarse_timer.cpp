#include "shell/coarse_timer.h"

#include <algorithm>

namespace quillet {

CoarseTimer::CoarseTimer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs) {
    timer_.setInterval(std::max(intervalMs, ResolutionMs));
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &CoarseTimer::tick);
}

} // namespace quillet
