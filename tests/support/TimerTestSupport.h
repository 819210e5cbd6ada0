// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

namespace brevanta::testing {

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
