// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/DurationInput.h"
#include "core/editing/PracticeEntryDraft.h"
#include "core/model/PracticeCategory.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QSet>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// An editable copy of a session for the log and edit forms: every field as the user left it.
/// Nothing here touches the store; PracticeSessionDraftSaver writes a draft.
struct PracticeSessionDraft {
    /// Only its calendar day counts.
    Instant date;
    /// When false the session starts at noon of `date`.
    bool hasExplicitStartTime = false;
    /// Only its hour, minute and second count.
    Instant startTime;
    DurationInput duration;
    QString notes;
    std::vector<PracticeEntryDraft> entries;
    /// The stored duration of the session being edited and the minutes text it was shown as:
    /// while the text stays exactly that, the stored seconds are kept, even when they are not
    /// whole minutes or are zero.
    std::optional<std::int64_t> preservedDurationSeconds;
    std::optional<QString> originalDurationText;

    /// The blank draft for logging: today at noon, 30 minutes, one blank Look Back row.
    explicit PracticeSessionDraft(Instant now);
    /// The draft for editing `session`: its start as date and explicit time, its duration in
    /// whole minutes rounded up (at least 1), its notes and its entries in display order.
    explicit PracticeSessionDraft(const PracticeSession& session);

    /// The start instant: the calendar day of `date` at noon, or at the hour, minute and second
    /// of `startTime` when it is explicit. A wall time skipped by a clock change moves forward by
    /// the gap, a repeated one means its first occurrence. Nothing when the calendar cannot build
    /// that date.
    std::optional<Instant> resolvedStartedAt(const Calendar& calendar) const;

    /// The preserved seconds while the minutes text is exactly as it was shown, otherwise the
    /// typed minutes. Throws DurationInput::ValidationError.
    std::int64_t resolvedDurationSeconds() const;

    /// A copy without the rows whose title is blank, except those whose id is in `preserving`.
    PracticeSessionDraft omittingBlankUserEntries(const QSet<QUuid>& preserving) const;

    /// A new session with a fresh id from this draft, made at `now`. Throws the validation
    /// errors of the duration, the entries and the session; a start the calendar cannot build is
    /// reported as PracticeSession::ValidationError::durationOutOfRange.
    PracticeSessionPtr makeSession(PracticeSessionSource source, const Calendar& calendar,
                                   Instant now) const;

    /// resolvedStartedAt(), or PracticeSession::ValidationError::durationOutOfRange.
    Instant requiredStartedAt(const Calendar& calendar) const;

    bool operator==(const PracticeSessionDraft& other) const = default;
};

} // namespace brevanta
