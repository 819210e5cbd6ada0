// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

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
/// so a record that outlives its store never calls into a dead object. Counted by hand, so that
/// a record holds it with one pointer; the last holder frees it.
class PracticeRecordObserverLink {
public:
    /// A counted hold on a link; empty when the record is tracked by nobody.
    class Ref {
    public:
        Ref() = default;
        static Ref make(PracticeRecordObserver* observer) {
            Ref ref;
            ref.m_link = new PracticeRecordObserverLink;
            ref.m_link->observer = observer;
            return ref;
        }
        Ref(const Ref& other)
            : m_link(other.m_link) {
            if (m_link)
                m_link->m_holders.fetch_add(1, std::memory_order_relaxed);
        }
        Ref(Ref&& other) noexcept
            : m_link(std::exchange(other.m_link, nullptr)) {}
        Ref& operator=(Ref other) noexcept {
            std::swap(m_link, other.m_link);
            return *this;
        }
        ~Ref() {
            if (m_link && m_link->m_holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
                delete m_link;
        }

        void reset() { *this = Ref(); }
        explicit operator bool() const { return m_link != nullptr; }
        PracticeRecordObserverLink* operator->() const { return m_link; }
        bool operator==(const Ref& other) const { return m_link == other.m_link; }

    private:
        PracticeRecordObserverLink* m_link = nullptr;
    };

    PracticeRecordObserver* observer = nullptr;

private:
    PracticeRecordObserverLink() = default;

    // Records are made on the loading thread and dropped on the main one.
    std::atomic<std::size_t> m_holders{1};
};

/// What a store keeps on each record it tracks: 24 bytes, the small fields packed together.
struct PracticeRecordTracking {
    enum class State : std::uint8_t { detached, alive, deleted };

    PracticeRecordObserverLink::Ref link;
    /// The record's identity inside its store; unique per store and record type.
    std::int64_t key = 0;
    /// Moves on whenever the store sees the record written (a session also when one of its
    /// entries is), so what is worked out from a session can be kept while it stays the same.
    std::uint32_t revision = 0;
    State state = State::detached;
    /// Whether the store's file holds a row for this record as of the last save.
    bool rowExists = false;
    /// Bookkeeping of the store's sorted session list: whether the session is there or waits to
    /// go in. The list finds it by its start, which the store sees before each write.
    bool inSortedList = false;
    bool awaitingSortedInsertion = false;

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
