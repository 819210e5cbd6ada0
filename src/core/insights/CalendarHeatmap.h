// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Instant.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// One day of the calendar-year heatmap.
struct HeatmapDay {
    /// The first instant of the calendar day; the day's identity.
    Instant day;
    /// Seconds of the sessions that started on that day.
    std::int64_t durationSeconds = 0;
    std::int64_t sessionCount = 0;
    /// The day comes after the reference day.
    bool isFuture = false;

    /// Shade 0–4: nothing, up to 15 minutes, up to 30, up to an hour, more (bounds inclusive).
    int intensity() const;

    Instant id() const { return day; }
    bool operator==(const HeatmapDay&) const = default;
};

/// One square of a band: a day, or padding that completes a week column.
struct CalendarHeatmapCell {
    /// Unique within its band: "<band>-leading-<n>", "<band>-day-<n>" or "<band>-trailing-<n>".
    QString id;
    std::optional<HeatmapDay> day;

    bool operator==(const CalendarHeatmapCell&) const = default;
};

/// Days laid out in week columns of seven cells, Monday at the top.
struct CalendarHeatmapBand {
    /// "full-year", "first-half" or "second-half".
    QString id;
    /// The year number, "JAN–JUN" or "JUL–DEC".
    QString title;
    /// Column by column: cells 0–6 are the first week from Monday to Sunday, 7–13 the next, …
    std::vector<CalendarHeatmapCell> cells;

    int columnCount() const { return int(cells.size() / 7); }
    bool operator==(const CalendarHeatmapBand&) const = default;
};

} // namespace brevanta
