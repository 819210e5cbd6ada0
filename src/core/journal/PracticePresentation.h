// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QString>

namespace brevanta {

/// How the journal names a session.
struct PracticePresentation {
    /// The session's title, unless it is exactly the default "Practice Session": then the wide
    /// weekday of its start followed by " Practice" ("Tuesday Practice"). The weekday is written
    /// in the calendar's locale, on the day the start falls on in the calendar's time zone.
    static QString journalTitle(const PracticeSession& session, const Calendar& calendar);
};

} // namespace brevanta
