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
class JournalLockAhead;

/// The journal: every practice session and entry, and the one editing context through which the
/// whole application reads and changes them.
///
/// Changes are made on the records in memory (insert, remove, field writes) and written by
/// save() in one transaction; rollback() undoes every unsaved change. sessions() is the live
/// list of all sessions, newest first, and follows saved and unsaved changes alike;
/// sessionsChanged() tells listeners after each change. Main thread only.
///
/// Opening checks the journal and takes its lock at once; the rows can then be read on a thread
/// of their own (RowLoading::inBackground) while the window comes up. Until they are in,
/// sessions() holds only what was inserted since, isLoaded() is false, and saving works: new
/// records take keys past every stored row, so the rows read never include them. The loaded
/// sessions join the list in one step, with one sessionsChanged(), then loaded().
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

    enum class RowLoading {
        /// open() returns with every row in memory.
        beforeReturning,
        /// open() returns once the journal is checked and locked; the rows follow.
        inBackground,
        /// As inBackground, but the rows are read only from loadInBackground() (or a wait) on:
        /// a caller with its own start-up work first keeps the reading out of its way.
        whenAsked,
    };

    /// The version of the schema this build reads and writes; recorded in the journal file.
    static constexpr auto schemaVersion = "1.0.0";

    /// Opens the store and loads every session, before returning or in the background. Throws
    /// OpenError; a file that is not a journal, is damaged or was written by a newer version is
    /// left untouched, and a journal this user cannot write is refused rather than opened
    /// read-only. The journal's lock comes from `lockAhead` when that was taken for this file.
    static std::unique_ptr<JournalStore> open(const StoreConfiguration& configuration,
                                              RowLoading loading = RowLoading::beforeReturning,
                                              JournalLockAhead* lockAhead = nullptr);
    /// Closes the journal: a row load still under way stops, the file is checkpointed and
    /// closed, and the lock goes.
    ~JournalStore() override;

    const StoreConfiguration& configuration() const { return m_configuration; }

    /// Whether every stored session is in sessions().
    bool isLoaded() const { return m_isLoaded; }
    /// Starts reading the rows on their own thread, when open() was told to wait for this; does
    /// nothing once they are read or being read.
    void loadInBackground();
    /// Takes the rows over now, waiting for their thread if it is still reading. Throws
    /// OpenError (unreadable) when they could not be read.
    void waitUntilLoaded();
    /// The reason the rows could not be read, once loadFailed() was sent.
    const std::optional<QString>& loadFailure() const { return m_loadFailure; }

    /// At the end of the process: the records are left to the system, which frees a process's
    /// memory at once, instead of being freed one by one. The journal still closes as usual.
    void leaveRecordsAtExit();
    /// A mark that changes whenever `session` or one of its entries is written, inserted or rolled
    /// back: texts derived from a session stay right while its revision stays the same. No two
    /// sessions of the store, nor two states of one, share a revision; 0 is none.
    std::uint32_t revisionOf(const PracticeSession& session) const;
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
    /// The rows read in the background are in sessions(); sessionsChanged() came just before.
    void loaded();
    /// The rows could not be read; the description says why. Nothing stored is in memory.
    void loadFailed(const QString& description);

private:
    struct UnsavedChanges;
    class RowLoader;

    JournalStore(StoreConfiguration configuration, std::unique_ptr<QLockFile> lock,
                 std::unique_ptr<JournalDatabase> database);

    void sessionWillChange(PracticeSession& session, SessionField field) override;
    void sessionDidChange(PracticeSession& session, SessionField field) override;
    void entryWillChange(PracticeEntry& entry, EntryField field) override;
    void entryDidChange(PracticeEntry& entry, EntryField field) override;
    void beginChangeGroup() override;
    void endChangeGroup() override;

    void prepareLoading();
    /// Takes over what the loader read; nothing when it has not finished.
    void finishLoading();

    bool tracks(const PracticeSession& session) const;
    bool tracks(const PracticeEntry& entry) const;
    void adopt(const PracticeEntryPtr& entry);
    void noteChange();
    void touch(PracticeSession* session);

    StoreConfiguration m_configuration;
    // Declared first so that it is released last, after the database has closed.
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<JournalDatabase> m_database;
    PracticeRecordObserverLink::Ref m_link;
    SortedSessionList m_sessions;
    std::unique_ptr<UnsavedChanges> m_unsaved;
    std::int64_t m_nextSessionKey = 1;
    std::int64_t m_nextEntryKey = 1;
    std::uint32_t m_revisionClock = 0;
    // The start of the session being written, while its startedAt changes.
    std::int64_t m_startedAtBeforeWrite = 0;
    int m_changeGroupDepth = 0;
    bool m_changedInGroup = false;
    bool m_isLoaded = false;
    bool m_leavesRecordsAtExit = false;
    std::optional<QString> m_loadFailure;
    // Declared last: it stops and joins its thread before anything it reads for goes.
    std::unique_ptr<RowLoader> m_loader;
};

} // namespace brevanta
