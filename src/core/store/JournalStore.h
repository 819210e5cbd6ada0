// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeRecordObserver.h"
#include "core/model/PracticeSession.h"
#include "core/store/SortedSessionList.h"
#include "core/store/StoreConfiguration.h"
#include "core/store/StoreError.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace brevanta {

class JournalDatabase;

/// The journal: every practice session and entry, and the one editing context through which the
/// whole application reads and changes them.
///
/// Changes are made on the records in memory (insert, remove, field writes) and written by
/// save() in one transaction; rollback() undoes every unsaved change. sessions() is the live
/// list of all sessions, newest first, and follows saved and unsaved changes alike;
/// sessionsChanged() tells listeners after each change. Main thread only.
class JournalStore final : public QObject, private PracticeRecordObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JournalStore)

public:
    class OpenError : public StoreError {
    public:
        enum Case {
            alreadyOpen,
            locationUnavailable,
            notAJournal,
            newerSchemaVersion,
            unreadable,
            notWritable,
        };

        OpenError(Case errorCase, QString description)
            : StoreError(std::move(description))
            , m_case(errorCase) {}
        Case errorCase() const { return m_case; }

    private:
        Case m_case;
    };

    /// A save the database refused; the description is the database's own.
    class SaveError : public StoreError {
    public:
        using StoreError::StoreError;
    };

    /// Holds back sessionsChanged() until the outermost batch ends, then emits it once if
    /// anything changed: for bulk work such as importing thousands of days.
    class ChangeBatch {
    public:
        explicit ChangeBatch(JournalStore& store);
        ~ChangeBatch();
        ChangeBatch(const ChangeBatch&) = delete;
        ChangeBatch& operator=(const ChangeBatch&) = delete;

    private:
        JournalStore& m_store;
    };

    /// The version of the schema this build reads and writes; recorded in the journal file.
    static constexpr auto schemaVersion = "1.0.0";

    /// Opens the store and loads every session. Throws OpenError; a file that is not a journal,
    /// is damaged or was written by a newer version is left untouched, and a journal this user
    /// cannot write is refused rather than opened read-only.
    static std::unique_ptr<JournalStore> open(const StoreConfiguration& configuration);
    ~JournalStore() override;

    const StoreConfiguration& configuration() const { return m_configuration; }

    /// All live sessions, newest first by startedAt. The list follows the store: copy it before
    /// changing the store while walking it.
    const std::vector<PracticeSessionPtr>& sessions() const { return m_sessions.sessions(); }

    // The handles are taken by value: callers often pass an element of sessions() or of a
    // session's entries, lists that these calls change.

    /// Adds a session and its entries. Re-inserting a deleted, unsaved session brings it back.
    /// Throws std::invalid_argument for a record of another store.
    void insert(PracticeSessionPtr session);
    /// Deletes a session and its entries with it.
    void remove(PracticeSessionPtr session);
    /// Deletes one entry; its session keeps the others.
    void remove(PracticeEntryPtr entry);

    bool hasChanges() const;
    /// Writes every unsaved change in one transaction. Throws SaveError; the file is then as it
    /// was and the changes are still unsaved, for the caller to roll back.
    void save();
    /// Undoes every unsaved change: inserted records leave, deleted ones return, edited ones
    /// read their stored values again.
    void rollback();

    /// Copies what is stored (unsaved changes left out) into a new file at `filePath`, a journal
    /// this store can open. Throws StoreError with the database's description.
    void copyInto(const QString& filePath) const;

Q_SIGNALS:
    void sessionsChanged();

private:
    struct UnsavedChanges;

    JournalStore(StoreConfiguration configuration, std::unique_ptr<QLockFile> lock,
                 std::unique_ptr<JournalDatabase> database);

    void sessionWillChange(PracticeSession& session, SessionField field) override;
    void sessionDidChange(PracticeSession& session, SessionField field) override;
    void entryWillChange(PracticeEntry& entry, EntryField field) override;
    void entryDidChange(PracticeEntry& entry, EntryField field) override;
    void beginChangeGroup() override;
    void endChangeGroup() override;

    bool tracks(const PracticeSession& session) const;
    bool tracks(const PracticeEntry& entry) const;
    void adopt(const PracticeEntryPtr& entry);
    void noteChange();

    StoreConfiguration m_configuration;
    // Declared first so that it is released last, after the database has closed.
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<JournalDatabase> m_database;
    std::shared_ptr<PracticeRecordObserverLink> m_link;
    SortedSessionList m_sessions;
    std::unique_ptr<UnsavedChanges> m_unsaved;
    std::int64_t m_nextSessionKey = 1;
    std::int64_t m_nextEntryKey = 1;
    int m_changeGroupDepth = 0;
    bool m_changedInGroup = false;
};

} // namespace brevanta
