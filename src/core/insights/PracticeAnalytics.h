// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/CalendarHeatmap.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// Lifetime figures of the journal.
struct PracticeBiographySummary {
    std::int64_t totalSeconds = 0;
    std::int64_t sessionCount = 0;
    std::int64_t longestRunDays = 0;
    /// The earliest start; none without sessions.
    std::optional<Instant> firstPracticeDate;

    bool operator==(const PracticeBiographySummary&) const = default;
};

/// This week so far, and last week up to the same point.
struct WeeklyEncouragementSummary {
    /// Seconds of the sessions starting from the week's first instant up to the end of today.
    std::int64_t totalSeconds = 0;
    /// Seconds of last week's sessions over as many whole days from its start; none when no
    /// session started then (which is not the same as zero seconds).
    std::optional<std::int64_t> comparisonSeconds;
    /// Monday first: a session of any time started on that day of this week.
    std::array<bool, 7> practicedDays{};

    bool operator==(const WeeklyEncouragementSummary&) const = default;
};

/// Pure figures over the journal's sessions (any order, non-null handles). They read only each
/// session's start and duration and never fail. Days are calendar days in the calendar's time
/// zone, counted by the calendar, so a 23- or 25-hour day is one day; durations add up as signed
/// 64-bit seconds. Callers pass the user's current calendar and the current instant.
struct PracticeAnalytics {
    static PracticeBiographySummary biography(const std::vector<PracticeSessionPtr>& sessions,
                                              const Calendar& calendar);

    /// Every day on which a session started (see calendarDay), ascending, each once.
    static std::vector<Instant> practiceDays(const std::vector<PracticeSessionPtr>& sessions,
                                             const Calendar& calendar);

    /// The longest run of consecutive practice days anywhere in the journal; 0 without sessions.
    static std::int64_t longestStreak(const std::vector<PracticeSessionPtr>& sessions,
                                      const Calendar& calendar);

    /// The week of `now`, in Monday-first ISO 8601 weeks whatever the calendar's own rules. Later
    /// days of the week do not count yet; last week counts up to the end of the same weekday.
    static WeeklyEncouragementSummary
    weeklyEncouragement(const std::vector<PracticeSessionPtr>& sessions, Instant now,
                        const Calendar& calendar);

    /// One day per day of the calendar year that contains `now`, in order; empty when the
    /// calendar cannot place that year.
    static std::vector<HeatmapDay>
    calendarYearHeatmap(const std::vector<PracticeSessionPtr>& sessions, Instant now,
                        const Calendar& calendar);

    /// `days` laid out in week columns, padded before the first day's weekday and after the last
    /// to whole columns. No cells without days.
    static CalendarHeatmapBand calendarBand(const QString& id, const QString& title,
                                            const std::vector<HeatmapDay>& days,
                                            const Calendar& calendar);

    /// The year of `now` as one "full-year" band titled with the year number, or split at 1 July
    /// into "first-half" ("JAN–JUN") and "second-half" ("JUL–DEC"). Empty when the calendar
    /// cannot place the year.
    static std::vector<CalendarHeatmapBand>
    calendarYearBands(const std::vector<PracticeSessionPtr>& sessions, Instant now, bool split,
                      const Calendar& calendar);
};

} // namespace brevanta
