// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QString>

#include <vector>

namespace brevanta {

/// One month of the journal list: its key and its sessions, newest first.
struct SessionMonthGroup {
    /// The first instant of the month in the calendar's time zone.
    Instant month;
    std::vector<PracticeSessionPtr> sessions;

    Instant id() const { return month; }
};

/// Month headings and day titles of the journal list. Pure: nothing is kept between calls.
/// Callers pass the user's current calendar and the current instant.
struct SessionDayGrouping {
    /// The sessions (any order, non-null) grouped by the calendar month of their start: the
    /// latest month first, each month's sessions latest first. Sessions that start at the same
    /// instant keep their given order.
    static std::vector<SessionMonthGroup>
    monthGroups(const std::vector<PracticeSessionPtr>& sessions, const Calendar& calendar);

    /// The heading of the month that contains `month`, upper case in the calendar's locale: the
    /// month alone in the year of `now` ("MARCH"), with its year in any other ("MARCH 2024").
    static QString monthTitle(Instant month, Instant now, const Calendar& calendar);

    /// The title of a row for a session that started at `date`: "Today", "Yesterday", the
    /// weekday alone within the week of `now` ("Monday"), else weekday and day of month in the
    /// locale's order for that pair.
    static QString title(Instant date, Instant now, const Calendar& calendar);
};

} // namespace brevanta
