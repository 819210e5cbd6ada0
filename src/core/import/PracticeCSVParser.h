// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeImportCandidate.h"
#include "core/import/SpreadsheetFormatSummary.h"
#include "core/model/BrevantaError.h"
#include "core/time/Calendar.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <utility>

namespace brevanta {

/// How PracticeCSVParser reads a file beyond the sheet's own text.
struct PracticeCSVParseOptions {
    /// Read what a spreadsheet rewrote: numeric dates placed in the sheet's month, clock times
    /// and fractions of a day as times, semicolons and tabs as separators, UTF-16 with a
    /// byte-order mark.
    bool readSpreadsheetFormats = false;
};

/// Reads one monthly practice-journal spreadsheet exported as CSV: a header row naming the three
/// practice groups in columns E, H and K, a row of "Practice notes" subheadings under it, then
/// one row per day (the day in column A, each group's notes and time in E/F, H/I and K/L, the
/// day's total in M), optionally ended by a totals row. Pure and safe from any thread.
struct PracticeCSVParser {
    /// Why a whole file could not be read; row-level problems are never thrown.
    class ParserError : public BrevantaError {
    public:
        enum class Case { unsupportedLayout, invalidUTF8 };

        /// `format` says what a spreadsheet wrote that the reading did not take.
        static ParserError unsupportedLayout(QString detail, SpreadsheetFormatSummary format = {}) {
            return ParserError(Case::unsupportedLayout, std::move(detail), std::move(format));
        }
        /// `detail`, when there is one, says which character set the bytes seem to be in.
        static ParserError invalidUTF8(QString detail = {}, SpreadsheetFormatSummary format = {}) {
            return ParserError(Case::invalidUTF8, std::move(detail), std::move(format));
        }

        /// Details of `unsupportedLayout`.
        static QString headingsNotFoundDetail();
        static QString subheadingsMissingDetail();
        static QString separatorDetail(ImportTextFormat::Separator separator);
        /// Details of `invalidUTF8`.
        static QString encodingDetail(ImportTextFormat::Encoding encoding);

        Case errorCase() const { return m_case; }
        QString detail() const { return m_detail; }
        const SpreadsheetFormatSummary& spreadsheetFormat() const { return m_format; }
        QString description() const override;

    private:
        ParserError(Case errorCase, QString detail, SpreadsheetFormatSummary format)
            : m_case(errorCase)
            , m_detail(std::move(detail))
            , m_format(std::move(format)) {}

        Case m_case = Case::invalidUTF8;
        QString m_detail;
        SpreadsheetFormatSummary m_format;
    };

    using Options = PracticeCSVParseOptions;

    struct MonthAndDay {
        int month = 1;
        int day = 1;
        bool operator==(const MonthAndDay&) const = default;
    };

    /// Every practice day of the sheet in `data` as a candidate, with the rows that gave none
    /// counted as skipped. `filename` is the file's last path component; the year of its days
    /// comes from it. With a year, days that do not exist in `calendar` (Feb 29 of a common
    /// year) are skipped rows. Throws ParserError for bytes that are not UTF-8 and for a sheet
    /// without the group headings or their subheadings; row-level problems never throw. Cells a
    /// spreadsheet rewrote are counted in the result's spreadsheetFormat, and read only with
    /// `options`.
    static PracticeImportFileResult parse(QByteArrayView data, const QString& filename,
                                          const Calendar& calendar, const Options& options = {});
    /// As above, checking days in the calendar of the system's current settings.
    static PracticeImportFileResult parse(QByteArrayView data, const QString& filename);

    /// The first run of exactly four digits in a file name, as a year: "Practice log March
    /// 2024.csv" gives 2024, "2023-05.csv" 2023, "log 12345.csv" nothing.
    static std::optional<int> year(QStringView filename);

    /// Seconds of a time cell written hours:minutes ("1:30", "0:45", "01:5"); 0 for anything
    /// else ("90", "1:30:00", "1:60", "-1:00", an empty cell).
    static std::int64_t duration(QStringView cell);

    /// Month and day of a day cell, "Monday, Jan 5" or "Jan 5": the text after the first comma
    /// must be an English month abbreviation and a day of month. Any day from 1 to 31 is
    /// accepted here, whatever the month; whether it exists is checked once the year is known.
    static std::optional<MonthAndDay> monthAndDay(QStringView text);

    /// The text of a file's bytes: strictly decoded UTF-8 with one leading byte-order mark
    /// removed. Throws ParserError::invalidUTF8 when the bytes are not well-formed UTF-8; with
    /// `options`, UTF-16 with a byte-order mark is decoded too.
    static QString decodedText(QByteArrayView data, const Options& options = {});
};

} // namespace brevanta
