// SPDX-License-Identifier: MIT
#include "core/time/DateFormatting.h"

#include "core/time/CalendarIcu.h"
#include "core/time/IcuStrings.h"

#include <QHash>

#include <unicode/datefmt.h>
#include <unicode/dtptngen.h>
#include <unicode/smpdtfmt.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace brevanta {

namespace {

using Style = DateFormatting::Style;
constexpr std::size_t styleCount = std::size_t(Style::wideWeekdayDay) + 1;

const char16_t* skeletonOf(Style style) {
    switch (style) {
    case Style::wideMonth:
        return u"MMMM";
    case Style::wideMonthYear:
        return u"MMMMy";
    case Style::wideWeekday:
        return u"EEEE";
    case Style::wideWeekdayDay:
        return u"EEEEd";
    case Style::completeDate:
    case Style::abbreviatedDate:
    case Style::shortTime:
    case Style::completeDateShortTime:
        break;
    }
    return nullptr;
}

// Where a run of one pattern letter stands, quoted text skipped; empty when it is absent.
struct FieldRun {
    int32_t begin = -1;
    int32_t end = -1;
};

FieldRun fieldRun(const icu::UnicodeString& pattern, std::initializer_list<char16_t> letters) {
    bool quoted = false;
    for (int32_t index = 0; index < pattern.length(); ++index) {
        const char16_t character = pattern.charAt(index);
        if (character == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || std::find(letters.begin(), letters.end(), character) == letters.end())
            continue;
        int32_t end = index;
        while (end < pattern.length() && pattern.charAt(end) == character)
            ++end;
        return {index, end};
    }
    return {};
}

// The weekday and the day of the month in the order the locale's own dates give them. ICU's best
// pattern for "EEEEd" in US English is "d EEEE" ("4 Tuesday"), which no US date reads like
// ("Tuesday, March 4"); where the pattern's order disagrees with the locale's pattern for a
// weekday with month and day, the two fields change places and the text between them stays.
icu::UnicodeString weekdayDayPattern(icu::DateTimePatternGenerator& generator, UErrorCode& status) {
    icu::UnicodeString pattern = generator.getBestPattern(u"EEEEd", status);
    const icu::UnicodeString dated = generator.getBestPattern(u"MMMMEEEEd", status);
    if (U_FAILURE(status))
        return pattern;
    const FieldRun weekday = fieldRun(pattern, {u'E', u'c'});
    const FieldRun day = fieldRun(pattern, {u'd'});
    const FieldRun datedWeekday = fieldRun(dated, {u'E', u'c'});
    const FieldRun datedDay = fieldRun(dated, {u'd'});
    if (weekday.begin < 0 || day.begin < 0 || datedWeekday.begin < 0 || datedDay.begin < 0 ||
        (weekday.begin < day.begin) == (datedWeekday.begin < datedDay.begin))
        return pattern;
    const FieldRun& first = weekday.begin < day.begin ? weekday : day;
    const FieldRun& second = weekday.begin < day.begin ? day : weekday;
    icu::UnicodeString swapped(pattern, 0, first.begin);
    swapped.append(pattern, second.begin, second.end - second.begin);
    swapped.append(pattern, first.end, second.begin - first.end);
    swapped.append(pattern, first.begin, first.end - first.begin);
    swapped.append(pattern, second.end, pattern.length() - second.end);
    return swapped;
}

// The formatters of one calendar, built lazily and kept. ICU formatters must not be used by two
// threads at once, so every thread has its own set (see formattersFor).
class CalendarFormatters {
public:
    explicit CalendarFormatters(const Calendar& calendar)
        : m_calendar(calendar)
        , m_locale(icubridge::localeFromName(calendar.localeName())) {
        // The locale's patterns for the Gregorian calendar, which is the one Calendar computes in.
        UErrorCode status = U_ZERO_ERROR;
        m_locale.setKeywordValue("calendar", "gregorian", status);
    }

    const Calendar& calendar() const { return m_calendar; }

    QString format(Instant instant, Style style) {
        StyleSlot& slot = m_slots[std::size_t(style)];
        if (const auto found = slot.memo.constFind(instant.msecsSinceEpoch());
            found != slot.memo.cend())
            return *found;
        const QString text = formatUnremembered(instant, style);
        if (text.isEmpty())
            return text;
        // Bounded so that a long-lived formatter cannot grow without end; a journal's sessions fit.
        if (slot.memo.size() >= memoCapacity)
            slot.memo.clear();
        slot.memo.insert(instant.msecsSinceEpoch(), text);
        return text;
    }

    QString formatUnremembered(Instant instant, Style style) {
        StyleSlot& slot = m_slots[std::size_t(style)];
        if (!slot.formatter)
            slot.formatter = makeFormatter(style);
        if (!slot.formatter)
            return {};
        return formatted(*slot.formatter, instant);
    }

    QString formatSkeleton(Instant instant, QStringView skeleton) {
        const QString key = skeleton.toString();
        auto found = m_skeletonFormatters.find(key);
        if (found == m_skeletonFormatters.end())
            found =
                m_skeletonFormatters.emplace(key, makeSkeletonFormatter(icubridge::aliasOf(key)))
                    .first;
        return found->second ? formatted(*found->second, instant) : QString();
    }

private:
    static constexpr qsizetype memoCapacity = 1 << 16;

    // Callers usually format one instant in several styles in a row (the journal search writes
    // two per session): the calendar fields are computed once for all of them.
    QString formatted(const icu::DateFormat& formatter, Instant instant) {
        if (!m_fields) {
            m_fields.reset(CalendarAccess::prototype(m_calendar).clone());
            m_fieldsInstant.reset();
        }
        if (m_fieldsInstant != instant) {
            UErrorCode status = U_ZERO_ERROR;
            m_fields->setTime(instant.toUDate(), status);
            m_fieldsInstant = instant;
        }
        icu::UnicodeString text;
        icu::FieldPosition unused;
        formatter.format(*m_fields, text, unused);
        return icubridge::toQString(text);
    }

    struct StyleSlot {
        std::unique_ptr<icu::DateFormat> formatter;
        QHash<qint64, QString> memo;
    };

    std::unique_ptr<icu::DateFormat> adopted(icu::DateFormat* formatter) const {
        std::unique_ptr<icu::DateFormat> owned(formatter);
        if (owned)
            owned->setCalendar(CalendarAccess::prototype(m_calendar));
        return owned;
    }

    std::unique_ptr<icu::DateFormat> makeFormatter(Style style) {
        switch (style) {
        case Style::completeDate:
            return adopted(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, m_locale));
        case Style::abbreviatedDate:
            return adopted(icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, m_locale));
        case Style::shortTime:
            return adopted(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, m_locale));
        case Style::completeDateShortTime:
            // ICU joins the complete date and the short time with the locale's own connective
            // ("Tuesday, March 4, 2025 at 3:15 PM", "Dienstag, 4. März 2025 um 15:15").
            return adopted(icu::DateFormat::createDateTimeInstance(
                icu::DateFormat::kFull, icu::DateFormat::kShort, m_locale));
        case Style::wideWeekdayDay:
            if (icu::DateTimePatternGenerator* generator = patternGenerator()) {
                UErrorCode status = U_ZERO_ERROR;
                const icu::UnicodeString pattern = weekdayDayPattern(*generator, status);
                return U_SUCCESS(status) ? makePatternFormatter(pattern) : nullptr;
            }
            return nullptr;
        case Style::wideMonth:
        case Style::wideMonthYear:
        case Style::wideWeekday:
            return makeSkeletonFormatter(icu::UnicodeString(skeletonOf(style)));
        }
        return nullptr;
    }

    icu::DateTimePatternGenerator* patternGenerator() {
        if (!m_patternGenerator) {
            UErrorCode status = U_ZERO_ERROR;
            m_patternGenerator.reset(
                icu::DateTimePatternGenerator::createInstance(m_locale, status));
            if (U_FAILURE(status))
                m_patternGenerator.reset();
        }
        return m_patternGenerator.get();
    }

    std::unique_ptr<icu::DateFormat> makeSkeletonFormatter(const icu::UnicodeString& skeleton) {
        icu::DateTimePatternGenerator* generator = patternGenerator();
        if (!generator)
            return nullptr;
        UErrorCode status = U_ZERO_ERROR;
        const icu::UnicodeString pattern = generator->getBestPattern(skeleton, status);
        if (U_FAILURE(status))
            return nullptr;
        return makePatternFormatter(pattern);
    }

    std::unique_ptr<icu::DateFormat> makePatternFormatter(const icu::UnicodeString& pattern) {
        UErrorCode status = U_ZERO_ERROR;
        auto formatter = std::make_unique<icu::SimpleDateFormat>(pattern, m_locale, status);
        if (U_FAILURE(status))
            return nullptr;
        return adopted(formatter.release());
    }

    Calendar m_calendar;
    icu::Locale m_locale;
    std::unique_ptr<icu::Calendar> m_fields;
    std::optional<Instant> m_fieldsInstant;
    std::array<StyleSlot, styleCount> m_slots;
    std::unique_ptr<icu::DateTimePatternGenerator> m_patternGenerator;
    std::unordered_map<QString, std::unique_ptr<icu::DateFormat>> m_skeletonFormatters;
};

CalendarFormatters& formattersFor(const Calendar& calendar) {
    // A few calendars per thread (the user's, its ISO-week twin, one a test or import pins),
    // most recently used first.
    constexpr std::size_t capacity = 4;
    thread_local std::vector<std::unique_ptr<CalendarFormatters>> cache;

    const auto matches = [&calendar](const std::unique_ptr<CalendarFormatters>& entry) {
        return entry->calendar().isSameObject(calendar);
    };
    auto found = std::find_if(cache.begin(), cache.end(), matches);
    if (found == cache.end())
        found = std::find_if(cache.begin(), cache.end(), [&calendar](const auto& entry) {
            return entry->calendar() == calendar;
        });
    if (found == cache.end()) {
        if (cache.size() >= capacity)
            cache.pop_back();
        cache.insert(cache.begin(), std::make_unique<CalendarFormatters>(calendar));
        return *cache.front();
    }
    std::rotate(cache.begin(), found, found + 1);
    return *cache.front();
}

} // namespace

QString DateFormatting::format(Instant instant, Style style, const Calendar& calendar) {
    return formattersFor(calendar).format(instant, style);
}

QString DateFormatting::formatUnremembered(Instant instant, Style style, const Calendar& calendar) {
    return formattersFor(calendar).formatUnremembered(instant, style);
}

QString DateFormatting::formatSkeleton(Instant instant, QStringView skeleton,
                                       const Calendar& calendar) {
    return formattersFor(calendar).formatSkeleton(instant, skeleton);
}

} // namespace brevanta
