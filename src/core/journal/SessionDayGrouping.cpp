// SPDX-License-Identifier: MIT
#include "core/journal/SessionDayGrouping.h"

#include "core/time/DateFormatting.h"
#include "core/time/TextServices.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace brevanta {

namespace {

bool startsLater(const PracticeSessionPtr& left, const PracticeSessionPtr& right) {
    return left->startedAt() > right->startedAt();
}

// The month key of instants, remembering the span of the last month it built: a journal walked
// newest first asks the calendar once per month rather than once per session.
class MonthKeys {
public:
    explicit MonthKeys(const Calendar& calendar)
        : m_calendar(calendar) {}

    Instant keyOf(Instant instant) {
        if (m_hasSpan && m_span.start <= instant && instant < m_span.end)
            return m_span.start;
        const DateComponents fields = m_calendar.components(instant);
        const std::optional<Instant> first = m_calendar.makeInstant({fields.year, fields.month, 1});
        if (!first)
            return m_calendar.startOfDay(instant);
        const bool december = fields.month == 12;
        const std::optional<Instant> next = m_calendar.makeInstant(
            {december ? fields.year + 1 : fields.year, december ? 1 : fields.month + 1, 1});
        if (next && *first <= instant && instant < *next) {
            m_span = Calendar::Interval{*first, *next};
            m_hasSpan = true;
        }
        return *first;
    }

private:
    const Calendar& m_calendar;
    Calendar::Interval m_span;
    bool m_hasSpan = false;
};

} // namespace

std::vector<SessionMonthGroup>
SessionDayGrouping::monthGroups(const std::vector<PracticeSessionPtr>& sessions,
                                const Calendar& calendar) {
    // Sorting the whole list first leaves every month's sessions in the right order; the store
    // hands them over newest first already, so usually there is nothing to sort.
    std::vector<PracticeSessionPtr> ordered = sessions;
    if (!std::is_sorted(ordered.begin(), ordered.end(), startsLater))
        std::stable_sort(ordered.begin(), ordered.end(), startsLater);

    std::vector<SessionMonthGroup> groups;
    QHash<qint64, std::size_t> groupIndexByMonth;
    MonthKeys keys(calendar);
    for (PracticeSessionPtr& session : ordered) {
        const Instant month = keys.keyOf(session->startedAt());
        if (groups.empty() || groups.back().month != month) {
            const auto found = groupIndexByMonth.constFind(month.msecsSinceEpoch());
            if (found != groupIndexByMonth.cend()) {
                groups[*found].sessions.push_back(std::move(session));
                continue;
            }
            groupIndexByMonth.insert(month.msecsSinceEpoch(), groups.size());
            groups.push_back({month, {}});
        }
        groups.back().sessions.push_back(std::move(session));
    }

    std::stable_sort(groups.begin(), groups.end(),
                     [](const SessionMonthGroup& left, const SessionMonthGroup& right) {
                         return left.month > right.month;
                     });
    return groups;
}

QString SessionDayGrouping::monthTitle(Instant month, Instant now, const Calendar& calendar) {
    const bool thisYear = calendar.components(month).year == calendar.components(now).year;
    const QString title = thisYear ? DateFormatting::wideMonth(month, calendar)
                                   : DateFormatting::wideMonthYear(month, calendar);
    return TextServices::uppercased(title, calendar.localeName());
}

QString SessionDayGrouping::title(Instant date, Instant now, const Calendar& calendar) {
    if (calendar.isSameDay(date, now))
        return QStringLiteral("Today");
    if (const std::optional<Instant> yesterday = calendar.addingDays(now, -1);
        yesterday && calendar.isSameDay(date, *yesterday))
        return QStringLiteral("Yesterday");
    if (const std::optional<Calendar::Interval> week = calendar.weekInterval(now);
        week && week->start <= date && date <= week->end)
        return DateFormatting::wideWeekday(date, calendar);
    return DateFormatting::wideWeekdayDay(date, calendar);
}

} // namespace brevanta
