// SPDX-License-Identifier: MIT
#pragma once

// Internal to the core: the ICU calendar behind a Calendar, for the formatters that must write
// dates in exactly that calendar and time zone.

#include "core/time/Calendar.h"

#include <unicode/calendar.h>

namespace brevanta {

struct CalendarAccess {
    /// The shared, immutable prototype. Clone it before changing anything.
    static const icu::Calendar& prototype(const Calendar& calendar);
};

} // namespace brevanta
