// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QString>
#include <QStringView>

namespace brevanta {

/// Dates as the user reads them: the locale's own date styles and skeleton formats, written in a
/// Calendar's time zone and locale (the Gregorian calendar, whatever the locale's default).
///
/// Texts are ICU's exactly. In English ICU 72 puts a narrow no-break space (U+202F) before AM/PM
/// ("3:15 PM"); keep it for display, and compare or search through TextServices, which treats it
/// as a plain space. Upper-casing a heading ("MARCH") is the caller's (TextServices::uppercased).
///
/// Speed: formatters are built once per calendar and thread and kept (a few per thread), and every
/// style remembers the texts it made, so formatting the same instants again — every session of
/// the journal on each keystroke of a search — is a lookup. Safe to call from any thread; each
/// thread has its own formatters.
struct DateFormatting {
    enum class Style {
        completeDate,          ///< "Tuesday, March 4, 2025" (en_US)
        abbreviatedDate,       ///< "Mar 4, 2025"
        shortTime,             ///< "3:15 PM" (U+202F before PM)
        completeDateShortTime, ///< "Tuesday, March 4, 2025 at 3:15 PM" (U+202F before PM)
        wideMonth,             ///< "March" (skeleton "MMMM")
        wideMonthYear,         ///< "March 2025" (skeleton "MMMMy")
        wideWeekday,           ///< "Tuesday" (skeleton "EEEE")
        wideWeekdayDay, ///< "Tuesday 4" (skeleton "EEEEd", in the order of the locale's dates)
    };

    static QString format(Instant instant, Style style, const Calendar& calendar);
    /// The same text as `format`, not remembered here: for a caller that keeps its own texts (the
    /// journal search), which would otherwise keep every text twice.
    static QString formatUnremembered(Instant instant, Style style, const Calendar& calendar);

    /// The best pattern of the locale for an ICU skeleton ("MMMMy", "EEEEd", "yMMMd", …), written
    /// for `instant`. Prefer `format` for the styles above: it remembers its texts.
    static QString formatSkeleton(Instant instant, QStringView skeleton, const Calendar& calendar);

    static QString completeDate(Instant instant, const Calendar& calendar) {
        return format(instant, Style::completeDate, calendar);
    }
    static QString abbreviatedDate(Instant instant, const Calendar& calendar) {
        return format(instant, Style::abbreviatedDate, calendar);
    }
    static QString shortTime(Instant instant, const Calendar& calendar) {
        return format(instant, Style::shortTime, calendar);
    }
    static QString completeDateShortTime(Instant instant, const Calendar& calendar) {
        return format(instant, Style::completeDateShortTime, calendar);
    }
    static QString wideMonth(Instant instant, const Calendar& calendar) {
        return format(instant, Style::wideMonth, calendar);
    }
    static QString wideMonthYear(Instant instant, const Calendar& calendar) {
        return format(instant, Style::wideMonthYear, calendar);
    }
    static QString wideWeekday(Instant instant, const Calendar& calendar) {
        return format(instant, Style::wideWeekday, calendar);
    }
    static QString wideWeekdayDay(Instant instant, const Calendar& calendar) {
        return format(instant, Style::wideWeekdayDay, calendar);
    }
};

} // namespace brevanta
