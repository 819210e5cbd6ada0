// SPDX-License-Identifier: MIT
#include "core/editing/DurationInput.h"

#include "core/time/TextServices.h"

#include <cmath>
#include <limits>
#include <variant>

namespace brevanta {

namespace {

using Case = DurationInput::ValidationError::Case;

// Checks every character itself: QString::toLongLong would trim and QLocale would follow the
// user's locale, and neither may decide what counts as a number of minutes.
std::variant<std::int64_t, Case> minutesIn(QStringView text) {
    qsizetype index = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        index = 1;
    }
    if (index == text.size())
        return Case::wholeMinutesOnly;

    constexpr std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1;
    std::uint64_t magnitude = 0;
    for (; index < text.size(); ++index) {
        const char16_t character = text[index].unicode();
        if (character < u'0' || character > u'9')
            return Case::wholeMinutesOnly;
        const std::uint64_t digit = character - u'0';
        if (magnitude > (limit - digit) / 10)
            return Case::wholeMinutesOnly;
        magnitude = magnitude * 10 + digit;
    }
    if (!negative && magnitude == limit)
        return Case::wholeMinutesOnly;
    // Two's complement: the negation of 2^63 as unsigned is the int64 minimum.
    return negative ? static_cast<std::int64_t>(0 - magnitude)
                    : static_cast<std::int64_t>(magnitude);
}

std::variant<std::int64_t, Case> secondsIn(const QString& minutesText) {
    const QString trimmed = TextServices::trimmed(minutesText);
    if (trimmed.isEmpty())
        return Case::required;
    const auto minutes = minutesIn(trimmed);
    if (const Case* failure = std::get_if<Case>(&minutes))
        return *failure;
    const std::int64_t value = std::get<std::int64_t>(minutes);
    if (value < 1)
        return Case::mustBePositive;
    std::int64_t seconds = 0;
    if (__builtin_mul_overflow(value, std::int64_t{60}, &seconds))
        return Case::overflow;
    return seconds;
}

} // namespace

QString DurationInput::ValidationError::description() const {
    switch (m_case) {
    case required:
        return QStringLiteral("Enter a practice duration.");
    case wholeMinutesOnly:
        return QStringLiteral("Use a whole number of minutes.");
    case mustBePositive:
        return QStringLiteral("Duration must be greater than zero.");
    case overflow:
        return QStringLiteral("That duration is too large to save safely.");
    }
    Q_UNREACHABLE();
    return {};
}

DurationInput DurationInput::fromDurationSeconds(std::int64_t seconds) {
    const double minutes = std::ceil(double(seconds) / 60.0);
    // Every int64 divided by 60 fits again; at least one minute.
    const auto whole = minutes < 1.0 ? std::int64_t{1} : static_cast<std::int64_t>(minutes);
    return DurationInput(QString::number(whole));
}

std::int64_t DurationInput::durationSeconds() const {
    const auto result = secondsIn(m_minutesText);
    if (const Case* failure = std::get_if<Case>(&result))
        throw ValidationError(*failure);
    return std::get<std::int64_t>(result);
}

std::optional<DurationInput::ValidationError> DurationInput::validationError() const {
    const auto result = secondsIn(m_minutesText);
    if (const Case* failure = std::get_if<Case>(&result))
        return ValidationError(*failure);
    return std::nullopt;
}

std::optional<QString> DurationInput::validationMessage() const {
    if (const auto error = validationError())
        return error->description();
    return std::nullopt;
}

} // namespace brevanta
