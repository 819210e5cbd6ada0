// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Clock.h"
#include "core/time/Instant.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace brevanta {

/// Tells when the clock reaches an instant: the next midnight, noon, a Monday. It reads the
/// injected clock rather than counting its own time, and looks again at least once a minute, so
/// a suspended machine, a clock set by hand and a test that moves time all come out right.
class ClockBoundaryTimer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockBoundaryTimer)

public:
    /// The longest the timer sleeps before it reads the clock again.
    static constexpr int longestWaitMilliseconds = 60'000;

    explicit ClockBoundaryTimer(Clock clock, QObject* parent = nullptr);

    /// Waits for `boundary`, replacing any boundary waited for before.
    void arm(Instant boundary);
    void disarm();
    std::optional<Instant> boundary() const { return m_boundary; }

    /// Reads the clock now: emits reached() once the boundary has come, else waits on.
    void check();

Q_SIGNALS:
    void reached();

private:
    void wait(Instant now);

    Clock m_clock;
    QTimer m_timer;
    std::optional<Instant> m_boundary;
};

} // namespace brevanta
