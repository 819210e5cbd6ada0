// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace brevanta {

/// The journal's SQLite file (or in-memory database) behind one connection that lives as long
/// as this object: an in-memory database exists only inside its connection.
///
/// Opening validates an existing file through a read-only connection before anything can write
/// to it, so a file that is not a journal, is damaged or comes from a newer schema is left
/// exactly as it was, without side files beside it.
class JournalDatabase {
public:
    enum class OpenFailure { notAJournal, newerSchemaVersion, unreadable, notWritable };

    /// Thrown by the opening functions; the store turns it into its own error.
    struct OpenFailed {
        OpenFailure failure;
        QString detail;
    };

    /// The first keys past every row of each table: records made from now on get keys from
    /// here, and rows below them are the ones there were when the journal opened.
    struct NextKeys {
        std::int64_t session = 1;
        std::int64_t entry = 1;
    };

    struct Loaded {
        /// Newest first, as the store lists them.
        std::vector<PracticeSessionPtr> sessions;
    };

    /// Everything one save writes, in one transaction.
    struct Changes {
        std::vector<std::int64_t> deletedEntryKeys;
        std::vector<std::int64_t> deletedSessionKeys;
        std::vector<const PracticeSession*> writtenSessions;
        struct WrittenEntry {
            const PracticeEntry* entry;
            /// The owning session's key, or none when the entry belongs to no stored session.
            std::optional<std::int64_t> sessionKey;
            std::int64_t position;
        };
        std::vector<WrittenEntry> writtenEntries;
    };

    /// Throws OpenFailed.
    static std::unique_ptr<JournalDatabase> openInMemory(const QString& storeName);
    /// Opens the journal file, creating it (owner-only) when it does not exist or is empty, and
    /// proves that it can be written. A transaction a stopped process left half done in our own
    /// file is rolled back first. Throws OpenFailed.
    static std::unique_ptr<JournalDatabase> openFile(const QString& filePath,
                                                     const QString& storeName);

    ~JournalDatabase();
    JournalDatabase(const JournalDatabase&) = delete;
    JournalDatabase& operator=(const JournalDatabase&) = delete;

    /// Throws OpenFailed (unreadable).
    NextKeys nextKeys() const;

    /// Reads every session below `below` with its entries through a read-only connection of
    /// its own, on the calling thread; records come back tracked through `link`, for the store
    /// to take over on its own thread. A journal in memory has no rows to read (it starts empty
    /// in its only connection). `cancelled` is asked now and then; a cancelled read returns
    /// what it has. Throws OpenFailed (unreadable).
    Loaded readRows(const PracticeRecordObserverLink::Ref& link, NextKeys below,
                    const std::function<bool()>& cancelled) const;

    /// Writes the changes in one transaction: all of them, or on failure none. Returns the
    /// database's description of a failure, or nothing on success.
    std::optional<QString> write(const Changes& changes);

    /// Writes a consistent copy of what is stored into a new file at `filePath` with SQLite's own
    /// online copy (VACUUM INTO), while this connection stays open. Returns the database's
    /// description of a failure, or nothing on success.
    std::optional<QString> copyInto(const QString& filePath);

private:
    JournalDatabase(const QString& connectionName, const QString& filePath);

    void createSchema(const QString& storeName);
    void execute(const QString& statement);
    void proveWritable(const QString& filePath);
    void prepareStatements();
    QSqlQuery makeQuery() const;

    QString m_connectionName;
    /// Empty for a journal in memory.
    QString m_filePath;
    std::optional<QSqlQuery> m_upsertSession;
    std::optional<QSqlQuery> m_upsertEntry;
    std::optional<QSqlQuery> m_deleteSession;
    std::optional<QSqlQuery> m_deleteEntry;
};

} // namespace brevanta
