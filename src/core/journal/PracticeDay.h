// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

namespace brevanta {

/// The practice day of a session: the first instant of the calendar day, in `calendar`'s time
/// zone, that contains its start. Named as a record operation would be, so that it can move onto
/// PracticeSession unchanged.
Instant calendarDay(const PracticeSession& session, const Calendar& calendar);

/// Practice days of many instants, for passes over a whole journal. Remembers the day it found
/// last together with the latest instant seen in it, so a journal walked newest first asks the
/// calendar once per day rather than once per session. Any order gives the same answers.
class PracticeDayResolver {
public:
    explicit PracticeDayResolver(const Calendar& calendar)
        : m_calendar(calendar) {}

    /// The first instant of the calendar day that contains `instant`.
    Instant dayOf(Instant instant);

private:
    Calendar m_calendar;
    // Every instant in [m_dayStart, m_latestSeen] lies in that one day.
    Instant m_dayStart;
    Instant m_latestSeen;
    bool m_hasDay = false;
};

} // namespace brevanta
