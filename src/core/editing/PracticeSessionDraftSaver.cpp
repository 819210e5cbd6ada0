// SPDX-License-Identifier: MIT
#include "core/editing/PracticeSessionDraftSaver.h"

#include "core/store/JournalStore.h"
#include "core/time/TextServices.h"

#include <utility>

namespace brevanta {

namespace {

// Runs one change of the journal through to its save; any failure on the way undoes everything
// the change did to the store before it is thrown on.
template <typename Change> void savingOrRollingBack(JournalStore& store, Change&& change) {
    try {
        std::forward<Change>(change)();
        store.save();
    } catch (...) {
        store.rollback();
        throw;
    }
}

} // namespace

QString PracticeSessionDraftSaver::SaveError::description() const {
    switch (m_case) {
    case sessionDeleted:
        return QStringLiteral(
            "This practice session was deleted, so these changes can’t be saved.");
    }
    Q_UNREACHABLE();
    return {};
}

PracticeSessionDraftSaver::PracticeSessionDraftSaver(JournalStore& store, Calendar calendar,
                                                     Clock clock, PracticePreferences& preferences)
    : m_store(store)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock))
    , m_preferences(preferences) {}

PracticeSessionPtr PracticeSessionDraftSaver::saveLogged(const PracticeSessionDraft& draft) const {
    const PracticeSessionDraft kept = draft.omittingBlankUserEntries({});
    PracticeSessionPtr session;
    savingOrRollingBack(m_store, [&] {
        session = kept.makeSession(PracticeSessionSource::manual, m_calendar, m_clock.now());
        m_store.insert(session);
    });
    rememberLastCategory(kept);
    return session;
}

void PracticeSessionDraftSaver::saveEdited(const PracticeSessionPtr& session,
                                           const PracticeSessionDraft& draft) const {
    // A blank entry the journal already holds is the user's own; only new blank rows go.
    QSet<QUuid> storedBlankIds;
    for (const PracticeEntryPtr& entry : session->storedEntries()) {
        if (TextServices::trimmed(entry->title()).isEmpty())
            storedBlankIds.insert(entry->id());
    }
    const PracticeSessionDraft kept = draft.omittingBlankUserEntries(storedBlankIds);
    rewrite(session, kept);
    rememberLastCategory(kept);
}

void PracticeSessionDraftSaver::saveEditedInPlace(const PracticeSessionPtr& session,
                                                  const PracticeSessionDraft& draft) const {
    rewrite(session, draft);
}

void PracticeSessionDraftSaver::insertAndSave(JournalStore& store,
                                              const PracticeSessionPtr& session) {
    savingOrRollingBack(store, [&] { store.insert(session); });
}

void PracticeSessionDraftSaver::rewrite(const PracticeSessionPtr& session,
                                        const PracticeSessionDraft& draft) const {
    // Edits of a deleted record would reach no file, yet the save would report success.
    if (session->isDeleted())
        throw SaveError(SaveError::sessionDeleted);
    savingOrRollingBack(m_store, [&] {
        const Instant now = m_clock.now();
        const Instant startedAt = draft.requiredStartedAt(m_calendar);
        const std::vector<PracticeEntryPtr> oldEntries = session->storedEntries();
        const std::int64_t durationSeconds = draft.resolvedDurationSeconds();
        std::vector<PracticeEntryPtr> newEntries =
            PracticeEntryDraft::resolvedEntries(draft.entries, now);
        session->applyEdits(startedAt, durationSeconds, draft.notes, std::move(newEntries), now);
        // Kept entries were made anew above under their old ids; the old records all go.
        for (const PracticeEntryPtr& entry : oldEntries)
            m_store.remove(entry);
    });
}

void PracticeSessionDraftSaver::rememberLastCategory(const PracticeSessionDraft& savedDraft) const {
    if (!savedDraft.entries.empty())
        m_preferences.setLastPracticeCategory(savedDraft.entries.back().category);
}

} // namespace brevanta
