// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVParser.h"

#include "core/import/CSVReader.h"
#include "core/import/GraphemeBoundaries.h"
#include "core/import/ImportTextFormat.h"
#include "core/import/SpreadsheetCells.h"
#include "core/import/StrictUtf8.h"
#include "core/time/DateParsing.h"
#include "core/time/TextServices.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace brevanta {

namespace {

struct GroupColumns {
    PracticeCategory category;
    qsizetype notes;
    qsizetype duration;
};

constexpr std::array<GroupColumns, 3> groupColumns{{
    {PracticeCategory::haveFun, 4, 5},
    {PracticeCategory::lookBack, 7, 8},
    {PracticeCategory::lookForward, 10, 11},
}};
constexpr qsizetype dayColumn = 0;
constexpr qsizetype totalColumn = 12;

QStringView cell(const QStringList& row, qsizetype index) {
    return index < row.size() ? QStringView(row[index]) : QStringView();
}

// Lower-cased first, then trimmed.
QString normalized(QStringView text) {
    return TextServices::trimmed(text.toString().toLower());
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar character) {
        return TextServices::isWhitespaceOrNewline(character.unicode());
    });
}

bool isBlankRow(const QStringList& row) {
    return std::all_of(row.begin(), row.end(), [](const QString& field) { return isBlank(field); });
}

bool isHeaderRow(const QStringList& row) {
    return normalized(cell(row, 4)).contains(u"have fun") &&
           normalized(cell(row, 7)).contains(u"look back") &&
           normalized(cell(row, 10)).contains(u"look forward");
}

bool isSubheadingRow(const QStringList& row) {
    return std::all_of(groupColumns.begin(), groupColumns.end(), [&](const GroupColumns& group) {
        return normalized(cell(row, group.notes)).contains(u"practice notes");
    });
}

// A whole number as the sheet writes it: an optional sign, then ASCII digits only. Nothing for
// anything else, and nothing when it does not fit.
std::optional<std::int64_t> integerValue(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        const int digit = unit - u'0';
        // Accumulate towards the negative end, which has room for the smallest value.
        if (__builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, digit, &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return -value;
}

// The piece of a day cell that should hold the month and day: the text is split at the first
// comma that is a character of its own, empty pieces dropped, and the last piece kept.
QStringView dayPiece(QStringView text) {
    GraphemeBoundaries boundaries(text);
    std::optional<QStringView> last;
    qsizetype start = 0;
    for (qsizetype position = 0; position < text.size(); ++position) {
        if (text[position] != u',' || !boundaries.standsAlone(position))
            continue;
        const bool empty = position == start;
        if (!empty)
            last = text.sliced(start, position - start);
        start = position + 1;
        if (!empty)
            break;
    }
    if (start != text.size())
        last = text.sliced(start);
    return last.value_or(text);
}

// Sheets repeat the same dozen month tokens; ICU is asked once per token and file.
class MonthTokens {
public:
    std::optional<int> month(const QString& token) {
        if (const auto found = m_months.constFind(token); found != m_months.cend())
            return *found;
        const std::optional<DateComponents> parsed =
            DateParsing::parse(QString(token + u" 1, 2000"), u"MMM d, yyyy", u"en_US_POSIX");
        const std::optional<int> month = parsed ? std::optional<int>(parsed->month) : std::nullopt;
        if (m_months.size() < maximumRemembered)
            m_months.insert(token, month);
        return month;
    }

private:
    static constexpr qsizetype maximumRemembered = 64;
    QHash<QString, std::optional<int>> m_months;
};

// Fresh random (version 4) identifiers for one parse. Drawing each from the system's entropy
// source cost more than reading the rest of the row; one seed is drawn per parse instead.
class Identifiers {
public:
    Identifiers() {
        std::array<quint32, 8> seed{};
        QRandomGenerator::system()->fillRange(seed.data(), qsizetype(seed.size()));
        m_generator = QRandomGenerator(seed.data(), qsizetype(seed.size()));
    }

    QUuid next() {
        std::array<quint32, 4> words{};
        m_generator.fillRange(words.data(), qsizetype(words.size()));
        std::array<char, 16> bytes{};
        std::memcpy(bytes.data(), words.data(), bytes.size());
        bytes[6] = char((bytes[6] & 0x0F) | 0x40);
        bytes[8] = char((bytes[8] & 0x3F) | 0x80);
        return QUuid::fromRfc4122(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }

private:
    QRandomGenerator m_generator;
};

std::optional<PracticeCSVParser::MonthAndDay> readMonthAndDay(QStringView text,
                                                              MonthTokens& months) {
    const QStringList tokens =
        TextServices::splitAtWhitespace(TextServices::trimmed(dayPiece(text)));
    if (tokens.size() != 2)
        return std::nullopt;
    const std::optional<std::int64_t> day = integerValue(tokens[1]);
    if (!day)
        return std::nullopt;
    const std::optional<int> month = months.month(tokens[0]);
    if (!month)
        return std::nullopt;
    // Every day a Gregorian month can have; Feb 30 passes until a year says otherwise.
    if (*day < 1 || *day > 31)
        return std::nullopt;
    return PracticeCSVParser::MonthAndDay{*month, int(*day)};
}

// Hours and minutes of a time cell ("1:30", "0:45", "01:5"); nothing for anything else.
std::optional<std::int64_t> hoursAndMinutes(QStringView cell) {
    const QString text = TextServices::trimmed(cell);
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0 || text.indexOf(u':', colon + 1) >= 0)
        return std::nullopt;
    const QStringView view(text);
    const std::optional<std::int64_t> hours = integerValue(view.first(colon));
    const std::optional<std::int64_t> minutes = integerValue(view.sliced(colon + 1));
    if (!hours || !minutes || *hours < 0 || *minutes < 0 || *minutes > 59)
        return std::nullopt;
    std::int64_t seconds = 0;
    if (__builtin_mul_overflow(*hours, 3600, &seconds) ||
        __builtin_add_overflow(seconds, *minutes * 60, &seconds))
        return std::nullopt;
    return seconds;
}

struct TimeCell {
    std::int64_t seconds = 0;
    /// Text that gave no time.
    bool unreadable = false;
    /// A clock time or fraction of a day a spreadsheet wrote.
    bool rewritten = false;
};

TimeCell readTimeCell(QStringView cell, bool readRewritten) {
    if (isBlank(cell))
        return {};
    if (const std::optional<std::int64_t> seconds = hoursAndMinutes(cell))
        return {*seconds, false, false};
    const std::optional<SpreadsheetCells::SpreadsheetTime> time =
        SpreadsheetCells::spreadsheetTime(cell);
    if (!time)
        return {0, true, false};
    if (readRewritten && time->seconds)
        return {*time->seconds, false, true};
    return {0, true, true};
}

// The month a sheet's rewritten dates belong to: the one its file name names, or else the one
// every day cell still written out names.
std::optional<int> sheetMonth(const QString& filename, QList<QStringList>::const_iterator first,
                              QList<QStringList>::const_iterator last, MonthTokens& months) {
    if (const std::optional<int> named = SpreadsheetCells::monthInFilename(filename))
        return named;
    std::optional<int> month;
    for (auto row = first; row != last; ++row) {
        const QStringView dayCell = cell(*row, dayColumn);
        if (normalized(dayCell).startsWith(u"totals"))
            break;
        const auto monthDay = readMonthAndDay(TextServices::trimmed(dayCell), months);
        if (!monthDay)
            continue;
        if (month && *month != monthDay->month)
            return std::nullopt;
        month = monthDay->month;
    }
    return month;
}

// Columns past the total are never read, only seen as blank or not; the reader runs them
// together into one field, so rows of endless commas cost no more than the layout's width.
constexpr qsizetype readColumns = totalColumn + 2;

// The rows of the text, with the separator a spreadsheet may have put in place of the comma
// when that is what reveals the headings.
QList<QStringList> sheetRows(const QString& text, const PracticeCSVParser::Options& options,
                             SpreadsheetFormatSummary& format) {
    using ImportTextFormat::Separator;
    {
        QList<QStringList> rows = CSVReader::layoutRows(text, readColumns);
        if (std::any_of(rows.begin(), rows.end(), isHeaderRow))
            return rows;
    } // released before the text is read again
    for (const Separator separator : {Separator::semicolon, Separator::tab}) {
        if (!text.contains(separator == Separator::tab ? u'\t' : u';'))
            continue;
        QList<QStringList> separated = ImportTextFormat::rows(text, separator, readColumns);
        if (std::none_of(separated.begin(), separated.end(), isHeaderRow))
            continue;
        format.separator = separator;
        if (!options.readSpreadsheetFormats)
            throw PracticeCSVParser::ParserError::unsupportedLayout(
                PracticeCSVParser::ParserError::separatorDetail(separator), format);
        return separated;
    }
    return {}; // no headings with any separator
}

QString decode(QByteArrayView data, const PracticeCSVParser::Options& options,
               SpreadsheetFormatSummary& format) {
    std::optional<QString> text = StrictUtf8::decode(data);
    if (!text) {
        const ImportTextFormat::Encoding encoding = ImportTextFormat::guessEncoding(data);
        std::optional<QString> utf16 = ImportTextFormat::decodeUtf16WithByteOrderMark(data);
        if (utf16)
            format.encoding = ImportTextFormat::Encoding::utf16;
        if (!utf16 || !options.readSpreadsheetFormats)
            throw PracticeCSVParser::ParserError::invalidUTF8(
                PracticeCSVParser::ParserError::encodingDetail(encoding), format);
        return *std::move(utf16);
    }
    if (text->startsWith(QChar(0xFEFF)))
        text->remove(0, 1);
    return *std::move(text);
}

} // namespace

QString PracticeCSVParser::ParserError::headingsNotFoundDetail() {
    return QStringLiteral("Expected Have Fun, Look Back, and Look Forward category headings were "
                          "not found in their usual columns.");
}

QString PracticeCSVParser::ParserError::subheadingsMissingDetail() {
    return QStringLiteral("The category subheadings are missing or out of position.");
}

QString PracticeCSVParser::ParserError::separatorDetail(ImportTextFormat::Separator separator) {
    const QString what = separator == ImportTextFormat::Separator::tab
                             ? QStringLiteral("tabs")
                             : QStringLiteral("semicolons");
    return u"Its fields are separated by " + what +
           u". When exporting, choose a comma as the field separator, or switch on \u201c" +
           SpreadsheetFormatSummary::readOptionTitle() + u"\u201d for this file.";
}

QString PracticeCSVParser::ParserError::encodingDetail(ImportTextFormat::Encoding encoding) {
    switch (encoding) {
    case ImportTextFormat::Encoding::utf16:
        return QStringLiteral("It is saved as UTF-16. When exporting, choose UTF-8 as the "
                              "character set.");
    case ImportTextFormat::Encoding::windows1252:
        return QStringLiteral("It appears to be saved as Windows-1252 (Western European). When "
                              "exporting, choose UTF-8 as the character set.");
    case ImportTextFormat::Encoding::utf8:
    case ImportTextFormat::Encoding::unknown:
        break;
    }
    return {};
}

QString PracticeCSVParser::ParserError::description() const {
    switch (m_case) {
    case Case::unsupportedLayout:
        return QStringLiteral("This file does not appear to use the supported Brevanta spreadsheet "
                              "format. ") +
               m_detail;
    case Case::invalidUTF8:
        if (m_detail.isEmpty())
            return QStringLiteral("The file is not valid UTF-8.");
        return u"The file is not valid UTF-8. " + m_detail;
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeCSVParser::decodedText(QByteArrayView data, const Options& options) {
    SpreadsheetFormatSummary format;
    return decode(data, options, format);
}

PracticeImportFileResult PracticeCSVParser::parse(QByteArrayView data, const QString& filename) {
    return parse(data, filename, Calendar::current());
}

PracticeImportFileResult PracticeCSVParser::parse(QByteArrayView data, const QString& filename,
                                                  const Calendar& calendar,
                                                  const Options& options) {
    SpreadsheetFormatSummary format;
    const QList<QStringList> rows = sheetRows(decode(data, options, format), options, format);

    const auto header = std::find_if(rows.begin(), rows.end(), isHeaderRow);
    if (header == rows.end())
        throw ParserError::unsupportedLayout(ParserError::headingsNotFoundDetail(), format);
    const auto subheadings = std::next(header);
    if (subheadings == rows.end() || !isSubheadingRow(*subheadings))
        throw ParserError::unsupportedLayout(ParserError::subheadingsMissingDetail(), format);

    const std::optional<int> fileYear = year(filename);
    PracticeImportFileResult result;
    result.filename = filename;
    MonthTokens months;
    Identifiers identifiers;
    // Found on the first rewritten date that needs it.
    std::optional<std::optional<int>> month;

    for (auto row = std::next(subheadings); row != rows.end(); ++row) {
        const QStringView dayCell = cell(*row, dayColumn);
        if (normalized(dayCell).startsWith(u"totals"))
            break;

        std::optional<MonthAndDay> monthDay =
            readMonthAndDay(TextServices::trimmed(dayCell), months);
        const std::optional<SpreadsheetCells::NumericDate> numericDate =
            monthDay ? std::nullopt : SpreadsheetCells::numericDate(dayCell);
        if (!monthDay && !numericDate) {
            if (!isBlankRow(*row))
                ++result.skippedRows;
            continue;
        }

        std::array<TimeCell, groupColumns.size()> groupTimes;
        bool rewritten = false;
        for (std::size_t index = 0; index < groupColumns.size(); ++index) {
            groupTimes[index] = readTimeCell(cell(*row, groupColumns[index].duration),
                                             options.readSpreadsheetFormats);
            if (groupTimes[index].rewritten)
                format.noteTime(TextServices::trimmed(cell(*row, groupColumns[index].duration)));
            rewritten = rewritten || groupTimes[index].rewritten;
        }
        const TimeCell totalTime =
            readTimeCell(cell(*row, totalColumn), options.readSpreadsheetFormats);
        if (totalTime.rewritten)
            format.noteTime(TextServices::trimmed(cell(*row, totalColumn)));
        if (numericDate)
            format.noteDate(TextServices::trimmed(dayCell));
        if (numericDate || rewritten || totalTime.rewritten)
            ++format.days;

        if (numericDate) {
            if (!options.readSpreadsheetFormats) {
                ++result.skippedRows;
                continue;
            }
            if (!month)
                month = sheetMonth(filename, std::next(subheadings), rows.end(), months);
            const std::optional<SpreadsheetCells::MonthAndDay> placed =
                *month ? SpreadsheetCells::placedInMonth(*numericDate, **month) : std::nullopt;
            if (!placed) {
                format.noteUnplacedDate(TextServices::trimmed(dayCell), month->has_value());
                ++result.skippedRows;
                continue;
            }
            monthDay = MonthAndDay{placed->month, placed->day};
        }

        if (fileYear &&
            !PracticeImportCandidate::noon(*fileYear, monthDay->month, monthDay->day, calendar)) {
            ++result.skippedRows;
            continue;
        }

        std::vector<PracticeImportEntry> entries;
        std::vector<PracticeImportWarning> unreadable;
        std::int64_t categorySum = 0;
        bool overflowed = false;
        for (std::size_t index = 0; index < groupColumns.size(); ++index) {
            const GroupColumns& group = groupColumns[index];
            const std::int64_t seconds = groupTimes[index].seconds;
            if (groupTimes[index].unreadable)
                unreadable.push_back(PracticeImportWarning::unreadableDuration(
                    group.category, TextServices::trimmed(cell(*row, group.duration))));
            QString title = TextServices::trimmed(cell(*row, group.notes));
            if (title.isEmpty() && seconds == 0)
                continue;
            overflowed = overflowed || __builtin_add_overflow(categorySum, seconds, &categorySum);
            entries.push_back({identifiers.next(), group.category, std::move(title), seconds});
        }
        const std::int64_t total = totalTime.seconds;
        if (totalTime.unreadable)
            unreadable.push_back(PracticeImportWarning::unreadableDuration(
                std::nullopt, TextServices::trimmed(cell(*row, totalColumn))));

        // No sheet comes near this; such a row cannot be a day of practice.
        if (overflowed) {
            ++result.skippedRows;
            continue;
        }
        std::vector<PracticeImportWarning> warnings;
        if (categorySum <= 0 && total <= 0 && entries.empty()) {
            ++result.skippedRows;
            continue;
        }
        // Times that were written but not read are said as such, not as notes without time.
        if (categorySum == 0 && total == 0 && unreadable.empty())
            warnings.push_back(PracticeImportWarning::notesWithoutDuration());
        else if (categorySum >= 1 && total >= 1 && categorySum != total)
            warnings.push_back(PracticeImportWarning::durationMismatch(categorySum, total));
        warnings.insert(warnings.end(), std::make_move_iterator(unreadable.begin()),
                        std::make_move_iterator(unreadable.end()));
        if (!fileYear)
            warnings.push_back(PracticeImportWarning::missingYear());

        result.candidates.push_back({identifiers.next(), filename, monthDay->month, monthDay->day,
                                     fileYear, std::move(entries),
                                     categorySum >= 1 ? categorySum : total, std::move(warnings)});
    }
    result.spreadsheetFormat = std::move(format);
    return result;
}

std::optional<int> PracticeCSVParser::year(QStringView filename) {
    // Compiled once per thread: the loader parses on a thread of its own.
    thread_local const QRegularExpression fourDigits(
        QStringLiteral("(?<!\\d)(\\d{4})(?!\\d)"), QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = fourDigits.match(filename);
    if (!match.hasMatch())
        return std::nullopt;
    // Digits of other scripts match the pattern but are not read as a number.
    const std::optional<std::int64_t> value = integerValue(match.capturedView(1));
    if (!value)
        return std::nullopt;
    return int(*value);
}

std::int64_t PracticeCSVParser::duration(QStringView cell) {
    return hoursAndMinutes(cell).value_or(0);
}

std::optional<PracticeCSVParser::MonthAndDay> PracticeCSVParser::monthAndDay(QStringView text) {
    MonthTokens months;
    return readMonthAndDay(text, months);
}

} // namespace brevanta
