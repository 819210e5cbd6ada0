// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeImportWarning.h"
#include "core/import/SpreadsheetFormatSummary.h"
#include "core/model/PracticeCategory.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// One practice group's cell pair of a sheet's day row.
struct PracticeImportEntry {
    QUuid id;
    PracticeCategory category = PracticeCategory::lookBack;
    /// The notes cell, trimmed; may be empty.
    QString title;
    /// From the group's time cell; 0 when it is empty or unreadable.
    std::int64_t durationSeconds = 0;

    bool operator==(const PracticeImportEntry&) const = default;
};

/// One practice day read from a sheet, before it becomes a journal session.
struct PracticeImportCandidate {
    /// Fresh for every parse; the key for conflicts and approvals.
    QUuid id;
    QString sourceFilename;
    int month = 1;
    /// The day of the month as the sheet writes it, which may not exist in the month.
    int day = 1;
    /// From the file name; none until the user supplies it when the name has none.
    std::optional<int> year;
    /// At most one per practice group, in group order.
    std::vector<PracticeImportEntry> entries;
    std::int64_t durationSeconds = 0;
    /// In the order they were added.
    std::vector<PracticeImportWarning> warnings;

    /// The first two non-empty entry titles joined by " · ", or "Practice Session".
    QString summary() const;

    /// Noon of the day in `calendar`; none without a year or when the day does not exist
    /// (day 31 of a 30-day month gives nothing rather than rolling over).
    std::optional<Instant> date(const Calendar& calendar) const;

    bool hasWarning(PracticeImportWarning::Case warningCase) const;

    /// Whether the day has no time to import: its notes were recorded without one, or its time
    /// cells could not be read. Such days wait for the user to include them.
    bool lacksDuration() const;

    /// Noon of year-month-day in `calendar`, when that day exists there.
    static std::optional<Instant> noon(int year, int month, int day, const Calendar& calendar);

    bool operator==(const PracticeImportCandidate&) const = default;
};

/// What one chosen file gave.
struct PracticeImportFileResult {
    /// The file's last path component.
    QString filename;
    /// In sheet order.
    std::vector<PracticeImportCandidate> candidates;
    /// Rows that looked like content but gave no day.
    std::int64_t skippedRows = 0;
    /// Why the file could not be read or parsed; none on success.
    std::optional<QString> error;
    /// What a spreadsheet rewrote in the file, also when the file could not be read because of it.
    SpreadsheetFormatSummary spreadsheetFormat;

    bool operator==(const PracticeImportFileResult&) const = default;
};

} // namespace brevanta
