// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVParser.h"

#include "core/import/CSVReader.h"
#include "core/import/GraphemeBoundaries.h"
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

} // namespace

QString PracticeCSVParser::ParserError::headingsNotFoundDetail() {
    return QStringLiteral("Expected Have Fun, Look Back, and Look Forward category headings were "
                          "not found in their usual columns.");
}

QString PracticeCSVParser::ParserError::subheadingsMissingDetail() {
    return QStringLiteral("The category subheadings are missing or out of position.");
}

QString PracticeCSVParser::ParserError::description() const {
    switch (m_case) {
    case Case::unsupportedLayout:
        return QStringLiteral("This file does not appear to use the supported Brevanta spreadsheet "
                              "format. ") +
               m_detail;
    case Case::invalidUTF8:
        return QStringLiteral("The file is not valid UTF-8.");
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeCSVParser::decodedText(QByteArrayView data) {
    std::optional<QString> text = StrictUtf8::decode(data);
    if (!text)
        throw ParserError::invalidUTF8();
    if (text->startsWith(QChar(0xFEFF)))
        text->remove(0, 1);
    return *std::move(text);
}

PracticeImportFileResult PracticeCSVParser::parse(QByteArrayView data, const QString& filename) {
    return parse(data, filename, Calendar::current());
}

PracticeImportFileResult PracticeCSVParser::parse(QByteArrayView data, const QString& filename,
                                                  const Calendar& calendar) {
    const QString text = decodedText(data);
    const std::optional<int> fileYear = year(filename);
    PracticeImportFileResult result;
    result.filename = filename;
    MonthTokens months;
    Identifiers identifiers;

    // One row at a time: a sheet of a million blank lines or endless commas costs one row.
    enum class Stage { header, subheadings, days } stage = Stage::header;
    const auto readRow = [&](const QStringList& row) {
        if (stage == Stage::header) {
            if (isHeaderRow(row))
                stage = Stage::subheadings;
            return true;
        }
        if (stage == Stage::subheadings) {
            if (!isSubheadingRow(row))
                return false;
            stage = Stage::days;
            return true;
        }

        // A blank line, the commonest row of a padded sheet, says nothing.
        if (row.size() == 1 && row.front().isEmpty())
            return true;
        const QStringView dayCell = cell(row, dayColumn);
        if (normalized(dayCell).startsWith(u"totals"))
            return false;

        const std::optional<MonthAndDay> monthDay =
            readMonthAndDay(TextServices::trimmed(dayCell), months);
        if (!monthDay) {
            if (!isBlankRow(row))
                ++result.skippedRows;
            return true;
        }
        if (fileYear &&
            !PracticeImportCandidate::noon(*fileYear, monthDay->month, monthDay->day, calendar)) {
            ++result.skippedRows;
            return true;
        }

        std::vector<PracticeImportEntry> entries;
        std::int64_t categorySum = 0;
        bool overflowed = false;
        for (const GroupColumns& group : groupColumns) {
            QString title = TextServices::trimmed(cell(row, group.notes));
            const std::int64_t seconds = duration(cell(row, group.duration));
            if (title.isEmpty() && seconds == 0)
                continue;
            overflowed = overflowed || __builtin_add_overflow(categorySum, seconds, &categorySum);
            entries.push_back({identifiers.next(), group.category, std::move(title), seconds});
        }
        const std::int64_t total = duration(cell(row, totalColumn));

        // No sheet comes near this; such a row cannot be a day of practice.
        if (overflowed) {
            ++result.skippedRows;
            return true;
        }
        std::vector<PracticeImportWarning> warnings;
        if (categorySum <= 0 && total <= 0 && entries.empty()) {
            ++result.skippedRows;
            return true;
        }
        if (categorySum == 0 && total == 0)
            warnings.push_back(PracticeImportWarning::notesWithoutDuration());
        else if (categorySum >= 1 && total >= 1 && categorySum != total)
            warnings.push_back(PracticeImportWarning::durationMismatch(categorySum, total));
        if (!fileYear)
            warnings.push_back(PracticeImportWarning::missingYear());

        result.candidates.push_back({identifiers.next(), filename, monthDay->month, monthDay->day,
                                     fileYear, std::move(entries),
                                     categorySum >= 1 ? categorySum : total, std::move(warnings)});
        return true;
    };
    // Columns past the total are never read, only seen as blank or not; the reader runs them
    // together into one field.
    CSVReader::forEachRow(text, totalColumn + 2, readRow);

    if (stage == Stage::header)
        throw ParserError::unsupportedLayout(ParserError::headingsNotFoundDetail());
    if (stage == Stage::subheadings)
        throw ParserError::unsupportedLayout(ParserError::subheadingsMissingDetail());
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
    const QString text = TextServices::trimmed(cell);
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0 || text.indexOf(u':', colon + 1) >= 0)
        return 0;
    const QStringView view(text);
    const std::optional<std::int64_t> hours = integerValue(view.first(colon));
    const std::optional<std::int64_t> minutes = integerValue(view.sliced(colon + 1));
    if (!hours || !minutes || *hours < 0 || *minutes < 0 || *minutes > 59)
        return 0;
    std::int64_t seconds = 0;
    if (__builtin_mul_overflow(*hours, 3600, &seconds) ||
        __builtin_add_overflow(seconds, *minutes * 60, &seconds))
        return 0;
    return seconds;
}

std::optional<PracticeCSVParser::MonthAndDay> PracticeCSVParser::monthAndDay(QStringView text) {
    MonthTokens months;
    return readMonthAndDay(text, months);
}

} // namespace brevanta
