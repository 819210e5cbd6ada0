// SPDX-License-Identifier: MIT
#include "core/journal/PracticeDay.h"

namespace brevanta {

Instant calendarDay(const PracticeSession& session, const Calendar& calendar) {
    return calendar.startOfDay(session.startedAt());
}

Instant PracticeDayResolver::dayOf(Instant instant) {
    if (m_hasDay && m_dayStart <= instant && instant <= m_latestSeen)
        return m_dayStart;
    const Instant start = m_calendar.startOfDay(instant);
    if (m_hasDay && m_dayStart == start) {
        // Days are contiguous, so everything between the day's start and this instant is in it.
        if (instant > m_latestSeen)
            m_latestSeen = instant;
    } else {
        m_dayStart = start;
        m_latestSeen = instant;
        m_hasDay = true;
    }
    return start;
}

} // namespace brevanta
