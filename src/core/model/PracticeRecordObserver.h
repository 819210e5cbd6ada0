// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

namespace brevanta {

class PracticeSession;
class PracticeEntry;

enum class SessionField {
    id,
    startedAt,
    endedAt,
    durationSeconds,
    sourceRawValue,
    notes,
    createdAt,
    updatedAt,
    storedEntries,
};

enum class EntryField {
    id,
    title,
    categoryRawValue,
    durationSeconds,
    notes,
    sortOrder,
    createdAt,
    updatedAt,
    session,
};

/// Sees every write to the records it tracks: before the write, so it can keep the stored values
/// for a rollback, and after it, so it can record the change and tell its listeners.
class PracticeRecordObserver {
public:
    virtual void sessionWillChange(PracticeSession& session, SessionField field) = 0;
    virtual void sessionDidChange(PracticeSession& session, SessionField field) = 0;
    virtual void entryWillChange(PracticeEntry& entry, EntryField field) = 0;
    virtual void entryDidChange(PracticeEntry& entry, EntryField field) = 0;
    /// Brackets several writes that make one change, so listeners hear of it once.
    virtual void beginChangeGroup() = 0;
    virtual void endChangeGroup() = 0;

protected:
    ~PracticeRecordObserver() = default;
};

/// Shared by an observer and every record it tracks. The observer clears it when it goes away,
/// so a record that outlives its store never calls into a dead object.
struct PracticeRecordObserverLink {
    PracticeRecordObserver* observer = nullptr;
};

/// What a store keeps on each record it tracks.
struct PracticeRecordTracking {
    enum class State : std::uint8_t { detached, alive, deleted };

    std::shared_ptr<PracticeRecordObserverLink> link;
    /// The record's identity inside its store; unique per store and record type.
    std::int64_t key = 0;
    State state = State::detached;
    /// Whether the store's file holds a row for this record as of the last save.
    bool rowExists = false;
    /// Bookkeeping of the store's sorted session list: where the session is, and the start
    /// under which it was placed there, so it can be found again after startedAt changed.
    bool inSortedList = false;
    bool awaitingSortedInsertion = false;
    /// Moves on whenever the store sees the record written (a session also when one of its
    /// entries is), so what is worked out from a session can be kept while it stays the same.
    std::uint32_t revision = 0;
    std::int64_t listedStartedAtMSecs = 0;

    PracticeRecordObserver* observer() const { return link ? link->observer : nullptr; }
};

/// Groups the writes of one operation on a record into one change for its observer.
class PracticeRecordChangeGroup {
public:
    explicit PracticeRecordChangeGroup(PracticeRecordObserver* observer)
        : m_observer(observer) {
        if (m_observer)
            m_observer->beginChangeGroup();
    }
    ~PracticeRecordChangeGroup() {
        if (m_observer)
            m_observer->endChangeGroup();
    }
    PracticeRecordChangeGroup(const PracticeRecordChangeGroup&) = delete;
    PracticeRecordChangeGroup& operator=(const PracticeRecordChangeGroup&) = delete;

private:
    PracticeRecordObserver* m_observer = nullptr;
};

} // namespace brevanta
