// SPDX-License-Identifier: MIT
#include "core/editing/PracticeEntryDraft.h"

#include "core/model/PracticeSession.h"
#include "core/time/TextServices.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace brevanta {

namespace {

constexpr double twoToThe63 = 9223372036854775808.0;

// Whether a well-formed decimal number that from_chars found out of range lies beyond ±1 (it
// overflowed) rather than near zero (it underflowed): the decimal place of its first non-zero
// digit, moved by its exponent, decides.
bool overflowsRatherThanUnderflows(std::string_view number) {
    if (number.starts_with('-'))
        number.remove_prefix(1);
    const std::size_t exponentAt = number.find_first_of("eE");
    std::int64_t exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view digits = number.substr(exponentAt + 1);
        const bool negative = digits.starts_with('-');
        if (digits.starts_with('-') || digits.starts_with('+'))
            digits.remove_prefix(1);
        // Saturates far beyond any double's range, so an exponent of any length stays exact
        // enough to tell the two cases apart.
        for (const char digit : digits)
            exponent = std::min<std::int64_t>(exponent * 10 + (digit - '0'), 1'000'000'000);
        if (negative)
            exponent = -exponent;
    }
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t point = mantissa.find('.');
    const std::string_view integerDigits = mantissa.substr(0, point);
    const std::string_view fractionDigits =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);

    std::int64_t place = 0;
    if (const std::size_t first = integerDigits.find_first_not_of('0');
        first != std::string_view::npos)
        place = std::int64_t(integerDigits.size() - 1 - first);
    else if (const std::size_t firstFraction = fractionDigits.find_first_not_of('0');
             firstFraction != std::string_view::npos)
        place = -1 - std::int64_t(firstFraction);
    else
        return false;
    return place + exponent >= 0;
}

// Reads the exact characters as a decimal number: no locale, no white space, no grouping. A
// leading "+" is allowed, as are exponents and the spellings of infinity and not-a-number;
// whether such a value makes sense is the caller's question. Nothing when the text is no number.
std::optional<double> decimalNumber(QStringView text) {
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (const QChar character : text) {
        if (character.unicode() > 0x7F)
            return std::nullopt;
        bytes.push_back(char(character.unicode()));
    }
    std::string_view number(bytes);
    // from_chars reads a minus sign only.
    if (number.starts_with('+')) {
        number.remove_prefix(1);
        if (number.starts_with('-'))
            return std::nullopt;
    }
    double value = 0;
    const char* const end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (stop != end || number.empty())
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        const double magnitude =
            overflowsRatherThanUnderflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
        return number.starts_with('-') ? -magnitude : magnitude;
    }
    if (error != std::errc())
        return std::nullopt;
    return value;
}

QString minutesText(std::int64_t seconds) {
    // Shortest text that reads back to the same double, always without an exponent.
    std::array<char, 64> buffer{};
    const double minutes = double(seconds) / 60.0;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), minutes,
                                      std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

} // namespace

PracticeEntryDraft::PracticeEntryDraft(QUuid id, QString title, PracticeCategory category,
                                       QString durationMinutesText, QString notes,
                                       std::int64_t sortOrder)
    : id(id)
    , title(std::move(title))
    , category(category)
    , durationMinutesText(std::move(durationMinutesText))
    , notes(std::move(notes))
    , sortOrder(sortOrder) {}

PracticeEntryDraft::PracticeEntryDraft(const PracticeEntry& entry)
    : id(entry.id())
    , title(entry.title())
    , category(entry.category())
    , durationMinutesText(entry.durationSeconds() ? minutesText(*entry.durationSeconds())
                                                  : QString())
    , notes(entry.notes().value_or(QString()))
    , sortOrder(entry.sortOrder()) {}

PracticeEntryDraft PracticeEntryDraft::blank(PracticeCategory category, std::int64_t sortOrder) {
    return PracticeEntryDraft(QUuid::createUuid(), QString(), category, QString(), QString(),
                              sortOrder);
}

QString PracticeEntryDraft::trimmedTitle() const {
    return TextServices::trimmed(title);
}

std::optional<std::int64_t> PracticeEntryDraft::resolvedDurationSeconds() const {
    const QString text = TextServices::trimmed(durationMinutesText);
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<double> minutes = decimalNumber(text);
    // -0 is not below zero, so minus zero reads as no time at all.
    if (!minutes || !std::isfinite(*minutes) || *minutes < 0)
        throw PracticeEntry::ValidationError(
            PracticeEntry::ValidationError::durationCannotBeNegative);
    const double seconds = *minutes * 60.0;
    if (seconds >= twoToThe63)
        throw PracticeSession::ValidationError(
            PracticeSession::ValidationError::durationOutOfRange);
    return static_cast<std::int64_t>(std::round(seconds));
}

PracticeEntryPtr PracticeEntryDraft::resolvedEntry(Instant now) const {
    // The journal file stores a null text as SQL NULL, which its title column refuses; an
    // untouched blank row has a null title, so it goes in as the empty text it means.
    const QString titleText = title.isNull() ? QStringLiteral("") : title;
    return PracticeEntry::create(id, titleText, category, resolvedDurationSeconds(), notes,
                                 sortOrder, nullptr, now);
}

std::vector<PracticeEntryPtr>
PracticeEntryDraft::resolvedEntries(const std::vector<PracticeEntryDraft>& drafts, Instant now) {
    std::array<std::int64_t, PracticeCategory::allCases().size()> countInGroup{};
    std::vector<PracticeEntryPtr> entries;
    entries.reserve(drafts.size());
    for (const PracticeEntryDraft& draft : drafts) {
        PracticeEntryDraft numbered = draft;
        numbered.sortOrder = countInGroup[std::size_t(draft.category.sortIndex())]++;
        entries.push_back(numbered.resolvedEntry(now));
    }
    return entries;
}

} // namespace brevanta
