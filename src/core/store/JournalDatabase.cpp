// SPDX-License-Identifier: MIT
#include "core/store/JournalDatabase.h"

#include "core/store/JournalStore.h"
#include "core/store/PracticeRecordAccess.h"
#include "core/store/SqliteStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <tuple>

namespace brevanta {

namespace {

// "Brvt": marks the file as a journal before any table is read.
constexpr std::int64_t journalApplicationId = 0x42727674;
constexpr int journalUserVersion = 1;
constexpr int sqliteNotADatabase = 26;

QString newConnectionName() {
    static std::atomic<quint64> lastNumber{0};
    return QStringLiteral("brevanta-journal-%1").arg(++lastNumber);
}

QString describe(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return text;
}

[[noreturn]] void fail(JournalDatabase::OpenFailure failure, const QString& detail) {
    throw JournalDatabase::OpenFailed{failure, detail};
}

// Unreadable, unless SQLite says the bytes are no database at all.
[[noreturn]] void failReading(const QSqlError& error) {
    const int primaryCode = error.nativeErrorCode().toInt() & 0xff;
    fail(primaryCode == sqliteNotADatabase ? JournalDatabase::OpenFailure::notAJournal
                                           : JournalDatabase::OpenFailure::unreadable,
         describe(error));
}

std::optional<std::tuple<int, int, int>> parsedVersion(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3] = {};
    for (int index = 0; index < 3; ++index) {
        bool ok = false;
        numbers[index] = parts[index].toInt(&ok);
        if (!ok || numbers[index] < 0)
            return std::nullopt;
    }
    return std::tuple(numbers[0], numbers[1], numbers[2]);
}

QString metadataValue(const QSqlDatabase& database, const QString& key) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT value FROM metadata WHERE key = ?")))
        fail(JournalDatabase::OpenFailure::notAJournal, describe(query.lastError()));
    query.addBindValue(key);
    if (!query.exec())
        failReading(query.lastError());
    if (!query.next())
        fail(JournalDatabase::OpenFailure::notAJournal, QStringLiteral("no %1 recorded").arg(key));
    return query.value(0).toString();
}

void checkJournal(const QSqlDatabase& database, const QString& storeName) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA application_id")) || !query.next())
        failReading(query.lastError());
    if (query.value(0).toLongLong() != journalApplicationId)
        fail(JournalDatabase::OpenFailure::notAJournal, QStringLiteral("no journal marker"));
    query.finish();

    if (metadataValue(database, QStringLiteral("storeName")) != storeName)
        fail(JournalDatabase::OpenFailure::notAJournal, QStringLiteral("another store's name"));
    const QString versionText = metadataValue(database, QStringLiteral("schemaVersion"));
    const auto version = parsedVersion(versionText);
    const auto supported = parsedVersion(QString::fromLatin1(JournalStore::schemaVersion));
    if (!version)
        fail(JournalDatabase::OpenFailure::notAJournal, versionText);
    if (*version > *supported)
        fail(JournalDatabase::OpenFailure::newerSchemaVersion, versionText);
    if (*version < *supported)
        fail(JournalDatabase::OpenFailure::notAJournal, versionText);
}

// The marker is in the file's first page, written with the schema before the file ever runs
// in WAL mode. Reading it directly keeps SQLite away from files that are not ours at all, so
// not even its side files appear next to them.
void checkHeader(const QString& filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        fail(JournalDatabase::OpenFailure::unreadable, file.errorString());
    const QByteArray header = file.read(100);
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(sqliteMagic))
        fail(JournalDatabase::OpenFailure::notAJournal, QStringLiteral("file is not a database"));
    const auto byte = [&header](int offset) { return std::uint32_t(std::uint8_t(header[offset])); };
    const std::uint32_t applicationId = byte(68) << 24 | byte(69) << 16 | byte(70) << 8 | byte(71);
    if (applicationId != journalApplicationId)
        fail(JournalDatabase::OpenFailure::notAJournal, QStringLiteral("no journal marker"));
}

bool carriesJournalMarker(const QString& filePath) {
    try {
        checkHeader(filePath);
        return true;
    } catch (const JournalDatabase::OpenFailed&) {
        return false;
    }
}

// A process stopped while SQLite's rollback journal was on disk (while the schema was being
// created or the file switched to WAL) leaves that journal "hot", and only a connection that may
// write rolls it back; the read-only check below cannot. Done for our own files only, which the
// marker tells: the first page, holding it, is always written before any other.
void recoverInterruptedTransaction(const QString& filePath) {
    if (!QFileInfo::exists(filePath + QStringLiteral("-journal")) ||
        !carriesJournalMarker(filePath))
        return;
    const QString connectionName = newConnectionName();
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        database.setDatabaseName(filePath);
        // Reading the schema takes the shared lock, which is when SQLite plays the journal back.
        // A failure shows again, with its reason, in the check that follows.
        if (database.open())
            QSqlQuery(database).exec(QStringLiteral("PRAGMA schema_version"));
        database.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

// The side files SQLite opens beside a journal, and whether each was there before we looked: those
// that were not are removed again when the journal is refused, so nothing is left behind.
class SideFiles {
public:
    explicit SideFiles(const QString& filePath)
        : m_paths{filePath + QStringLiteral("-wal"), filePath + QStringLiteral("-shm")}
        , m_existed{QFileInfo::exists(m_paths[0]), QFileInfo::exists(m_paths[1])} {}

    void removeNew() const {
        for (int index = 0; index < 2; ++index) {
            if (!m_existed[index])
                QFile::remove(m_paths[index]);
        }
    }

private:
    QString m_paths[2];
    bool m_existed[2];
};

// Looks at an existing file without any chance of writing to it.
void validateReadOnly(const QString& filePath, const QString& storeName) {
    checkHeader(filePath);
    const SideFiles sideFiles(filePath);
    const QString connectionName = newConnectionName();
    std::optional<JournalDatabase::OpenFailed> failure;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        database.setDatabaseName(filePath);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!database.open()) {
            failure = JournalDatabase::OpenFailed{JournalDatabase::OpenFailure::unreadable,
                                                  describe(database.lastError())};
        } else {
            try {
                checkJournal(database, storeName);
            } catch (const JournalDatabase::OpenFailed& failed) {
                failure = failed;
            }
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (failure) {
        sideFiles.removeNew();
        throw *failure;
    }
}

// Why the journal cannot be written, in words that point at the culprit: a file or folder this
// user may not write, else what SQLite said.
QString whyNotWritable(const QString& filePath, const QString& databaseText) {
    const QFileInfo folder(QFileInfo(filePath).absolutePath());
    const QStringList paths{filePath, filePath + QStringLiteral("-wal"),
                            filePath + QStringLiteral("-shm"), folder.filePath()};
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists() || info.isWritable())
            continue;
        const QString owner =
            info.owner().isEmpty() ? QString::number(info.ownerId()) : info.owner();
        return QStringLiteral("%1 %2 is read-only for this user (it belongs to %3)")
            .arg(info.isDir() ? QStringLiteral("the folder") : QStringLiteral("the file"),
                 QDir::toNativeSeparators(path), owner);
    }
    return databaseText;
}

// A null QString binds as SQL NULL; an entry's title is never absent, only empty.
QVariant requiredText(const QString& text) {
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

QVariant optionalText(const std::optional<QString>& text) {
    return text ? QVariant(*text) : QVariant();
}

QVariant optionalInteger(const std::optional<std::int64_t>& value) {
    return value ? QVariant(qint64(*value)) : QVariant();
}

QVariant optionalInstant(const std::optional<Instant>& instant) {
    return instant ? QVariant(qint64(instant->msecsSinceEpoch())) : QVariant();
}

QString uuidText(QUuid id) {
    return id.toString(QUuid::WithoutBraces);
}

} // namespace

JournalDatabase::JournalDatabase(const QString& connectionName, const QString& filePath)
    : m_connectionName(connectionName)
    , m_filePath(filePath) {}

JournalDatabase::~JournalDatabase() {
    m_upsertSession.reset();
    m_upsertEntry.reset();
    m_deleteSession.reset();
    m_deleteEntry.reset();
    {
        QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
        if (database.isValid())
            database.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

std::unique_ptr<JournalDatabase> JournalDatabase::openInMemory(const QString& storeName) {
    std::unique_ptr<JournalDatabase> journal(new JournalDatabase(newConnectionName(), {}));
    QSqlDatabase database =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), journal->m_connectionName);
    database.setDatabaseName(QStringLiteral(":memory:"));
    if (!database.open())
        fail(OpenFailure::unreadable, describe(database.lastError()));
    journal->createSchema(storeName);
    journal->execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    journal->prepareStatements();
    return journal;
}

std::unique_ptr<JournalDatabase> JournalDatabase::openFile(const QString& filePath,
                                                           const QString& storeName) {
    if (QFileInfo info(filePath); info.exists() && !info.isFile())
        fail(OpenFailure::notAJournal, QStringLiteral("it is not a file"));
    recoverInterruptedTransaction(filePath);
    const QFileInfo info(filePath);
    // An empty file holds nothing to protect: a first start that stopped before the schema was
    // written leaves one behind.
    const bool isNew = !info.exists() ||
                       (info.size() == 0 && !QFileInfo::exists(filePath + QStringLiteral("-wal")));
    if (!info.exists()) {
        // Only a file made here is made owner-only; the mode of one found is the user's.
        QFile file(filePath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFile::ReadOwner | QFile::WriteOwner))
            fail(OpenFailure::unreadable, file.errorString());
    } else if (!isNew) {
        validateReadOnly(filePath, storeName);
    }

    const SideFiles sideFiles(filePath);
    std::unique_ptr<JournalDatabase> journal(new JournalDatabase(newConnectionName(), filePath));
    try {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), journal->m_connectionName);
        database.setDatabaseName(filePath);
        if (!database.open())
            fail(OpenFailure::unreadable, describe(database.lastError()));
        if (isNew)
            journal->createSchema(storeName);
        // After the schema, so that a new file is never a bare database without its marker.
        journal->execute(QStringLiteral("PRAGMA journal_mode = WAL"));
        journal->execute(QStringLiteral("PRAGMA synchronous = FULL"));
        journal->execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        journal->proveWritable(filePath);
        journal->prepareStatements();
    } catch (const OpenFailed&) {
        journal.reset();
        sideFiles.removeNew();
        throw;
    }
    return journal;
}

void JournalDatabase::proveWritable(const QString& filePath) {
    // SQLite quietly opens a file it may not write as read-only, and every save would fail
    // later. One write transaction now, rewriting a header value as it is, tells at once. It is
    // rolled back: taking the write lock and changing a page is what a read-only file, -wal or
    // -shm refuses, and a commit would only add a sync to every start and a checkpoint to
    // every close.
    QSqlQuery query = makeQuery();
    std::int64_t userVersion = journalUserVersion;
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
        userVersion = query.value(0).toLongLong();
    query.finish();
    const QString statements[] = {
        QStringLiteral("BEGIN IMMEDIATE"),
        QStringLiteral("PRAGMA user_version = %1").arg(userVersion),
        QStringLiteral("ROLLBACK"),
    };
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            const QString reason = whyNotWritable(filePath, describe(query.lastError()));
            makeQuery().exec(QStringLiteral("ROLLBACK"));
            fail(OpenFailure::notWritable, reason);
        }
    }
}

QSqlQuery JournalDatabase::makeQuery() const {
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    return query;
}

void JournalDatabase::execute(const QString& statement) {
    QSqlQuery query = makeQuery();
    if (!query.exec(statement))
        failReading(query.lastError());
}

void JournalDatabase::createSchema(const QString& storeName) {
    const QString statements[] = {
        QStringLiteral("BEGIN IMMEDIATE"),
        QStringLiteral(
            "CREATE TABLE metadata (key TEXT PRIMARY KEY NOT NULL, value TEXT NOT NULL)"),
        QStringLiteral("INSERT INTO metadata (key, value) VALUES ('storeName', '%1'), "
                       "('schemaVersion', '%2')")
            .arg(QString(storeName).replace(QLatin1Char('\''), QStringLiteral("''")),
                 QString::fromLatin1(JournalStore::schemaVersion)),
        // pk is the record's identity in the store; id is the record's own identifier, which
        // a new record may share with one deleted in the same save.
        QStringLiteral("CREATE TABLE sessions ("
                       "pk INTEGER PRIMARY KEY NOT NULL, "
                       "id TEXT NOT NULL, "
                       "startedAt INTEGER NOT NULL, "
                       "endedAt INTEGER NOT NULL, "
                       "durationSeconds INTEGER NOT NULL DEFAULT 1, "
                       "sourceRawValue TEXT NOT NULL DEFAULT 'manual', "
                       "notes TEXT, "
                       "createdAt INTEGER NOT NULL, "
                       "updatedAt INTEGER)"),
        QStringLiteral("CREATE TABLE entries ("
                       "pk INTEGER PRIMARY KEY NOT NULL, "
                       "id TEXT NOT NULL, "
                       "title TEXT NOT NULL DEFAULT '', "
                       "categoryRawValue TEXT NOT NULL DEFAULT 'lookBack', "
                       "durationSeconds INTEGER, "
                       "notes TEXT, "
                       "sortOrder INTEGER NOT NULL DEFAULT 0, "
                       "createdAt INTEGER NOT NULL, "
                       "updatedAt INTEGER, "
                       "sessionKey INTEGER REFERENCES sessions (pk) ON DELETE CASCADE, "
                       "position INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX entriesBySession ON entries (sessionKey)"),
        QStringLiteral("PRAGMA application_id = %1").arg(journalApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(journalUserVersion),
        QStringLiteral("COMMIT"),
    };
    for (const QString& statement : statements) {
        QSqlQuery query = makeQuery();
        if (!query.exec(statement)) {
            const QSqlError error = query.lastError();
            QSqlQuery(QSqlDatabase::database(m_connectionName, false))
                .exec(QStringLiteral("ROLLBACK"));
            fail(OpenFailure::unreadable, describe(error));
        }
    }
}

void JournalDatabase::prepareStatements() {
    const auto prepared = [this](const QString& statement) {
        QSqlQuery query = makeQuery();
        if (!query.prepare(statement))
            failReading(query.lastError());
        return query;
    };
    m_upsertSession = prepared(QStringLiteral(
        "INSERT INTO sessions (pk, id, startedAt, endedAt, durationSeconds, sourceRawValue, "
        "notes, createdAt, updatedAt) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (pk) DO UPDATE SET id = excluded.id, startedAt = excluded.startedAt, "
        "endedAt = excluded.endedAt, durationSeconds = excluded.durationSeconds, "
        "sourceRawValue = excluded.sourceRawValue, notes = excluded.notes, "
        "createdAt = excluded.createdAt, updatedAt = excluded.updatedAt"));
    m_upsertEntry = prepared(QStringLiteral(
        "INSERT INTO entries (pk, id, title, categoryRawValue, durationSeconds, notes, "
        "sortOrder, createdAt, updatedAt, sessionKey, position) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (pk) DO UPDATE SET id = excluded.id, title = excluded.title, "
        "categoryRawValue = excluded.categoryRawValue, "
        "durationSeconds = excluded.durationSeconds, notes = excluded.notes, "
        "sortOrder = excluded.sortOrder, createdAt = excluded.createdAt, "
        "updatedAt = excluded.updatedAt, sessionKey = excluded.sessionKey, "
        "position = excluded.position"));
    m_deleteSession = prepared(QStringLiteral("DELETE FROM sessions WHERE pk = ?"));
    m_deleteEntry = prepared(QStringLiteral("DELETE FROM entries WHERE pk = ?"));
}

JournalDatabase::NextKeys JournalDatabase::nextKeys() const {
    // The keys are the tables' rowids: SQLite finds each maximum at the end of its b-tree.
    QSqlQuery query = makeQuery();
    if (!query.exec(QStringLiteral("SELECT (SELECT ifnull(max(pk), 0) FROM sessions), "
                                   "(SELECT ifnull(max(pk), 0) FROM entries)")) ||
        !query.next())
        failReading(query.lastError());
    return {query.value(0).toLongLong() + 1, query.value(1).toLongLong() + 1};
}

namespace {

QUuid uuidOf(QByteArrayView text) {
    return QUuid::fromString(QLatin1StringView(text));
}

// A text column that may hold NULL, as records keep it: none is the null text.
CompactText optionalCompactText(const SqliteStatement& row, int column, CompactTextPool& texts) {
    if (row.isNull(column))
        return {};
    CompactText text = texts.fromUtf8(row.utf8(column));
    // A stored empty text is notes, though empty ones.
    return text.isNull() ? CompactText::fromOptional(QString()) : text;
}

std::optional<Instant> optionalInstantOf(std::optional<std::int64_t> msecs) {
    if (!msecs)
        return std::nullopt;
    return Instant::fromMSecsSinceEpoch(*msecs);
}

[[noreturn]] void failReading(const SqliteStatement::Failure& failure) {
    fail((failure.code & 0xff) == sqliteNotADatabase ? JournalDatabase::OpenFailure::notAJournal
                                                     : JournalDatabase::OpenFailure::unreadable,
         failure.description);
}

// Puts the entries of each session in `revisited` (their runs handed over in the order read) in
// their stored order: by position, then in the order they were made, as one sorted run would be.
// Rare: only entries added to a session after others' were saved come apart from their own.
void putInStoredOrder(const QSqlDatabase& database, std::vector<std::size_t>& revisited,
                      const std::vector<PracticeSessionPtr>& byKey, std::int64_t belowEntry) {
    if (revisited.empty())
        return;
    std::sort(revisited.begin(), revisited.end());
    revisited.erase(std::unique(revisited.begin(), revisited.end()), revisited.end());
    SqliteStatement positions(
        database, "SELECT pk, position FROM entries WHERE sessionKey = ? AND pk < ? ORDER BY pk");
    std::vector<std::pair<std::int64_t, std::int64_t>> positionByKey;
    for (const std::size_t index : revisited) {
        positions.reset();
        positions.bind(1, PracticeRecordAccess::tracking(*byKey[index]).key);
        positions.bind(2, belowEntry);
        positionByKey.clear();
        while (positions.next())
            positionByKey.emplace_back(positions.integer(0), positions.integer(1));
        const auto positionOf = [&positionByKey](const PracticeEntryPtr& entry) {
            const std::int64_t key = PracticeRecordAccess::tracking(*entry).key;
            const auto found =
                std::lower_bound(positionByKey.begin(), positionByKey.end(), key,
                                 [](const std::pair<std::int64_t, std::int64_t>& row,
                                    std::int64_t wanted) { return row.first < wanted; });
            return found != positionByKey.end() && found->first == key ? found->second : 0;
        };
        std::vector<PracticeEntryPtr>& list =
            PracticeRecordAccess::fields(*byKey[index]).storedEntries;
        std::sort(
            list.begin(), list.end(),
            [&positionOf](const PracticeEntryPtr& left, const PracticeEntryPtr& right) {
                return std::pair(positionOf(left), PracticeRecordAccess::tracking(*left).key) <
                       std::pair(positionOf(right), PracticeRecordAccess::tracking(*right).key);
            });
    }
}

// Between rows, how often a read asks whether it is still wanted.
constexpr int rowsBetweenCancelChecks = 4096;

JournalDatabase::Loaded readRowsFrom(const QSqlDatabase& database,
                                     const PracticeRecordObserverLink::Ref& link,
                                     JournalDatabase::NextKeys below,
                                     const std::function<bool()>& cancelled) {
    JournalDatabase::Loaded loaded;
    QSqlQuery transaction(database);
    // Each page is read once, front to back: a page cache would only hold memory at the peak.
    transaction.exec(QStringLiteral("PRAGMA cache_size = 16"));
    // One snapshot for both tables.
    if (!transaction.exec(QStringLiteral("BEGIN")))
        failReading(transaction.lastError());

    // Keys below the first new one: a bound that holds the list without counting rows.
    const auto bound = std::size_t(std::max<std::int64_t>(below.session - 1, 0));
    std::vector<PracticeSessionPtr> byKey;
    byKey.reserve(bound);
    // The keys again, side by side: entries find their session by searching these, without
    // touching a record on the way.
    std::vector<std::int64_t> keys;
    keys.reserve(bound);
    // Titles and notes repeat from day to day: each distinct one is kept once.
    CompactTextPool texts;

    // An entry read but not yet handed to its session, with its place in the session's list.
    struct PendingEntry {
        std::int64_t position;
        PracticeEntryPtr entry;
    };
    // The entries of a session mostly come one after another: each run of them is gathered here,
    // put in its stored order and handed to its session in one allocation. Nothing the size of
    // all entries is held beside the records.
    std::vector<PendingEntry> run;
    std::size_t runOwner = 0;
    // Sessions whose entries came in more than one run; their order is settled at the end.
    std::vector<std::size_t> revisited;
    const auto byPosition = [](const PendingEntry& left, const PendingEntry& right) {
        return left.position < right.position;
    };
    const auto handOverRun = [&] {
        if (run.empty())
            return;
        if (!std::is_sorted(run.begin(), run.end(), byPosition))
            std::stable_sort(run.begin(), run.end(), byPosition);
        std::vector<PracticeEntryPtr>& list =
            PracticeRecordAccess::fields(*byKey[runOwner]).storedEntries;
        if (!list.empty())
            revisited.push_back(runOwner);
        list.reserve(list.size() + run.size());
        for (PendingEntry& pending : run)
            list.push_back(std::move(pending.entry));
        run.clear();
    };

    try {
        // Rows in key order: a plain table scan.
        SqliteStatement sessionRows(
            database, "SELECT pk, id, startedAt, endedAt, durationSeconds, sourceRawValue, notes, "
                      "createdAt, updatedAt FROM sessions WHERE pk < ? ORDER BY pk");
        sessionRows.bind(1, below.session);
        int untilCheck = rowsBetweenCancelChecks;
        // Asked every so many rows: false once nobody wants the rows any more.
        const auto stillWanted = [&untilCheck, &cancelled] {
            if (--untilCheck > 0)
                return true;
            untilCheck = rowsBetweenCancelChecks;
            return !(cancelled && cancelled());
        };
        // A record read from its row is alive, stored and tracked through the link.
        const auto track = [&link](PracticeRecordTracking& tracking, std::int64_t key) {
            tracking.key = key;
            tracking.link = link;
            tracking.state = PracticeRecordTracking::State::alive;
            tracking.rowExists = true;
        };
        while (sessionRows.next()) {
            if (!stillWanted())
                return loaded;
            PracticeSessionPtr session = PracticeRecordAccess::makeSession();
            PracticeRecordAccess::SessionFields& fields = PracticeRecordAccess::fields(*session);
            PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
            track(tracking, sessionRows.integer(0));
            fields.id = uuidOf(sessionRows.utf8(1));
            fields.startedAt = Instant::fromMSecsSinceEpoch(sessionRows.integer(2));
            fields.endedAt = Instant::fromMSecsSinceEpoch(sessionRows.integer(3));
            fields.durationSeconds = sessionRows.integer(4);
            fields.sourceRawValue = SharedRawValue::fromUtf8(sessionRows.utf8(5));
            fields.notes = optionalCompactText(sessionRows, 6, texts);
            fields.createdAt = Instant::fromMSecsSinceEpoch(sessionRows.integer(7));
            fields.updatedAt = optionalInstantOf(sessionRows.optionalInteger(8));
            keys.push_back(tracking.key);
            byKey.push_back(std::move(session));
        }

        // Entries mostly come in the order of their sessions: the last one found is tried first.
        std::size_t lastFound = 0;
        const auto sessionIndex = [&keys,
                                   &lastFound](std::int64_t key) -> std::optional<std::size_t> {
            for (std::size_t near = lastFound; near < keys.size() && near < lastFound + 2; ++near) {
                if (keys[near] == key)
                    return lastFound = near;
            }
            const auto found = std::lower_bound(keys.begin(), keys.end(), key);
            if (found == keys.end() || *found != key)
                return std::nullopt;
            return lastFound = std::size_t(found - keys.begin());
        };

        SqliteStatement entryRows(
            database, "SELECT pk, id, title, categoryRawValue, durationSeconds, notes, sortOrder, "
                      "createdAt, updatedAt, sessionKey, position FROM entries WHERE pk < ? "
                      "ORDER BY pk");
        entryRows.bind(1, below.entry);
        while (entryRows.next()) {
            if (!stillWanted())
                return loaded;
            // An entry of no session is unreachable; it stays in the file but not in memory.
            const std::optional<std::size_t> owner =
                entryRows.isNull(9) ? std::nullopt : sessionIndex(entryRows.integer(9));
            if (!owner)
                continue;
            PracticeEntryPtr entry = PracticeRecordAccess::makeEntry();
            PracticeRecordAccess::EntryFields& fields = PracticeRecordAccess::fields(*entry);
            PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*entry);
            track(tracking, entryRows.integer(0));
            fields.id = uuidOf(entryRows.utf8(1));
            fields.title = texts.fromUtf8(entryRows.utf8(2));
            fields.categoryRawValue = SharedRawValue::fromUtf8(entryRows.utf8(3));
            fields.durationSeconds = entryRows.optionalInteger(4);
            fields.notes = optionalCompactText(entryRows, 5, texts);
            fields.sortOrder = entryRows.integer(6);
            fields.createdAt = Instant::fromMSecsSinceEpoch(entryRows.integer(7));
            fields.updatedAt = optionalInstantOf(entryRows.optionalInteger(8));
            fields.session = byKey[*owner].get();
            if (*owner != runOwner)
                handOverRun();
            runOwner = *owner;
            run.push_back({entryRows.integer(10), std::move(entry)});
        }
        handOverRun();
        putInStoredOrder(database, revisited, byKey, below.entry);
    } catch (const SqliteStatement::Failure& failure) {
        failReading(failure);
    }
    transaction.exec(QStringLiteral("COMMIT"));

    // Newest first, sorted by keys kept side by side rather than by reading every record.
    struct Order {
        std::int64_t startedAtMSecs;
        std::int64_t key;
        std::size_t index;
    };
    std::vector<Order> order;
    order.reserve(byKey.size());
    for (std::size_t index = 0; index < byKey.size(); ++index)
        order.push_back({byKey[index]->startedAt().msecsSinceEpoch(), keys[index], index});
    // The same order as the store's list keeps: later start first, then the later key.
    std::sort(order.begin(), order.end(), [](const Order& left, const Order& right) {
        return std::tie(left.startedAtMSecs, left.key) > std::tie(right.startedAtMSecs, right.key);
    });
    loaded.sessions.reserve(byKey.size());
    for (const Order& next : order)
        loaded.sessions.push_back(std::move(byKey[next.index]));
    return loaded;
}

} // namespace

JournalDatabase::Loaded JournalDatabase::readRows(const PracticeRecordObserverLink::Ref& link,
                                                  NextKeys below,
                                                  const std::function<bool()>& cancelled) const {
    if (m_filePath.isEmpty())
        return {};
    // Connections belong to the thread that made them: this one is made, used and removed here.
    const QString connectionName = newConnectionName();
    std::optional<Loaded> loaded;
    std::optional<OpenFailed> failure;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        database.setDatabaseName(m_filePath);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        try {
            if (!database.open())
                fail(OpenFailure::unreadable, describe(database.lastError()));
            loaded = readRowsFrom(database, link, below, cancelled);
        } catch (const OpenFailed& failed) {
            failure = failed;
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (failure)
        throw *failure;
    return std::move(*loaded);
}

std::optional<QString> JournalDatabase::copyInto(const QString& filePath) {
    QSqlQuery query = makeQuery();
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        return describe(query.lastError());
    query.addBindValue(filePath);
    if (!query.exec())
        return describe(query.lastError());
    return std::nullopt;
}

std::optional<QString> JournalDatabase::write(const Changes& changes) {
    QSqlQuery transaction = makeQuery();
    if (!transaction.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return describe(transaction.lastError());
    const auto abandon = [&transaction](const QSqlQuery& failed) {
        const QString description = describe(failed.lastError());
        transaction.exec(QStringLiteral("ROLLBACK"));
        return description;
    };

    // Deletions first: a record made anew may carry the identifier of one deleted here.
    for (const std::int64_t key : changes.deletedEntryKeys) {
        m_deleteEntry->bindValue(0, qint64(key));
        if (!m_deleteEntry->exec())
            return abandon(*m_deleteEntry);
    }
    for (const std::int64_t key : changes.deletedSessionKeys) {
        m_deleteSession->bindValue(0, qint64(key));
        if (!m_deleteSession->exec())
            return abandon(*m_deleteSession);
    }
    for (const PracticeSession* session : changes.writtenSessions) {
        QSqlQuery& query = *m_upsertSession;
        query.bindValue(0, qint64(PracticeRecordAccess::tracking(*session).key));
        query.bindValue(1, uuidText(session->id()));
        query.bindValue(2, qint64(session->startedAt().msecsSinceEpoch()));
        query.bindValue(3, qint64(session->endedAt().msecsSinceEpoch()));
        query.bindValue(4, qint64(session->durationSeconds()));
        query.bindValue(5, session->sourceRawValue());
        query.bindValue(6, optionalText(session->notes()));
        query.bindValue(7, qint64(session->createdAt().msecsSinceEpoch()));
        query.bindValue(8, optionalInstant(session->updatedAt()));
        if (!query.exec())
            return abandon(query);
    }
    for (const Changes::WrittenEntry& written : changes.writtenEntries) {
        const PracticeEntry& entry = *written.entry;
        QSqlQuery& query = *m_upsertEntry;
        query.bindValue(0, qint64(PracticeRecordAccess::tracking(entry).key));
        query.bindValue(1, uuidText(entry.id()));
        query.bindValue(2, requiredText(entry.title()));
        query.bindValue(3, requiredText(entry.categoryRawValue()));
        query.bindValue(4, optionalInteger(entry.durationSeconds()));
        query.bindValue(5, optionalText(entry.notes()));
        query.bindValue(6, qint64(entry.sortOrder()));
        query.bindValue(7, qint64(entry.createdAt().msecsSinceEpoch()));
        query.bindValue(8, optionalInstant(entry.updatedAt()));
        query.bindValue(9, optionalInteger(written.sessionKey));
        query.bindValue(10, qint64(written.position));
        if (!query.exec())
            return abandon(query);
    }
    if (!transaction.exec(QStringLiteral("COMMIT")))
        return abandon(transaction);
    return std::nullopt;
}

} // namespace brevanta
