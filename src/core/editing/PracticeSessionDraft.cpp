// SPDX-License-Identifier: MIT
#include "core/editing/PracticeSessionDraft.h"

#include <algorithm>

namespace brevanta {

PracticeSessionDraft::PracticeSessionDraft(Instant now)
    : date(now)
    , startTime(now)
    , duration(QStringLiteral("30"))
    , entries{PracticeEntryDraft::blank(PracticeCategory::lookBack, 0)} {}

PracticeSessionDraft::PracticeSessionDraft(const PracticeSession& session)
    : date(session.startedAt())
    , hasExplicitStartTime(true)
    , startTime(session.startedAt())
    , duration(DurationInput::fromDurationSeconds(session.durationSeconds()))
    , notes(session.notes().value_or(QString()))
    , preservedDurationSeconds(session.durationSeconds())
    , originalDurationText(duration.minutesText()) {
    for (const PracticeEntryPtr& entry : session.entries())
        entries.emplace_back(*entry);
}

std::optional<Instant> PracticeSessionDraft::resolvedStartedAt(const Calendar& calendar) const {
    const DateComponents day = calendar.components(date);
    DateComponents start{day.year, day.month, day.day, 12, 0, 0};
    if (hasExplicitStartTime) {
        const DateComponents time = calendar.components(startTime);
        start.hour = time.hour;
        start.minute = time.minute;
        start.second = time.second;
    }
    return calendar.makeInstant(start);
}

Instant PracticeSessionDraft::requiredStartedAt(const Calendar& calendar) const {
    if (const std::optional<Instant> startedAt = resolvedStartedAt(calendar))
        return *startedAt;
    throw PracticeSession::ValidationError(PracticeSession::ValidationError::durationOutOfRange);
}

std::int64_t PracticeSessionDraft::resolvedDurationSeconds() const {
    // Exactly the text that was shown, untrimmed: "2 " is the user's own 2 minutes.
    if (originalDurationText && preservedDurationSeconds &&
        *originalDurationText == duration.minutesText())
        return *preservedDurationSeconds;
    return duration.durationSeconds();
}

PracticeSessionDraft
PracticeSessionDraft::omittingBlankUserEntries(const QSet<QUuid>& preserving) const {
    PracticeSessionDraft copy = *this;
    std::erase_if(copy.entries, [&preserving](const PracticeEntryDraft& entry) {
        return entry.trimmedTitle().isEmpty() && !preserving.contains(entry.id);
    });
    return copy;
}

PracticeSessionPtr PracticeSessionDraft::makeSession(PracticeSessionSource source,
                                                     const Calendar& calendar, Instant now) const {
    const Instant startedAt = requiredStartedAt(calendar);
    const std::int64_t durationSeconds = resolvedDurationSeconds();
    std::vector<PracticeEntryPtr> resolved = PracticeEntryDraft::resolvedEntries(entries, now);
    return PracticeSession::create(QUuid::createUuid(), startedAt, durationSeconds, source, notes,
                                   std::move(resolved), now);
}

} // namespace brevanta
