// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticePreferences.h"
#include "core/editing/PracticeSessionDraft.h"
#include "core/model/BrevantaError.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"

namespace brevanta {

class JournalStore;

/// Writes a session draft to the journal in one save: a new logged session, or the edits of a
/// stored one. Every failure rolls the store back, so nothing of a failed save stays in it, and
/// is thrown on as the error whose description the form shows; the draft is never changed.
class PracticeSessionDraftSaver {
public:
    class SaveError : public BrevantaError {
    public:
        /// The session being edited was deleted meanwhile, for instance from another window.
        enum Case { sessionDeleted };

        explicit SaveError(Case errorCase)
            : m_case(errorCase) {}
        Case errorCase() const { return m_case; }
        QString description() const override;

    private:
        Case m_case;
    };

    PracticeSessionDraftSaver(JournalStore& store, Calendar calendar, Clock clock,
                              PracticePreferences& preferences);

    /// Logs `draft` as a new manual session. Blank rows are left out; the group of the last
    /// remaining row is remembered. Returns the saved session.
    PracticeSessionPtr saveLogged(const PracticeSessionDraft& draft) const;

    /// Rewrites `session` from `draft`, as the edit form saves: entries that were stored with a
    /// blank title stay, new blank rows are left out, entries no longer listed are deleted and
    /// the kept ones are stored anew under their ids. The group of the last row is remembered.
    /// A session deleted meanwhile is refused with SaveError rather than silently not saved.
    void saveEdited(const PracticeSessionPtr& session, const PracticeSessionDraft& draft) const;

    /// Rewrites `session` from `draft` as the session page saves in place: every row is kept,
    /// blank ones with an empty title, and the remembered group is left alone.
    void saveEditedInPlace(const PracticeSessionPtr& session,
                           const PracticeSessionDraft& draft) const;

    /// Inserts a new session and saves; on failure rolls back and throws the store's error.
    /// The save the finishing sheet hands to the practice controller.
    static void insertAndSave(JournalStore& store, const PracticeSessionPtr& session);

private:
    void rewrite(const PracticeSessionPtr& session, const PracticeSessionDraft& draft) const;
    void rememberLastCategory(const PracticeSessionDraft& savedDraft) const;

    JournalStore& m_store;
    Calendar m_calendar;
    Clock m_clock;
    PracticePreferences& m_preferences;
};

} // namespace brevanta
