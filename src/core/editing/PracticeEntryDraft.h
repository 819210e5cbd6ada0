// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"
#include "core/model/PracticeEntry.h"
#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// An editable copy of one journal entry, as the log and edit forms, the session page and the
/// finishing sheet hold it: every field exactly as typed. Equal when all fields are equal.
struct PracticeEntryDraft {
    QUuid id;
    QString title;
    PracticeCategory category = PracticeCategory::lookBack;
    /// Optional minutes; empty means the entry is not timed.
    QString durationMinutesText;
    /// Optional note; empty means none.
    QString notes;
    /// An order hint only: resolvedEntries() numbers each practice group afresh.
    std::int64_t sortOrder = 0;

    PracticeEntryDraft(QUuid id, QString title, PracticeCategory category,
                       QString durationMinutesText, QString notes, std::int64_t sortOrder);
    /// The draft of a stored entry. A timed entry shows its minutes in the shortest decimal text
    /// that reads back to the same value: 90 s → "1.5", 63 s → "1.05", 120 s → "2".
    explicit PracticeEntryDraft(const PracticeEntry& entry);
    /// A new, empty row of `category` with a fresh id.
    static PracticeEntryDraft blank(PracticeCategory category, std::int64_t sortOrder);

    QString trimmedTitle() const;

    /// The entry's seconds, or nothing when the minutes text is blank.
    ///
    /// The text, trimmed, is read as a decimal number with a point, whatever the locale: a sign,
    /// an exponent and the spellings "inf" and "nan" are read too, and then refused as below.
    /// Throws PracticeEntry::ValidationError (durationCannotBeNegative) for text that is not such
    /// a number, is negative or not finite, and PracticeSession::ValidationError
    /// (durationOutOfRange) when the seconds reach 2^63. Halves of a second round away from zero.
    std::optional<std::int64_t> resolvedDurationSeconds() const;

    /// A new entry record carrying this draft's id and sortOrder, made at `now`, in no session.
    /// Throws like resolvedDurationSeconds().
    PracticeEntryPtr resolvedEntry(Instant now) const;

    /// New records for `drafts` in list order, each practice group numbered 0, 1, 2 … in the
    /// order its drafts appear. The first failure is thrown and no record is returned.
    static std::vector<PracticeEntryPtr>
    resolvedEntries(const std::vector<PracticeEntryDraft>& drafts, Instant now);

    bool operator==(const PracticeEntryDraft& other) const = default;
};

} // namespace brevanta
