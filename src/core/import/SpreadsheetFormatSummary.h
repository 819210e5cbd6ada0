// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/ImportTextFormat.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace brevanta {

/// What a spreadsheet changed in one file when it saved it: the character set and separator it
/// wrote, and the day and time cells it rewrote in its own formats, counted whether or not they
/// were read. The review shows it with the option to read those cells.
struct SpreadsheetFormatSummary {
    /// utf16 only for a file the option can read (it starts with a byte-order mark).
    ImportTextFormat::Encoding encoding = ImportTextFormat::Encoding::utf8;
    ImportTextFormat::Separator separator = ImportTextFormat::Separator::comma;
    /// Day rows with a rewritten day cell or time cell.
    std::int64_t days = 0;
    std::int64_t dateCells = 0;
    std::int64_t timeCells = 0;
    /// The first rewritten cells, as they stand.
    QString exampleDate;
    QString exampleTime;
    /// Rows skipped while reading rewritten dates because no reading falls in the sheet's month,
    /// or because that month is not known.
    std::int64_t unplacedDates = 0;
    QString exampleUnplacedDate;
    bool sheetMonthKnown = true;

    /// Whether the review shows the file's card.
    bool isAffected() const;

    /// What was found: "22 days have dates such as 01/02/26 and times such as 12:20:00 AM that
    /// the spreadsheet reformatted.", the separator and the character set.
    QString findings() const;
    /// Why rows with rewritten dates were skipped; empty when none were.
    QString unplacedDatesText() const;
    /// How to export a sheet so that it reads as typed.
    static QString exportAdvice();
    /// The title of the option that reads rewritten cells.
    static QString readOptionTitle();

    void noteDate(QStringView cell);
    void noteTime(QStringView cell);
    void noteUnplacedDate(QStringView cell, bool monthKnown);

    bool operator==(const SpreadsheetFormatSummary&) const = default;
};

} // namespace brevanta
