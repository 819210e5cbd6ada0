// SPDX-License-Identifier: MIT
#include "core/import/SpreadsheetFormatSummary.h"

#include <QStringList>

namespace brevanta {

namespace {

QString count(std::int64_t value, const char16_t* one, const char16_t* many) {
    return QString::number(value) + u' ' + QString::fromUtf16(value == 1 ? one : many);
}

// Cells are shown as written; a long one is cut so that the sentence stays readable.
QString shown(const QString& cell) {
    constexpr qsizetype longest = 24;
    if (cell.size() <= longest)
        return cell;
    qsizetype cut = longest;
    if (cell[cut - 1].isHighSurrogate())
        --cut;
    return cell.first(cut) + u'\u2026';
}

} // namespace

bool SpreadsheetFormatSummary::isAffected() const {
    return encoding == ImportTextFormat::Encoding::utf16 ||
           separator != ImportTextFormat::Separator::comma || days > 0 || unplacedDates > 0;
}

QString SpreadsheetFormatSummary::findings() const {
    QStringList sentences;
    if (encoding == ImportTextFormat::Encoding::utf16)
        sentences << QStringLiteral("The file is saved as UTF-16.");
    if (separator == ImportTextFormat::Separator::semicolon)
        sentences << QStringLiteral("Its fields are separated by semicolons.");
    else if (separator == ImportTextFormat::Separator::tab)
        sentences << QStringLiteral("Its fields are separated by tabs.");
    if (days > 0) {
        QString sentence = count(days, u"day has ", u"days have ");
        if (dateCells > 0)
            sentence += (dateCells == 1 ? u"a date such as " : u"dates such as ") + exampleDate;
        if (dateCells > 0 && timeCells > 0)
            sentence += u" and ";
        if (timeCells > 0)
            sentence += (timeCells == 1 ? u"a time such as " : u"times such as ") + exampleTime;
        sentences << sentence + u" that the spreadsheet reformatted.";
    }
    return sentences.join(u' ');
}

QString SpreadsheetFormatSummary::unplacedDatesText() const {
    if (unplacedDates == 0)
        return {};
    const QString rows = count(unplacedDates, u"row was", u"rows were");
    if (!sheetMonthKnown)
        return rows + u" skipped: the sheet\u2019s month is not known, so dates such as " +
               shown(exampleUnplacedDate) +
               u" cannot be read. Name the month in the file name, for example \u201cPractice "
               u"Log April 2026.csv\u201d.";
    return rows + u" skipped: dates such as " + shown(exampleUnplacedDate) +
           u" do not fall in the sheet\u2019s month.";
}

QString SpreadsheetFormatSummary::exportAdvice() {
    return QStringLiteral(
        "To import the sheet as typed, export it again with the day column formatted as Text or "
        "as \u201cMonday, Jan 5\u201d, the time columns as [H]:MM, a comma as the field "
        "separator and UTF-8 as the character set.");
}

QString SpreadsheetFormatSummary::readOptionTitle() {
    return QStringLiteral("Read spreadsheet dates and times");
}

void SpreadsheetFormatSummary::noteDate(QStringView cell) {
    if (dateCells++ == 0)
        exampleDate = shown(cell.toString());
}

void SpreadsheetFormatSummary::noteTime(QStringView cell) {
    if (timeCells++ == 0)
        exampleTime = shown(cell.toString());
}

void SpreadsheetFormatSummary::noteUnplacedDate(QStringView cell, bool monthKnown) {
    if (unplacedDates++ == 0)
        exampleUnplacedDate = cell.toString();
    sheetMonthKnown = sheetMonthKnown && monthKnown;
}

} // namespace brevanta
