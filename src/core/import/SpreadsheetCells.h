// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

/// Cells a spreadsheet rewrote in its own formats after recognising what a person typed: day
/// cells as numeric dates, time cells as clock times or as fractions of a day. Pure and safe
/// from any thread.
namespace brevanta::SpreadsheetCells {

/// A day cell written with numbers only. Slashes ("4/1/26", "04/01/2026") and dots ("1.4.2026")
/// leave open which of the first two numbers is the month; a year first ("2026-04-01") does not.
struct NumericDate {
    int first = 0;
    int second = 0;
    bool yearFirst = false;

    bool operator==(const NumericDate&) const = default;
};

struct MonthAndDay {
    int month = 1;
    int day = 1;
    bool operator==(const MonthAndDay&) const = default;
};

std::optional<NumericDate> numericDate(QStringView cell);

/// The one reading of `date`, month first or day first, whose month is `month`; nothing when no
/// reading or two different readings fall in it.
std::optional<MonthAndDay> placedInMonth(const NumericDate& date, int month);

/// A time cell written as a clock time ("1:30:00", "12:30:00 AM", "1:30 PM") or as a fraction of
/// a day ("0.0208333"; a decimal comma too).
struct SpreadsheetTime {
    /// The time it stands for, rounded to the minute for a fraction of a day; nothing for a clock
    /// time that is not whole minutes ("0:30:15").
    std::optional<std::int64_t> seconds;
};

std::optional<SpreadsheetTime> spreadsheetTime(QStringView cell);

/// The month a file name names, in English, written out or abbreviated ("Practice Log April
/// 2026.csv", "log-sept-2025.csv"); nothing when it names none or more than one.
std::optional<int> monthInFilename(QStringView filename);

} // namespace brevanta::SpreadsheetCells
