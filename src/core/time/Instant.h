// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
// moc follows includes and cannot parse <concepts>, which <compare> pulls in; without this guard
// every Q_OBJECT file that includes this header fails to build.
#ifndef Q_MOC_RUN
#include <compare>
#endif
#include <cstdint>
#include <limits>
#include <optional>

namespace brevanta {

/// A point on the time line: whole milliseconds since 1970-01-01T00:00:00Z.
///
/// The one instant type of the code base. It converts to other representations only where it
/// meets ICU (UDate, double milliseconds), SQLite (an INTEGER column) and the widgets.
class Instant {
public:
    constexpr Instant() = default;

    static constexpr Instant fromMSecsSinceEpoch(std::int64_t msecs) { return Instant(msecs); }
    static constexpr Instant fromSecsSinceEpoch(std::int64_t secs) { return Instant(secs * 1000); }
    static Instant fromSystemClock(std::chrono::system_clock::time_point point) {
        return Instant(
            std::chrono::duration_cast<std::chrono::milliseconds>(point.time_since_epoch())
                .count());
    }

    constexpr std::int64_t msecsSinceEpoch() const { return m_msecs; }
    /// ICU's UDate: milliseconds since the epoch as a double.
    constexpr double toUDate() const { return static_cast<double>(m_msecs); }

    /// This instant moved by whole seconds, or nothing when the result would leave the range
    /// the type can represent. Never overflows.
    constexpr std::optional<Instant> addingSeconds(std::int64_t seconds) const {
        constexpr std::int64_t maxSeconds = std::numeric_limits<std::int64_t>::max() / 1000;
        if (seconds > maxSeconds || seconds < -maxSeconds)
            return std::nullopt;
        std::int64_t result = 0;
        if (__builtin_add_overflow(m_msecs, seconds * 1000, &result))
            return std::nullopt;
        return Instant(result);
    }

    constexpr Instant addingMSecs(std::int64_t msecs) const { return Instant(m_msecs + msecs); }

    /// Seconds from `earlier` to this instant, as the running clock counts them.
    constexpr double secondsSince(Instant earlier) const {
        return static_cast<double>(m_msecs - earlier.m_msecs) / 1000.0;
    }

    constexpr auto operator<=>(const Instant&) const = default;

private:
    constexpr explicit Instant(std::int64_t msecs)
        : m_msecs(msecs) {}

    std::int64_t m_msecs = 0;
};

} // namespace brevanta
