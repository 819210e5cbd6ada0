// SPDX-License-Identifier: MIT
#include "ui/insights/ClockBoundaryTimer.h"

#include <algorithm>

namespace brevanta {

ClockBoundaryTimer::ClockBoundaryTimer(Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockBoundaryTimer::check);
}

void ClockBoundaryTimer::arm(Instant boundary) {
    m_boundary = boundary;
    wait(m_clock.now());
}

void ClockBoundaryTimer::disarm() {
    m_boundary.reset();
    m_timer.stop();
}

void ClockBoundaryTimer::check() {
    if (!m_boundary)
        return;
    const Instant now = m_clock.now();
    if (now < *m_boundary) {
        wait(now);
        return;
    }
    m_boundary.reset();
    Q_EMIT reached();
}

void ClockBoundaryTimer::wait(Instant now) {
    // One millisecond past the boundary, so the timer never wakes just before it.
    const std::int64_t remaining = m_boundary->msecsSinceEpoch() - now.msecsSinceEpoch() + 1;
    m_timer.start(int(std::clamp<std::int64_t>(remaining, 0, longestWaitMilliseconds)));
}

} // namespace brevanta
