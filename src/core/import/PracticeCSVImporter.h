// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeImportCandidate.h"
#include "core/import/PracticeImportConflict.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QHash>
#include <QSet>
#include <QUuid>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace brevanta {

class JournalStore;

/// What a commit did.
struct PracticeImportSummary {
    /// Days that went into the journal.
    std::int64_t importedCount = 0;
    std::int64_t importedSeconds = 0;
    /// Noon of each imported day, in import order.
    std::vector<Instant> dates;
    /// Likely duplicates the policy left out.
    std::int64_t duplicatesSkipped = 0;
    /// Passed through from the caller: the skipped rows of the files.
    std::int64_t rowsSkipped = 0;

    bool operator==(const PracticeImportSummary&) const = default;
};

/// Tells which import candidates collide with the journal, and commits the ones the user lets
/// through as imported sessions at noon of their day, in one save. Holds no state between calls;
/// main thread only, since it works on the journal store.
class PracticeCSVImporter {
public:
    /// How far apart two durations may be and still count as the same session.
    static constexpr std::int64_t defaultDurationTolerance = 60;

    /// Candidate id → its conflict; candidates without one have no key. Read with find() or
    /// contains(): a conflict has no default value.
    using Conflicts = QHash<QUuid, PracticeImportConflict>;
    /// Persists the store; throws when it cannot.
    using SaveAction = std::function<void()>;

    explicit PracticeCSVImporter(Calendar calendar)
        : m_calendar(std::move(calendar)) {}

    const Calendar& calendar() const { return m_calendar; }
    std::int64_t durationTolerance() const { return m_durationTolerance; }

    /// Each dated candidate against the sessions that start on its day in the importer's
    /// calendar: a likely duplicate when one of them, tried in the order given, lasts within the
    /// tolerance of the candidate and has the same entries (practice group and title, ignoring
    /// order, letter case, accents and spacing); otherwise a same-day conflict. Costs one pass
    /// over the candidates and one over the sessions.
    Conflicts conflicts(std::span<const PracticeImportCandidate> candidates,
                        const std::vector<PracticeSessionPtr>& existing) const;

    /// Imports the candidates that `policy` lets through, keeping their order: those without a
    /// conflict; likely duplicates under importAnyway, or when reviewed individually and listed in
    /// `individuallyApproved` (other likely duplicates are counted as skipped); same-day ones
    /// unless reviewed individually and not approved. Candidates without a year, and those whose
    /// day does not exist, are never imported.
    ///
    /// Everything is inserted into `store` and saved once, through `save` when given, else the
    /// store's own save. On any failure the store is rolled back, so nothing of the import
    /// remains, and the error is thrown on unchanged.
    PracticeImportSummary
    commit(std::span<const PracticeImportCandidate> candidates, PracticeImportConflictPolicy policy,
           const QSet<QUuid>& individuallyApproved, const std::vector<PracticeSessionPtr>& existing,
           std::int64_t rowsSkipped, JournalStore& store, const SaveAction& save = {}) const;

private:
    Calendar m_calendar;
    std::int64_t m_durationTolerance = defaultDurationTolerance;
};

} // namespace brevanta
