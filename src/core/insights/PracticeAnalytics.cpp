// SPDX-License-Identifier: MIT
#include "core/insights/PracticeAnalytics.h"

#include "core/insights/SecondsTotal.h"
#include "core/journal/PracticeDay.h"

#include <algorithm>

namespace brevanta {

namespace {

// The start of the day `days` after the one that starts at `dayStart`. Taking the start again
// matters only where a midnight is skipped: that day starts at 01:00, and 01:00 a day later is
// already an hour into the next day.
std::optional<Instant> startOfDayAfter(Instant dayStart, std::int64_t days,
                                       const Calendar& calendar) {
    const std::optional<Instant> later = calendar.addingDays(dayStart, days);
    if (!later)
        return std::nullopt;
    return calendar.startOfDay(*later);
}

} // namespace

PracticeBiographySummary
PracticeAnalytics::biography(const std::vector<PracticeSessionPtr>& sessions,
                             const Calendar& calendar) {
    PracticeBiographySummary summary;
    for (const PracticeSessionPtr& session : sessions) {
        summary.totalSeconds =
            addingSecondsSaturated(summary.totalSeconds, session->durationSeconds());
        if (!summary.firstPracticeDate || session->startedAt() < *summary.firstPracticeDate)
            summary.firstPracticeDate = session->startedAt();
    }
    summary.sessionCount = std::int64_t(sessions.size());
    summary.longestRunDays = longestStreak(sessions, calendar);
    return summary;
}

std::vector<Instant>
PracticeAnalytics::practiceDays(const std::vector<PracticeSessionPtr>& sessions,
                                const Calendar& calendar) {
    std::vector<Instant> days;
    PracticeDayResolver resolver(calendar);
    for (const PracticeSessionPtr& session : sessions) {
        const Instant day = resolver.dayOf(session->startedAt());
        // Sessions of one day usually stand together; dropping repeats early keeps the sort small.
        if (days.empty() || days.back() != day)
            days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::int64_t PracticeAnalytics::longestStreak(const std::vector<PracticeSessionPtr>& sessions,
                                              const Calendar& calendar) {
    const std::vector<Instant> days = practiceDays(sessions, calendar);
    if (days.empty())
        return 0;
    std::int64_t longest = 1;
    std::int64_t current = 1;
    for (std::size_t index = 1; index < days.size(); ++index) {
        if (calendar.daysBetween(days[index - 1], days[index]) == 1) {
            ++current;
            longest = std::max(longest, current);
        } else {
            current = 1;
        }
    }
    return longest;
}

WeeklyEncouragementSummary
PracticeAnalytics::weeklyEncouragement(const std::vector<PracticeSessionPtr>& sessions, Instant now,
                                       const Calendar& userCalendar) {
    const Calendar calendar = userCalendar.withISO8601Weeks();
    WeeklyEncouragementSummary summary;
    const std::optional<Calendar::Interval> week = calendar.weekInterval(now);
    if (!week)
        return summary;

    const Instant today = calendar.startOfDay(now);
    const Instant tomorrow = startOfDayAfter(today, 1, calendar).value_or(week->end);
    const Instant windowEnd = std::min(week->end, tomorrow);
    std::int64_t elapsedDays = calendar.daysBetween(week->start, windowEnd).value_or(1);
    if (elapsedDays < 2)
        elapsedDays = 1;

    Instant lastWeekStart = week->start;
    if (const std::optional<Instant> earlier = calendar.addingWeeks(week->start, -1))
        lastWeekStart = calendar.startOfDay(*earlier);
    const Instant lastWindowEnd =
        startOfDayAfter(lastWeekStart, elapsedDays, calendar).value_or(lastWeekStart);

    // The starts of this week's days, Monday first; a practice day of any session lies in this
    // week only if the session itself started in it.
    std::array<std::optional<Instant>, 7> dayStarts;
    for (std::size_t index = 0; index < dayStarts.size(); ++index) {
        if (const std::optional<Instant> day =
                calendar.addingDays(week->start, std::int64_t(index)))
            dayStarts[index] = calendar.startOfDay(*day);
    }

    std::int64_t lastWeekSeconds = 0;
    bool practisedLastWeek = false;
    PracticeDayResolver resolver(calendar);
    for (const PracticeSessionPtr& session : sessions) {
        const Instant start = session->startedAt();
        if (week->start <= start && start < windowEnd)
            summary.totalSeconds =
                addingSecondsSaturated(summary.totalSeconds, session->durationSeconds());
        if (lastWeekStart <= start && start < lastWindowEnd) {
            lastWeekSeconds = addingSecondsSaturated(lastWeekSeconds, session->durationSeconds());
            practisedLastWeek = true;
        }
        if (week->start <= start && start < week->end) {
            const Instant day = resolver.dayOf(start);
            for (std::size_t index = 0; index < dayStarts.size(); ++index) {
                if (dayStarts[index] == day)
                    summary.practicedDays[index] = true;
            }
        }
    }
    if (practisedLastWeek)
        summary.comparisonSeconds = lastWeekSeconds;
    return summary;
}

} // namespace brevanta
