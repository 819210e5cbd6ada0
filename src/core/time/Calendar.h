// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Instant.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>

namespace brevanta {

/// Civil date and time fields in a calendar: month 1–12, day of month 1–31, hour 0–23,
/// minute and second 0–59. `year` is the Gregorian year (1 BC is 0, 2 BC is -1). Time fields
/// left out are 0: {2025, 3, 5} is midnight at the start of 5 March 2025.
struct DateComponents {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateComponents&) const = default;
};

/// The user's calendar as one value: a Gregorian calendar in a time zone, with week rules (first
/// weekday, minimum days in the first week) and the locale its dates are written in. Always
/// Gregorian, also for a locale whose default calendar is another (Thai counts Buddhist years):
/// years, months and days mean the same everywhere in the journal.
///
/// Every operation that depends on days, weeks or years takes a Calendar; none of them reads the
/// clock or the system settings — callers pass the instants, and only `current()` looks at the
/// system. Copies are cheap (one shared, immutable ICU calendar) and may be used from any thread.
///
/// Wall-time rules at clock changes, everywhere a local time is turned into an instant:
/// - a local time that does not exist (skipped by a spring-forward change) moves forward by the
///   length of the gap: 02:30 on the New York spring-forward day is 03:30 EDT;
/// - a local time that occurs twice (fall-back) means its first occurrence.
/// So the start of a day is always its first instant, even where midnight is skipped or repeated.
///
/// Instants beyond about ±5 million years from 1970 are outside what the calendar can compute:
/// operations returning an optional give nothing there; the others clamp to that range.
class Calendar {
public:
    /// Weekday numbers as the platform counts them: 1 = Sunday … 7 = Saturday.
    enum Weekday { sunday = 1, monday, tuesday, wednesday, thursday, friday, saturday };

    struct WeekRules {
        Weekday firstWeekday = sunday;
        /// Days of the new year the first week of a year must have (1–7).
        int minimumDaysInFirstWeek = 1;

        bool operator==(const WeekRules&) const = default;
    };
    /// Monday-first weeks; week 1 is the first with at least four days of the new year.
    static constexpr WeekRules iso8601WeekRules{monday, 4};

    /// A span of time from `start` up to `end`, where `end` is the first instant of the following
    /// day, week, month or year (so it belongs to the next interval, not to this one).
    struct Interval {
        Instant start;
        Instant end;

        bool operator==(const Interval&) const = default;
    };

    /// A Gregorian calendar in the time zone `timeZoneId` (an IANA id such as "America/New_York"),
    /// writing dates in `localeName` ("en_US", "de_DE", "en_US_POSIX"; "de-DE" is accepted too),
    /// with the locale's week rules unless `weekRules` is given.
    /// Throws std::invalid_argument for a time zone id that the time zone database does not know.
    explicit Calendar(QStringView timeZoneId, QStringView localeName,
                      std::optional<WeekRules> weekRules = std::nullopt);

    /// The calendar of the system's settings: its time zone, its locale (the "C" locale reads as
    /// "en_US_POSIX") and its first weekday. The one place in the core that reads system settings;
    /// call it where the user's current calendar is wanted and pass the value on.
    static Calendar current();

    static bool isKnownTimeZone(QStringView timeZoneId);

    /// The same time zone and locale with other week rules.
    Calendar withWeekRules(WeekRules rules) const;
    /// The same time zone and locale with Monday-first ISO 8601 weeks.
    Calendar withISO8601Weeks() const { return withWeekRules(iso8601WeekRules); }
    /// The same locale and week rules in another time zone (throws like the constructor).
    Calendar withTimeZone(QStringView timeZoneId) const;

    QString timeZoneId() const;
    /// The canonical ICU name of the locale, e.g. "en_US".
    QString localeName() const;
    WeekRules weekRules() const;
    Weekday firstWeekday() const { return weekRules().firstWeekday; }
    int minimumDaysInFirstWeek() const { return weekRules().minimumDaysInFirstWeek; }

    /// The first instant of the calendar day that contains `instant`.
    Instant startOfDay(Instant instant) const;
    bool isSameDay(Instant first, Instant second) const;

    /// The week (by `firstWeekday`), month or year that contains `instant`; see Interval.
    /// A week is always seven calendar days and may span two years.
    std::optional<Interval> weekInterval(Instant instant) const;
    std::optional<Interval> monthInterval(Instant instant) const;
    std::optional<Interval> yearInterval(Instant instant) const;

    /// Calendar arithmetic: the same wall-clock time `days` days (or weeks, months) later or
    /// earlier, whatever clock changes lie between (so a day may be 23 or 25 hours long). Months
    /// clamp the day to the target month's length: Jan 31 + 1 month is Feb 28 (Feb 29 in a leap
    /// year). Nothing when the result is out of range.
    std::optional<Instant> addingDays(Instant instant, std::int64_t days) const;
    std::optional<Instant> addingWeeks(Instant instant, std::int64_t weeks) const;
    std::optional<Instant> addingMonths(Instant instant, std::int64_t months) const;

    /// Calendar days from the day that contains `from` to the day that contains `to`, negative
    /// when `to` is on an earlier day; the time of day does not count (Mon 23:59 → Tue 00:00 is 1,
    /// Mon 00:00 → Mon 23:59 is 0). So a 23- or 25-hour day is one day, and a day that begins at
    /// 01:00 because its midnight was skipped is one day too. Nothing out of range.
    std::optional<std::int64_t> daysBetween(Instant from, Instant to) const;

    /// The instant of the given local date and time, or nothing when the fields do not name a
    /// date (month 13, Feb 29 of a common year, Feb 30, hour 24, minute 60, …) or it is out of
    /// range. A skipped or repeated local time follows the wall-time rules above; such an
    /// instant's components therefore read back with another hour.
    std::optional<Instant> makeInstant(const DateComponents& components) const;

    /// The local date and time of `instant`; milliseconds are dropped.
    DateComponents components(Instant instant) const;
    Weekday weekday(Instant instant) const;

    /// Equal when time zone, locale and week rules are equal.
    bool operator==(const Calendar& other) const;

    /// True when both values share one underlying calendar (a copy of the other): a cheap test
    /// that caches keyed by calendar try before comparing.
    bool isSameObject(const Calendar& other) const { return m_data == other.m_data; }

private:
    struct Data;
    explicit Calendar(std::shared_ptr<const Data> data);

    friend struct CalendarAccess;
    std::shared_ptr<const Data> m_data;
};

} // namespace brevanta
