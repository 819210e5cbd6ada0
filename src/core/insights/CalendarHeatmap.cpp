// SPDX-License-Identifier: MIT
#include "core/insights/CalendarHeatmap.h"

#include "core/insights/PracticeAnalytics.h"
#include "core/insights/SecondsTotal.h"
#include "core/journal/PracticeDay.h"

#include <QHash>

#include <algorithm>

namespace brevanta {

namespace {

struct DayTotals {
    std::int64_t seconds = 0;
    std::int64_t sessions = 0;
};

CalendarHeatmapCell paddingCell(const QString& bandId, QStringView kind, std::size_t index) {
    return {bandId % kind % QString::number(index), std::nullopt};
}

} // namespace

int HeatmapDay::intensity() const {
    if (durationSeconds <= 0)
        return 0;
    if (durationSeconds <= 900)
        return 1;
    if (durationSeconds <= 1800)
        return 2;
    if (durationSeconds <= 3600)
        return 3;
    return 4;
}

std::vector<HeatmapDay>
PracticeAnalytics::calendarYearHeatmap(const std::vector<PracticeSessionPtr>& sessions, Instant now,
                                       const Calendar& calendar) {
    const std::optional<Calendar::Interval> year = calendar.yearInterval(now);
    if (!year)
        return {};
    const Instant today = calendar.startOfDay(now);

    // Only sessions of this year can land on its days: the year begins and ends at day starts.
    QHash<qint64, DayTotals> totalsByDay;
    PracticeDayResolver resolver(calendar);
    for (const PracticeSessionPtr& session : sessions) {
        const Instant start = session->startedAt();
        if (start < year->start || start >= year->end)
            continue;
        DayTotals& totals = totalsByDay[resolver.dayOf(start).msecsSinceEpoch()];
        totals.seconds = addingSecondsSaturated(totals.seconds, session->durationSeconds());
        ++totals.sessions;
    }

    const std::int64_t dayCount = calendar.daysBetween(year->start, year->end).value_or(0);
    std::vector<HeatmapDay> days;
    days.reserve(std::size_t(std::max<std::int64_t>(dayCount, 0)));
    for (std::int64_t offset = 0; offset < dayCount; ++offset) {
        const std::optional<Instant> day = calendar.addingDays(year->start, offset);
        if (!day)
            continue;
        const DayTotals totals = totalsByDay.value(day->msecsSinceEpoch());
        days.push_back({*day, totals.seconds, totals.sessions, *day > today});
    }
    return days;
}

CalendarHeatmapBand PracticeAnalytics::calendarBand(const QString& id, const QString& title,
                                                    const std::vector<HeatmapDay>& days,
                                                    const Calendar& calendar) {
    CalendarHeatmapBand band{id, title, {}};
    if (days.empty())
        return band;

    // Monday-first rows whatever the calendar's first weekday: Monday 0 … Sunday 6.
    const std::size_t leading = std::size_t((calendar.weekday(days.front().day) + 5) % 7);
    band.cells.reserve(leading + days.size() + 6);
    for (std::size_t index = 0; index < leading; ++index)
        band.cells.push_back(paddingCell(id, u"-leading-", index));
    for (std::size_t offset = 0; offset < days.size(); ++offset)
        band.cells.push_back({id % u"-day-" % QString::number(offset), days[offset]});
    if (const std::size_t filled = band.cells.size() % 7; filled != 0) {
        for (std::size_t index = 0; index < 7 - filled; ++index)
            band.cells.push_back(paddingCell(id, u"-trailing-", index));
    }
    return band;
}

std::vector<CalendarHeatmapBand>
PracticeAnalytics::calendarYearBands(const std::vector<PracticeSessionPtr>& sessions, Instant now,
                                     bool split, const Calendar& calendar) {
    const std::optional<Calendar::Interval> year = calendar.yearInterval(now);
    if (!year)
        return {};
    const std::vector<HeatmapDay> days = calendarYearHeatmap(sessions, now, calendar);

    if (split) {
        if (const std::optional<Instant> julyFirst =
                calendar.makeInstant({calendar.components(year->start).year, 7, 1})) {
            std::vector<HeatmapDay> firstHalf;
            std::vector<HeatmapDay> secondHalf;
            for (const HeatmapDay& day : days)
                (day.day < *julyFirst ? firstHalf : secondHalf).push_back(day);
            return {calendarBand(QStringLiteral("first-half"), QStringLiteral("JAN\u2013JUN"),
                                 firstHalf, calendar),
                    calendarBand(QStringLiteral("second-half"), QStringLiteral("JUL\u2013DEC"),
                                 secondHalf, calendar)};
        }
    }
    return {calendarBand(QStringLiteral("full-year"),
                         QString::number(calendar.components(now).year), days, calendar)};
}

} // namespace brevanta
