// SPDX-License-Identifier: MIT
#include "core/time/DateParsing.h"

#include "core/time/IcuStrings.h"

#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>
#include <vector>

namespace brevanta {

namespace {

// One pattern in one locale, with the calendar its fields are read from. ICU parsers must not be
// shared between threads; each thread keeps its own.
struct FixedFormatParser {
    QString pattern;
    QString localeName;
    std::unique_ptr<icu::SimpleDateFormat> formatter;
    std::unique_ptr<icu::Calendar> calendar;
};

FixedFormatParser* parserFor(QStringView pattern, QStringView localeName) {
    constexpr std::size_t capacity = 4;
    thread_local std::vector<std::unique_ptr<FixedFormatParser>> cache;
    for (const auto& entry : cache) {
        if (entry->pattern == pattern && entry->localeName == localeName)
            return entry.get();
    }

    auto parser = std::make_unique<FixedFormatParser>();
    parser->pattern = pattern.toString();
    parser->localeName = localeName.toString();
    const icu::Locale locale = icubridge::localeFromName(localeName);
    UErrorCode status = U_ZERO_ERROR;
    parser->formatter = std::make_unique<icu::SimpleDateFormat>(icubridge::aliasOf(parser->pattern),
                                                                locale, status);
    // UTC, so that no zone's clock change can move the fields that were read.
    parser->calendar =
        std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), locale, status);
    if (U_FAILURE(status))
        return nullptr;
    parser->formatter->setLenient(false);
    parser->calendar->setLenient(false);

    if (cache.size() >= capacity)
        cache.erase(cache.begin());
    cache.push_back(std::move(parser));
    return cache.back().get();
}

} // namespace

std::optional<DateComponents> DateParsing::parse(QStringView text, QStringView pattern,
                                                 QStringView localeName) {
    FixedFormatParser* parser = parserFor(pattern, localeName);
    if (!parser || text.isEmpty())
        return std::nullopt;

    const icu::UnicodeString input = icubridge::aliasOf(text);
    icu::Calendar& calendar = *parser->calendar;
    calendar.clear();
    icu::ParsePosition position(0);
    parser->formatter->parse(input, calendar, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length())
        return std::nullopt;

    // Reading the fields validates them: a non-lenient calendar refuses Feb 30.
    UErrorCode status = U_ZERO_ERROR;
    DateComponents components{
        calendar.get(UCAL_EXTENDED_YEAR, status), calendar.get(UCAL_MONTH, status) + 1,
        calendar.get(UCAL_DATE, status),          calendar.get(UCAL_HOUR_OF_DAY, status),
        calendar.get(UCAL_MINUTE, status),        calendar.get(UCAL_SECOND, status)};
    if (U_FAILURE(status))
        return std::nullopt;
    return components;
}

} // namespace brevanta
