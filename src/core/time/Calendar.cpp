// SPDX-License-Identifier: MIT
#include "core/time/Calendar.h"

#include "core/time/CalendarIcu.h"
#include "core/time/IcuStrings.h"

#include <QLocale>
#include <QTimeZone>

#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace brevanta {

struct Calendar::Data {
    std::unique_ptr<const icu::Calendar> prototype;
    QString timeZoneId;
    QString localeName;
    WeekRules weekRules;
};

namespace {

// ICU computes within about ±5.8 million years of 1970; stay safely inside so that its silent
// clamping at the edges can never pass for a real result.
constexpr std::int64_t computableLimitMSecs = 180'000'000'000'000'000;

Instant clamped(Instant instant) {
    const std::int64_t msecs = instant.msecsSinceEpoch();
    if (msecs > computableLimitMSecs)
        return Instant::fromMSecsSinceEpoch(computableLimitMSecs);
    if (msecs < -computableLimitMSecs)
        return Instant::fromMSecsSinceEpoch(-computableLimitMSecs);
    return instant;
}

bool isComputable(Instant instant) {
    return clamped(instant) == instant;
}

std::optional<Instant> instantFromUDate(UDate date) {
    if (!std::isfinite(date) || date > double(computableLimitMSecs) ||
        date < -double(computableLimitMSecs))
        return std::nullopt;
    return Instant::fromMSecsSinceEpoch(static_cast<std::int64_t>(std::floor(date)));
}

std::optional<Instant> currentTime(const icu::Calendar& calendar) {
    UErrorCode status = U_ZERO_ERROR;
    const UDate date = calendar.getTime(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return instantFromUDate(date);
}

std::unique_ptr<icu::TimeZone> knownTimeZone(QStringView timeZoneId) {
    if (timeZoneId.isEmpty())
        return nullptr;
    std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone(icubridge::aliasOf(timeZoneId)));
    icu::UnicodeString resolved;
    zone->getID(resolved);
    if (resolved == icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID))
        return nullptr;
    return zone;
}

std::unique_ptr<icu::TimeZone> requiredTimeZone(QStringView timeZoneId) {
    auto zone = knownTimeZone(timeZoneId);
    if (!zone)
        throw std::invalid_argument("Unknown time zone: " + timeZoneId.toUtf8().toStdString());
    return zone;
}

void applyWeekRules(icu::Calendar& calendar, Calendar::WeekRules rules) {
    if (rules.firstWeekday < Calendar::sunday || rules.firstWeekday > Calendar::saturday ||
        rules.minimumDaysInFirstWeek < 1 || rules.minimumDaysInFirstWeek > 7)
        throw std::invalid_argument("Week rules out of range");
    calendar.setFirstDayOfWeek(static_cast<UCalendarDaysOfWeek>(rules.firstWeekday));
    calendar.setMinimalDaysInFirstWeek(static_cast<uint8_t>(rules.minimumDaysInFirstWeek));
}

Calendar::WeekRules weekRulesOf(const icu::Calendar& calendar) {
    UErrorCode status = U_ZERO_ERROR;
    const auto first = calendar.getFirstDayOfWeek(status);
    return {U_SUCCESS(status) ? static_cast<Calendar::Weekday>(first) : Calendar::sunday,
            int(calendar.getMinimalDaysInFirstWeek())};
}

void setToStartOfDay(icu::Calendar& calendar) {
    calendar.set(UCAL_HOUR_OF_DAY, 0);
    calendar.set(UCAL_MINUTE, 0);
    calendar.set(UCAL_SECOND, 0);
    calendar.set(UCAL_MILLISECOND, 0);
}

std::optional<std::int32_t> asAmount(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Every operation works on its own clone of the immutable prototype: a clone costs well under a
// microsecond, and it keeps Calendar values safe to share between threads.
class WorkingCalendar {
public:
    WorkingCalendar(const icu::Calendar& prototype, Instant instant)
        : m_calendar(prototype.clone()) {
        UErrorCode status = U_ZERO_ERROR;
        m_calendar->setTime(clamped(instant).toUDate(), status);
    }

    icu::Calendar* operator->() const { return m_calendar.get(); }
    icu::Calendar& operator*() const { return *m_calendar; }

    int get(UCalendarDateFields field) const {
        UErrorCode status = U_ZERO_ERROR;
        return m_calendar->get(field, status);
    }

    std::optional<Instant> adding(UCalendarDateFields field, std::int64_t amount) {
        const auto amount32 = asAmount(amount);
        if (!amount32)
            return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        m_calendar->add(field, *amount32, status);
        if (U_FAILURE(status))
            return std::nullopt;
        return currentTime(*m_calendar);
    }

    std::optional<Instant> startOfDay() {
        setToStartOfDay(*m_calendar);
        return currentTime(*m_calendar);
    }

private:
    std::unique_ptr<icu::Calendar> m_calendar;
};

} // namespace

Calendar::Calendar(std::shared_ptr<const Data> data)
    : m_data(std::move(data)) {}

Calendar::Calendar(QStringView timeZoneId, QStringView localeName,
                   std::optional<WeekRules> weekRules) {
    auto zone = requiredTimeZone(timeZoneId);
    const icu::Locale locale = icubridge::localeFromName(localeName);
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(zone.release(), locale, status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("Cannot create a calendar: ") + u_errorName(status));
    calendar->setLenient(true);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_LAST);
    if (weekRules)
        applyWeekRules(*calendar, *weekRules);

    icu::UnicodeString resolvedId;
    calendar->getTimeZone().getID(resolvedId);
    auto data = std::make_shared<Data>();
    data->timeZoneId = icubridge::toQString(resolvedId);
    data->localeName = QString::fromLatin1(locale.getName());
    data->weekRules = weekRulesOf(*calendar);
    data->prototype = std::move(calendar);
    m_data = std::move(data);
}

Calendar Calendar::current() {
    QString zoneId = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    if (!isKnownTimeZone(zoneId)) {
        std::unique_ptr<icu::TimeZone> host(icu::TimeZone::detectHostTimeZone());
        icu::UnicodeString hostId;
        host->getID(hostId);
        zoneId = icubridge::toQString(hostId);
        if (!isKnownTimeZone(zoneId))
            zoneId = QStringLiteral("Etc/UTC");
    }

    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return Calendar(zoneId, u"en_US_POSIX");

    Calendar calendar(zoneId, system.name());
    // Qt reports the user's own first-weekday setting where the platform has one.
    const auto firstWeekday = static_cast<Weekday>(int(system.firstDayOfWeek()) % 7 + 1);
    if (firstWeekday != calendar.firstWeekday())
        return calendar.withWeekRules({firstWeekday, calendar.minimumDaysInFirstWeek()});
    return calendar;
}

bool Calendar::isKnownTimeZone(QStringView timeZoneId) {
    return knownTimeZone(timeZoneId) != nullptr;
}

Calendar Calendar::withWeekRules(WeekRules rules) const {
    std::unique_ptr<icu::Calendar> calendar(m_data->prototype->clone());
    applyWeekRules(*calendar, rules);
    auto data =
        std::make_shared<Data>(Data{nullptr, m_data->timeZoneId, m_data->localeName, rules});
    data->prototype = std::move(calendar);
    return Calendar(std::move(data));
}

Calendar Calendar::withTimeZone(QStringView timeZoneId) const {
    auto zone = requiredTimeZone(timeZoneId);
    icu::UnicodeString resolvedId;
    zone->getID(resolvedId);
    std::unique_ptr<icu::Calendar> calendar(m_data->prototype->clone());
    calendar->adoptTimeZone(zone.release());
    auto data = std::make_shared<Data>(
        Data{nullptr, icubridge::toQString(resolvedId), m_data->localeName, m_data->weekRules});
    data->prototype = std::move(calendar);
    return Calendar(std::move(data));
}

QString Calendar::timeZoneId() const {
    return m_data->timeZoneId;
}

QString Calendar::localeName() const {
    return m_data->localeName;
}

Calendar::WeekRules Calendar::weekRules() const {
    return m_data->weekRules;
}

Instant Calendar::startOfDay(Instant instant) const {
    WorkingCalendar calendar(*m_data->prototype, instant);
    return calendar.startOfDay().value_or(clamped(instant));
}

bool Calendar::isSameDay(Instant first, Instant second) const {
    WorkingCalendar calendar(*m_data->prototype, first);
    const int firstDay = calendar.get(UCAL_JULIAN_DAY);
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(clamped(second).toUDate(), status);
    return calendar.get(UCAL_JULIAN_DAY) == firstDay;
}

std::optional<Calendar::Interval> Calendar::weekInterval(Instant instant) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    const int daysIntoWeek =
        (calendar.get(UCAL_DAY_OF_WEEK) - m_data->weekRules.firstWeekday + 7) % 7;
    if (!calendar.adding(UCAL_DATE, -daysIntoWeek))
        return std::nullopt;
    const auto start = calendar.startOfDay();
    if (!start || !calendar.adding(UCAL_DATE, 7))
        return std::nullopt;
    const auto end = calendar.startOfDay();
    if (!end)
        return std::nullopt;
    return Interval{*start, *end};
}

std::optional<Calendar::Interval> Calendar::monthInterval(Instant instant) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    calendar->set(UCAL_DATE, 1);
    const auto start = calendar.startOfDay();
    if (!start || !calendar.adding(UCAL_MONTH, 1))
        return std::nullopt;
    const auto end = calendar.startOfDay();
    if (!end)
        return std::nullopt;
    return Interval{*start, *end};
}

std::optional<Calendar::Interval> Calendar::yearInterval(Instant instant) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    calendar->set(UCAL_MONTH, UCAL_JANUARY);
    calendar->set(UCAL_DATE, 1);
    const auto start = calendar.startOfDay();
    if (!start || !calendar.adding(UCAL_YEAR, 1))
        return std::nullopt;
    const auto end = calendar.startOfDay();
    if (!end)
        return std::nullopt;
    return Interval{*start, *end};
}

std::optional<Instant> Calendar::addingDays(Instant instant, std::int64_t days) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    return calendar.adding(UCAL_DATE, days);
}

std::optional<Instant> Calendar::addingWeeks(Instant instant, std::int64_t weeks) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    return calendar.adding(UCAL_WEEK_OF_YEAR, weeks);
}

std::optional<Instant> Calendar::addingMonths(Instant instant, std::int64_t months) const {
    if (!isComputable(instant))
        return std::nullopt;
    WorkingCalendar calendar(*m_data->prototype, instant);
    return calendar.adding(UCAL_MONTH, months);
}

std::optional<std::int64_t> Calendar::daysBetween(Instant from, Instant to) const {
    if (!isComputable(from) || !isComputable(to))
        return std::nullopt;
    // The local Julian day numbers: whole calendar days, however long each one was.
    WorkingCalendar calendar(*m_data->prototype, from);
    const std::int64_t fromDay = calendar.get(UCAL_JULIAN_DAY);
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(to.toUDate(), status);
    if (U_FAILURE(status))
        return std::nullopt;
    return calendar.get(UCAL_JULIAN_DAY) - fromDay;
}

std::optional<Instant> Calendar::makeInstant(const DateComponents& components) const {
    // Beyond this the result would leave the computable range anyway.
    constexpr int yearLimit = 5'000'000;
    const auto& c = components;
    if (c.year < -yearLimit || c.year > yearLimit || c.month < 1 || c.month > 12 || c.day < 1 ||
        c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 || c.second > 59)
        return std::nullopt;

    std::unique_ptr<icu::Calendar> calendar(m_data->prototype->clone());
    calendar->clear();
    calendar->set(UCAL_EXTENDED_YEAR, c.year);
    calendar->set(UCAL_MONTH, c.month - 1);
    calendar->set(UCAL_DATE, 1);
    UErrorCode status = U_ZERO_ERROR;
    const int daysInMonth = calendar->getActualMaximum(UCAL_DATE, status);
    if (U_FAILURE(status) || c.day > daysInMonth)
        return std::nullopt;

    calendar->set(UCAL_DATE, c.day);
    calendar->set(UCAL_HOUR_OF_DAY, c.hour);
    calendar->set(UCAL_MINUTE, c.minute);
    calendar->set(UCAL_SECOND, c.second);
    calendar->set(UCAL_MILLISECOND, 0);
    return currentTime(*calendar);
}

DateComponents Calendar::components(Instant instant) const {
    WorkingCalendar calendar(*m_data->prototype, instant);
    return {calendar.get(UCAL_EXTENDED_YEAR), calendar.get(UCAL_MONTH) + 1,
            calendar.get(UCAL_DATE),          calendar.get(UCAL_HOUR_OF_DAY),
            calendar.get(UCAL_MINUTE),        calendar.get(UCAL_SECOND)};
}

Calendar::Weekday Calendar::weekday(Instant instant) const {
    WorkingCalendar calendar(*m_data->prototype, instant);
    return static_cast<Weekday>(calendar.get(UCAL_DAY_OF_WEEK));
}

bool Calendar::operator==(const Calendar& other) const {
    return isSameObject(other) || (m_data->timeZoneId == other.m_data->timeZoneId &&
                                   m_data->localeName == other.m_data->localeName &&
                                   m_data->weekRules == other.m_data->weekRules);
}

const icu::Calendar& CalendarAccess::prototype(const Calendar& calendar) {
    return *calendar.m_data->prototype;
}

} // namespace brevanta
