// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <cstdint>
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

    struct Loaded {
        /// Newest first, as the store lists them.
        std::vector<PracticeSessionPtr> sessions;
        std::int64_t nextSessionKey = 1;
        std::int64_t nextEntryKey = 1;
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

    /// Reads every session with its entries; records come back tracked through `link`.
    /// Throws OpenFailed (unreadable).
    Loaded load(const std::shared_ptr<PracticeRecordObserverLink>& link);

    /// Writes the changes in one transaction: all of them, or on failure none. Returns the
    /// database's description of a failure, or nothing on success.
    std::optional<QString> write(const Changes& changes);

    /// Writes a consistent copy of what is stored into a new file at `filePath` with SQLite's own
    /// online copy (VACUUM INTO), while this connection stays open. Returns the database's
    /// description of a failure, or nothing on success.
    std::optional<QString> copyInto(const QString& filePath);

private:
    explicit JournalDatabase(const QString& connectionName);

    void createSchema(const QString& storeName);
    void execute(const QString& statement);
    void proveWritable(const QString& filePath);
    void prepareStatements();
    QSqlQuery makeQuery() const;

    QString m_connectionName;
    std::optional<QSqlQuery> m_upsertSession;
    std::optional<QSqlQuery> m_upsertEntry;
    std::optional<QSqlQuery> m_deleteSession;
    std::optional<QSqlQuery> m_deleteEntry;
};

} // namespace brevanta
