// SPDX-License-Identifier: MIT
#include "core/store/JournalStore.h"

#include "core/store/JournalDatabase.h"
#include "core/store/JournalLock.h"
#include "core/store/PracticeRecordAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace brevanta {

namespace {

using State = PracticeRecordTracking::State;

PracticeRecordTracking& trackingOf(PracticeSession& session) {
    return PracticeRecordAccess::tracking(session);
}

PracticeRecordTracking& trackingOf(PracticeEntry& entry) {
    return PracticeRecordAccess::tracking(entry);
}

void detach(PracticeRecordTracking& tracking) {
    tracking.link.reset();
    tracking.state = State::detached;
    tracking.rowExists = false;
    tracking.key = 0;
}

JournalStore::OpenError openErrorFor(const JournalDatabase::OpenFailed& failed,
                                     const QString& filePath) {
    const QString location = QDir::toNativeSeparators(filePath);
    switch (failed.failure) {
    case JournalDatabase::OpenFailure::notAJournal:
        return {JournalStore::OpenError::notAJournal,
                QStringLiteral("The file %1 is not a Brevanta journal (%2). It was left unchanged.")
                    .arg(location, failed.detail)};
    case JournalDatabase::OpenFailure::newerSchemaVersion:
        return {JournalStore::OpenError::newerSchemaVersion,
                QStringLiteral("The journal %1 was written by a newer version of Brevanta (schema "
                               "version %2). It was left unchanged.")
                    .arg(location, failed.detail)};
    case JournalDatabase::OpenFailure::notWritable:
        return {JournalStore::OpenError::notWritable,
                QStringLiteral("The journal %1 cannot be saved to: %2. It was left unchanged.")
                    .arg(location, failed.detail)};
    case JournalDatabase::OpenFailure::unreadable:
        break;
    }
    return {JournalStore::OpenError::unreadable,
            QStringLiteral("The journal %1 could not be read: %2. It was left unchanged.")
                .arg(location, failed.detail)};
}

} // namespace

struct JournalStore::UnsavedChanges {
    struct SessionChange {
        PracticeSessionPtr record;
        /// The saved values, kept from the first write on so that a rollback can restore them.
        std::optional<PracticeRecordAccess::SessionFields> storedFields;
    };
    struct EntryChange {
        PracticeEntryPtr record;
        std::optional<PracticeRecordAccess::EntryFields> storedFields;
    };

    SessionChange& note(PracticeSession& session) {
        auto [position, isNew] = sessions.try_emplace(&session);
        if (isNew)
            position->second.record = session.shared_from_this();
        return position->second;
    }
    EntryChange& note(PracticeEntry& entry) {
        auto [position, isNew] = entries.try_emplace(&entry);
        if (isNew)
            position->second.record = entry.shared_from_this();
        return position->second;
    }

    std::unordered_map<const PracticeSession*, SessionChange> sessions;
    std::unordered_map<const PracticeEntry*, EntryChange> entries;
};

// Reads the stored rows on a thread of its own and tells the store, on the store's thread, when
// they are there. The records it makes are touched by nobody else until the store takes them.
class JournalStore::RowLoader {
public:
    RowLoader(JournalStore& store, const JournalDatabase& database, JournalDatabase::NextKeys below)
        : m_thread(QThread::create([this, &store, &database, below, link = store.m_link] {
            read(store, database, link, below);
        })) {}
    ~RowLoader() {
        m_cancelled.store(true, std::memory_order_relaxed);
        m_thread->wait();
    }
    RowLoader(const RowLoader&) = delete;
    RowLoader& operator=(const RowLoader&) = delete;

    /// Starts reading; once only.
    void start() {
        if (!m_thread->isRunning() && !m_thread->isFinished())
            m_thread->start();
    }
    bool isDone() {
        const std::lock_guard lock(m_mutex);
        return m_done;
    }
    void wait() {
        start();
        m_thread->wait();
    }
    /// Joins the thread; then what it read, or why it failed.
    std::pair<std::optional<JournalDatabase::Loaded>, std::optional<JournalDatabase::OpenFailed>>
    take() {
        wait();
        const std::lock_guard lock(m_mutex);
        return {std::move(m_loaded), std::move(m_failure)};
    }

private:
    void read(JournalStore& store, const JournalDatabase& database,
              const PracticeRecordObserverLink::Ref& link, JournalDatabase::NextKeys below) {
        std::optional<JournalDatabase::Loaded> loaded;
        std::optional<JournalDatabase::OpenFailed> failure;
        try {
            loaded = database.readRows(
                link, below, [this] { return m_cancelled.load(std::memory_order_relaxed); });
        } catch (const JournalDatabase::OpenFailed& failed) {
            failure = failed;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_loaded = std::move(loaded);
            m_failure = std::move(failure);
            m_done = true;
        }
        // Dropped by Qt when the store is gone by the time it would run.
        QMetaObject::invokeMethod(
            &store, [&store] { store.finishLoading(); }, Qt::QueuedConnection);
    }

    std::mutex m_mutex;
    std::optional<JournalDatabase::Loaded> m_loaded;
    std::optional<JournalDatabase::OpenFailed> m_failure;
    bool m_done = false;
    std::atomic<bool> m_cancelled{false};
    std::unique_ptr<QThread> m_thread;
};

JournalStore::ChangeBatch::ChangeBatch(JournalStore& store)
    : m_store(store) {
    m_store.beginChangeGroup();
}

JournalStore::ChangeBatch::~ChangeBatch() {
    m_store.endChangeGroup();
}

std::unique_ptr<JournalStore> JournalStore::open(const StoreConfiguration& configuration,
                                                 RowLoading loading, JournalLockAhead* lockAhead) {
    const QString filePath = configuration.isStoredInMemoryOnly
                                 ? QStringLiteral(":memory:")
                                 : QFileInfo(configuration.resolvedFilePath()).absoluteFilePath();
    try {
        std::unique_ptr<QLockFile> lock;
        std::unique_ptr<JournalDatabase> database;
        if (configuration.isStoredInMemoryOnly) {
            database = JournalDatabase::openInMemory(configuration.name);
        } else {
            // Taken ahead for this very file, the lock is just handed over.
            lock = lockAhead && lockAhead->filePath() == filePath ? lockAhead->take()
                                                                  : JournalLock::take(filePath);
            database = JournalDatabase::openFile(filePath, configuration.name);
        }
        std::unique_ptr<JournalStore> store(
            new JournalStore(configuration, std::move(lock), std::move(database)));
        store->prepareLoading();
        if (loading == RowLoading::beforeReturning)
            store->waitUntilLoaded();
        else if (loading == RowLoading::inBackground)
            store->loadInBackground();
        return store;
    } catch (const JournalDatabase::OpenFailed& failed) {
        throw openErrorFor(failed, filePath);
    }
}

JournalStore::JournalStore(StoreConfiguration configuration, std::unique_ptr<QLockFile> lock,
                           std::unique_ptr<JournalDatabase> database)
    : m_configuration(std::move(configuration))
    , m_lock(std::move(lock))
    , m_database(std::move(database))
    , m_link(PracticeRecordObserverLink::Ref::make(static_cast<PracticeRecordObserver*>(this)))
    , m_unsaved(std::make_unique<UnsavedChanges>()) {}

JournalStore::~JournalStore() {
    m_loader.reset();
    // Records may outlive the store; from now on their writes reach nobody.
    m_link->observer = nullptr;
    if (m_leavesRecordsAtExit) {
        // Never destroyed, not even by the exit handlers; reachable to the end, so leak checkers
        // see no leak.
        static auto* const leftToTheSystem = new std::vector<std::vector<PracticeSessionPtr>>;
        leftToTheSystem->push_back(m_sessions.takeAll());
    }
}

std::uint32_t JournalStore::revisionOf(const PracticeSession& session) const {
    return PracticeRecordAccess::tracking(session).revision;
}

void JournalStore::touch(PracticeSession* session) {
    if (session && tracks(*session))
        trackingOf(*session).revision = ++m_revisionClock;
}

void JournalStore::leaveRecordsAtExit() {
    m_leavesRecordsAtExit = true;
}

void JournalStore::prepareLoading() {
    // Keys past every stored row, read before any record can be made: records inserted while
    // the rows load get keys the loader never reads.
    const JournalDatabase::NextKeys next = m_database->nextKeys();
    m_nextSessionKey = next.session;
    m_nextEntryKey = next.entry;
    if (m_configuration.isStoredInMemoryOnly) {
        // A journal in memory starts empty in its only connection.
        m_isLoaded = true;
        return;
    }
    m_loader = std::make_unique<RowLoader>(*this, *m_database, next);
}

void JournalStore::loadInBackground() {
    if (m_loader)
        m_loader->start();
}

void JournalStore::finishLoading() {
    if (!m_loader || !m_loader->isDone())
        return;
    auto [rows, failure] = m_loader->take();
    m_loader.reset();
    if (failure) {
        m_loadFailure =
            openErrorFor(*failure, QFileInfo(m_configuration.resolvedFilePath()).absoluteFilePath())
                .description();
        Q_EMIT loadFailed(*m_loadFailure);
        return;
    }
    // Sessions read from the file get revisions of their own, beside those the clock gave the
    // sessions inserted meanwhile.
    for (const PracticeSessionPtr& session : rows->sessions)
        trackingOf(*session).revision = ++m_revisionClock;
    m_sessions.mergeSorted(std::move(rows->sessions));
    m_isLoaded = true;
    noteChange();
    Q_EMIT loaded();
}

void JournalStore::waitUntilLoaded() {
    if (m_loader) {
        m_loader->wait();
        finishLoading();
    }
    if (m_loadFailure)
        throw OpenError(OpenError::unreadable, *m_loadFailure);
}

bool JournalStore::hasChanges() const {
    return !m_unsaved->sessions.empty() || !m_unsaved->entries.empty();
}

bool JournalStore::tracks(const PracticeSession& session) const {
    return PracticeRecordAccess::tracking(session).link == m_link;
}

bool JournalStore::tracks(const PracticeEntry& entry) const {
    return PracticeRecordAccess::tracking(entry).link == m_link;
}

void JournalStore::insert(PracticeSessionPtr session) {
    if (!session)
        return;
    PracticeRecordTracking& tracking = trackingOf(*session);
    if (tracks(*session) && tracking.state == State::alive)
        return;
    if (!tracks(*session) && tracking.observer())
        throw std::invalid_argument("the practice session belongs to another journal store");

    const PracticeRecordChangeGroup group(this);
    if (!tracks(*session)) {
        tracking = PracticeRecordTracking{};
        tracking.link = m_link;
        tracking.key = m_nextSessionKey++;
    }
    tracking.state = State::alive;
    touch(session.get());
    m_unsaved->note(*session);
    m_sessions.add(session);
    for (const PracticeEntryPtr& entry : PracticeRecordAccess::fields(*session).storedEntries)
        adopt(entry);
    noteChange();
}

void JournalStore::adopt(const PracticeEntryPtr& entry) {
    PracticeRecordTracking& tracking = trackingOf(*entry);
    if (tracks(*entry)) {
        if (tracking.state == State::deleted) {
            tracking.state = State::alive;
            m_unsaved->note(*entry);
        }
        return;
    }
    if (tracking.observer())
        return;
    tracking = PracticeRecordTracking{};
    tracking.link = m_link;
    tracking.key = m_nextEntryKey++;
    tracking.state = State::alive;
    m_unsaved->note(*entry);
}

void JournalStore::remove(PracticeSessionPtr session) {
    if (!session || !tracks(*session) || trackingOf(*session).state != State::alive)
        return;
    const PracticeRecordChangeGroup group(this);
    trackingOf(*session).state = State::deleted;
    m_unsaved->note(*session);
    m_sessions.remove(*session);
    // Cascade: the entries go with their session. The list itself stays as it was, so that a
    // rollback finds the session whole.
    for (const PracticeEntryPtr& entry : PracticeRecordAccess::fields(*session).storedEntries) {
        if (tracks(*entry) && trackingOf(*entry).state == State::alive) {
            trackingOf(*entry).state = State::deleted;
            m_unsaved->note(*entry);
        }
    }
    noteChange();
}

void JournalStore::remove(PracticeEntryPtr entry) {
    if (!entry || !tracks(*entry) || trackingOf(*entry).state != State::alive)
        return;
    const PracticeRecordChangeGroup group(this);
    // Nullify: the session keeps its other entries.
    entry->setSession(nullptr);
    trackingOf(*entry).state = State::deleted;
    m_unsaved->note(*entry);
    noteChange();
}

void JournalStore::save() {
    if (!hasChanges())
        return;

    JournalDatabase::Changes changes;
    std::unordered_set<const PracticeEntry*> writtenEntries;
    const auto writeEntry = [&](PracticeEntry& entry) {
        if (!tracks(entry) || trackingOf(entry).state != State::alive ||
            !writtenEntries.insert(&entry).second)
            return;
        JournalDatabase::Changes::WrittenEntry written{&entry, std::nullopt, 0};
        if (const PracticeSessionPtr session = entry.session();
            session && tracks(*session) && trackingOf(*session).state == State::alive) {
            written.sessionKey = trackingOf(*session).key;
            const auto& list = session->storedEntries();
            const auto position =
                std::find_if(list.begin(), list.end(), [&entry](const PracticeEntryPtr& listed) {
                    return listed.get() == &entry;
                });
            written.position = position - list.begin();
        }
        changes.writtenEntries.push_back(written);
    };

    for (const auto& [record, change] : m_unsaved->sessions) {
        const PracticeRecordTracking& tracking = trackingOf(*change.record);
        if (tracking.state == State::deleted && tracking.rowExists)
            changes.deletedSessionKeys.push_back(tracking.key);
        if (tracking.state == State::alive)
            changes.writtenSessions.push_back(record);
    }
    // A session's entries are written with it: their positions follow its list.
    for (const auto& [record, change] : m_unsaved->sessions) {
        if (trackingOf(*change.record).state == State::alive) {
            for (const PracticeEntryPtr& entry : change.record->storedEntries())
                writeEntry(*entry);
        }
    }
    for (const auto& [record, change] : m_unsaved->entries) {
        const PracticeRecordTracking& tracking = trackingOf(*change.record);
        if (tracking.state == State::deleted && tracking.rowExists)
            changes.deletedEntryKeys.push_back(tracking.key);
        writeEntry(*change.record);
    }

    if (const std::optional<QString> failure = m_database->write(changes))
        throw SaveError(*failure);

    // Deleted sessions have left the list already; fold it before their bookkeeping goes.
    m_sessions.sessions();
    const PracticeRecordChangeGroup group(this);
    for (const auto& [record, change] : m_unsaved->sessions) {
        PracticeRecordTracking& tracking = trackingOf(*change.record);
        tracking.rowExists = tracking.state == State::alive;
        if (tracking.state == State::deleted)
            tracking.link.reset();
    }
    for (const auto& [record, change] : m_unsaved->entries) {
        PracticeRecordTracking& tracking = trackingOf(*change.record);
        tracking.rowExists = tracking.state == State::alive;
        if (tracking.state == State::deleted)
            tracking.link.reset();
    }
    m_unsaved->sessions.clear();
    m_unsaved->entries.clear();
    noteChange();
}

void JournalStore::copyInto(const QString& filePath) const {
    if (const std::optional<QString> failure = m_database->copyInto(filePath))
        throw StoreError(*failure);
}

void JournalStore::rollback() {
    if (!hasChanges())
        return;
    const PracticeRecordChangeGroup group(this);
    UnsavedChanges undone;
    std::swap(undone, *m_unsaved);

    std::vector<PracticeSession*> detachedSessions;
    std::vector<PracticeEntry*> detachedEntries;
    for (auto& [record, change] : undone.sessions) {
        PracticeSession& session = *change.record;
        touch(&session);
        m_sessions.remove(session);
        if (trackingOf(session).rowExists) {
            if (change.storedFields)
                PracticeRecordAccess::fields(session) = std::move(*change.storedFields);
            trackingOf(session).state = State::alive;
            m_sessions.add(change.record);
        } else {
            detachedSessions.push_back(&session);
        }
    }
    for (auto& [record, change] : undone.entries) {
        PracticeEntry& entry = *change.record;
        touch(entry.session().get());
        if (trackingOf(entry).rowExists) {
            if (change.storedFields)
                PracticeRecordAccess::fields(entry) = std::move(*change.storedFields);
            touch(entry.session().get());
            trackingOf(entry).state = State::alive;
        } else {
            detachedEntries.push_back(&entry);
        }
    }
    // Fold the list before the bookkeeping of sessions that leave the store goes.
    m_sessions.sessions();

    // Records that leave the store let go of the ones that stay: the stored sessions' lists no
    // longer hold the new entries, and stored entries are back in their own sessions.
    for (PracticeEntry* entry : detachedEntries) {
        PracticeRecordAccess::EntryFields& fields = PracticeRecordAccess::fields(*entry);
        if (PracticeSession* session = fields.session;
            session && tracks(*session) && trackingOf(*session).rowExists)
            fields.session = nullptr;
    }
    for (PracticeSession* session : detachedSessions) {
        std::erase_if(PracticeRecordAccess::fields(*session).storedEntries,
                      [this](const PracticeEntryPtr& entry) {
                          return tracks(*entry) && trackingOf(*entry).rowExists;
                      });
    }
    for (PracticeEntry* entry : detachedEntries)
        detach(trackingOf(*entry));
    for (PracticeSession* session : detachedSessions)
        detach(trackingOf(*session));
    noteChange();
}

void JournalStore::sessionWillChange(PracticeSession& session, SessionField field) {
    // Where the list placed it, to find it there once the new start is written.
    if (field == SessionField::startedAt)
        m_startedAtBeforeWrite = session.startedAt().msecsSinceEpoch();
    UnsavedChanges::SessionChange& change = m_unsaved->note(session);
    if (trackingOf(session).rowExists && !change.storedFields)
        change.storedFields = PracticeRecordAccess::fields(session);
}

void JournalStore::sessionDidChange(PracticeSession& session, SessionField field) {
    touch(&session);
    if (trackingOf(session).state == State::alive) {
        if (field == SessionField::startedAt)
            m_sessions.reposition(session, m_startedAtBeforeWrite);
        // Entries join the store through their session, as inserting a session brings them.
        if (field == SessionField::storedEntries) {
            for (const PracticeEntryPtr& entry : session.storedEntries())
                adopt(entry);
        }
    }
    noteChange();
}

void JournalStore::entryWillChange(PracticeEntry& entry, EntryField) {
    // The session it leaves, when the write moves it.
    touch(entry.session().get());
    UnsavedChanges::EntryChange& change = m_unsaved->note(entry);
    if (trackingOf(entry).rowExists && !change.storedFields)
        change.storedFields = PracticeRecordAccess::fields(entry);
}

void JournalStore::entryDidChange(PracticeEntry& entry, EntryField field) {
    touch(entry.session().get());
    if (field == EntryField::session && trackingOf(entry).state == State::alive) {
        // A session reached through a stored entry joins the store with it.
        const PracticeSessionPtr session = entry.session();
        if (session && !tracks(*session) && !trackingOf(*session).observer())
            insert(session);
    }
    noteChange();
}

void JournalStore::beginChangeGroup() {
    ++m_changeGroupDepth;
}

void JournalStore::endChangeGroup() {
    if (--m_changeGroupDepth == 0 && m_changedInGroup) {
        m_changedInGroup = false;
        Q_EMIT sessionsChanged();
    }
}

void JournalStore::noteChange() {
    if (m_changeGroupDepth > 0) {
        m_changedInGroup = true;
        return;
    }
    Q_EMIT sessionsChanged();
}

} // namespace brevanta
