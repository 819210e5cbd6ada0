// SPDX-License-Identifier: MIT
#include "core/import/SpreadsheetCells.h"

#include "core/time/TextServices.h"

#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace brevanta::SpreadsheetCells {

namespace {

bool isDigit(QChar character) {
    return character >= u'0' && character <= u'9';
}

// The ASCII digits at `position`, at most `most` of them (the reading stops there).
struct Digits {
    int value = 0;
    qsizetype count = 0;
};

Digits digitsAt(QStringView text, qsizetype position, qsizetype most) {
    Digits digits;
    while (position + digits.count < text.size() && digits.count < most &&
           isDigit(text[position + digits.count])) {
        digits.value = digits.value * 10 + (text[position + digits.count].unicode() - u'0');
        ++digits.count;
    }
    return digits;
}

// Numbers of the given digit counts between single separators, covering the whole text.
std::optional<std::array<Digits, 3>> threeNumbers(QStringView text, QChar separator,
                                                  std::array<std::pair<int, int>, 3> widths) {
    std::array<Digits, 3> numbers{};
    qsizetype position = 0;
    for (std::size_t index = 0; index < numbers.size(); ++index) {
        if (index > 0) {
            if (position >= text.size() || text[position] != separator)
                return std::nullopt;
            ++position;
        }
        numbers[index] = digitsAt(text, position, widths[index].second);
        if (numbers[index].count < widths[index].first)
            return std::nullopt;
        position += numbers[index].count;
    }
    if (position != text.size())
        return std::nullopt;
    return numbers;
}

bool isDayOfSomeMonth(int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool isTwoOrFourDigits(const Digits& digits) {
    return digits.count == 2 || digits.count == 4;
}

bool endsWithMeridiem(QStringView text, bool& afternoon) {
    if (text.size() < 2)
        return false;
    const QStringView suffix = text.last(2);
    if (suffix.compare(u"am", Qt::CaseInsensitive) == 0)
        afternoon = false;
    else if (suffix.compare(u"pm", Qt::CaseInsensitive) == 0)
        afternoon = true;
    else
        return false;
    return true;
}

std::optional<SpreadsheetTime> clockTime(QStringView text) {
    bool afternoon = false;
    const bool twelveHour = endsWithMeridiem(text, afternoon);
    QString clock = text.toString();
    if (twelveHour) {
        clock = TextServices::trimmed(text.first(text.size() - 2));
        if (clock.size() == text.size() - 2)
            return std::nullopt; // "1:30:00AM" is not how a spreadsheet writes it
    }
    const QStringView view(clock);
    const qsizetype colon = view.indexOf(u':');
    if (colon < 1 || colon > 9)
        return std::nullopt;
    const Digits hours = digitsAt(view, 0, colon);
    if (hours.count != colon)
        return std::nullopt;
    const QStringView rest = view.sliced(colon + 1);
    int minutes = 0;
    int seconds = 0;
    if (rest.size() == 5 && rest[2] == u':') {
        const Digits minuteDigits = digitsAt(rest, 0, 2);
        const Digits secondDigits = digitsAt(rest, 3, 2);
        if (minuteDigits.count != 2 || secondDigits.count != 2)
            return std::nullopt;
        minutes = minuteDigits.value;
        seconds = secondDigits.value;
    } else if (twelveHour && rest.size() == 2) {
        const Digits minuteDigits = digitsAt(rest, 0, 2);
        if (minuteDigits.count != 2)
            return std::nullopt;
        minutes = minuteDigits.value;
    } else {
        return std::nullopt;
    }
    if (minutes > 59 || seconds > 59)
        return std::nullopt;
    std::int64_t hour = hours.value;
    if (twelveHour) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (afternoon ? 12 : 0);
    }
    if (seconds != 0)
        return SpreadsheetTime{std::nullopt};
    return SpreadsheetTime{hour * 3600 + minutes * 60};
}

// "0.0208333" or ".0208333": under a day, as a duration formatted as a plain number comes out.
std::optional<SpreadsheetTime> dayFraction(QStringView text) {
    if (text.startsWith(u'0'))
        text = text.sliced(1);
    if (text.size() < 2 || (text.front() != u'.' && text.front() != u','))
        return std::nullopt;
    std::string number = "0.";
    number.reserve(std::size_t(text.size()) + 1);
    for (const QChar character : text.sliced(1)) {
        if (!isDigit(character))
            return std::nullopt;
        number.push_back(char(character.unicode()));
    }
    double fraction = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), fraction);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return SpreadsheetTime{std::int64_t(std::llround(fraction * 24 * 60)) * 60};
}

struct MonthName {
    const char16_t* name;
    int month;
};

constexpr std::array<MonthName, 24> monthNames{{
    {u"january", 1},   {u"jan", 1},   {u"february", 2},  {u"feb", 2},      {u"march", 3},
    {u"mar", 3},       {u"april", 4}, {u"apr", 4},       {u"may", 5},      {u"june", 6},
    {u"jun", 6},       {u"july", 7},  {u"jul", 7},       {u"august", 8},   {u"aug", 8},
    {u"september", 9}, {u"sept", 9},  {u"sep", 9},       {u"october", 10}, {u"oct", 10},
    {u"november", 11}, {u"nov", 11},  {u"december", 12}, {u"dec", 12},
}};

} // namespace

std::optional<NumericDate> numericDate(QStringView cell) {
    const QString text = TextServices::trimmed(cell);
    if (text.size() > 10)
        return std::nullopt;
    if (const auto iso = threeNumbers(text, u'-', {{{4, 4}, {1, 2}, {1, 2}}})) {
        if (!isDayOfSomeMonth((*iso)[1].value, (*iso)[2].value))
            return std::nullopt;
        return NumericDate{(*iso)[1].value, (*iso)[2].value, true};
    }
    for (const QChar separator : {QChar(u'/'), QChar(u'.')}) {
        const auto numbers = threeNumbers(text, separator, {{{1, 2}, {1, 2}, {2, 4}}});
        if (!numbers || !isTwoOrFourDigits((*numbers)[2]))
            continue;
        const int first = (*numbers)[0].value;
        const int second = (*numbers)[1].value;
        if (!isDayOfSomeMonth(first, second) && !isDayOfSomeMonth(second, first))
            return std::nullopt;
        return NumericDate{first, second, false};
    }
    return std::nullopt;
}

std::optional<MonthAndDay> placedInMonth(const NumericDate& date, int month) {
    std::optional<MonthAndDay> placed;
    const auto consider = [&](int readMonth, int readDay) {
        if (readMonth != month || !isDayOfSomeMonth(readMonth, readDay))
            return true;
        const MonthAndDay reading{readMonth, readDay};
        if (placed && *placed != reading)
            return false;
        placed = reading;
        return true;
    };
    if (!consider(date.first, date.second))
        return std::nullopt;
    if (!date.yearFirst && !consider(date.second, date.first))
        return std::nullopt;
    return placed;
}

std::optional<SpreadsheetTime> spreadsheetTime(QStringView cell) {
    const QString text = TextServices::trimmed(cell);
    if (text.isEmpty())
        return std::nullopt;
    if (const std::optional<SpreadsheetTime> fraction = dayFraction(text))
        return fraction;
    return clockTime(text);
}

std::optional<int> monthInFilename(QStringView filename) {
    std::optional<int> found;
    qsizetype start = 0;
    for (qsizetype position = 0; position <= filename.size(); ++position) {
        if (position < filename.size() && filename[position].isLetter())
            continue;
        const QStringView word = filename.sliced(start, position - start);
        start = position + 1;
        if (word.size() < 3 || word.size() > 9)
            continue;
        for (const MonthName& name : monthNames) {
            if (word.compare(QStringView(name.name), Qt::CaseInsensitive) != 0)
                continue;
            if (found && *found != name.month)
                return std::nullopt;
            found = name.month;
        }
    }
    return found;
}

} // namespace brevanta::SpreadsheetCells
