// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Calendar.h"

#include <QStringView>

#include <optional>

namespace brevanta {

/// Dates read with a fixed pattern in a fixed locale, independent of the user's settings.
struct DateParsing {
    /// Reads all of `text` with the ICU pattern `pattern` under `localeName` — for example
    /// "MMM d, yyyy" under "en_US_POSIX" reads "Jan 1, 2000" — and returns the date and time it
    /// names in the Gregorian calendar (fields the pattern lacks read as 1970-01-01 00:00:00).
    /// Not lenient: nothing for unknown month names, impossible dates (Feb 30, day 32) or anything
    /// left over after the match. Month names match regardless of letter case. Safe from any
    /// thread (each keeps its own parsers).
    static std::optional<DateComponents> parse(QStringView text, QStringView pattern,
                                               QStringView localeName);
};

} // namespace brevanta
