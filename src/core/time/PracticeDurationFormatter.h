// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstdint>

namespace brevanta {

/// The one place where a length of time becomes text. Independent of locale, calendar and
/// settings: plain ASCII digits, no grouping, the same text for the same input.
struct PracticeDurationFormatter {
    /// A stored duration: "0 min" (zero or negative), "<1 min", "45 min", "1h", "2h 5m", "25h".
    /// Seconds left over are dropped, never rounded up.
    static QString compact(std::int64_t seconds);

    /// The running clock, "%02d:%02d:%02d" of hours, minutes and seconds ("00:01:01",
    /// "100:00:00"; hours are not capped). Fractions are truncated; negative reads as zero.
    static QString timer(double seconds);
};

} // namespace brevanta
