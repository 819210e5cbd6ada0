// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Clock.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

namespace brevanta::testing {

/// A clock the test moves by hand.
struct MovableClock {
    Instant now = Instant::fromSecsSinceEpoch(1'741'186'800); // 2025-03-05T15:00Z

    Clock clock() {
        return Clock([this] { return now; });
    }
    void advance(double seconds) { now = now.addingMSecs(std::int64_t(seconds * 1000)); }
};

/// Fires a running timer once, now, as if its interval had just elapsed: clock tests drive the
/// redraw this way instead of waiting real seconds.
inline bool fire(QTimer& timer) {
    if (!timer.isActive())
        return false;
    QTimerEvent tick(timer.timerId());
    QCoreApplication::sendEvent(&timer, &tick);
    return true;
}

} // namespace brevanta::testing
