// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"

#include <cstdint>
#include <vector>

namespace brevanta {

/// The sessions of a store, newest first by startedAt; sessions that start together are ordered
/// by their store key, the later one first.
///
/// Kept up to date incrementally. The sort keys live beside the handles in one contiguous
/// array, so a session is found by binary search without touching the records. A moved session
/// is rotated into place across the sessions it passed; a removed one is erased; additions wait
/// until the next read and then go in one by one, or as one linear merge when there are many
/// (a bulk import). Nothing ever re-sorts the whole list.
class SortedSessionList {
public:
    const std::vector<PracticeSessionPtr>& sessions() const;

    /// Merges a list already in order, none of it listed yet, in one pass.
    void mergeSorted(std::vector<PracticeSessionPtr> sessions);
    /// Empties the list and hands its sessions over, in order.
    std::vector<PracticeSessionPtr> takeAll();
    void add(const PracticeSessionPtr& session);
    void remove(PracticeSession& session);
    /// Moves a listed session, placed under `listedStartedAtMSecs`, to where its current
    /// startedAt belongs. Every other call expects a listed session's start as it was placed:
    /// the store repositions after each write of it.
    void reposition(PracticeSession& session, std::int64_t listedStartedAtMSecs);
    bool contains(const PracticeSession& session) const;

    static bool isBefore(const PracticeSession& left, const PracticeSession& right);

private:
    struct SortKey {
        std::int64_t startedAtMSecs;
        std::int64_t storeKey;
    };
    static bool isBefore(const SortKey& left, const SortKey& right);
    static SortKey currentKey(const PracticeSession& session);
    std::size_t indexOf(const PracticeSession& session, std::int64_t listedStartedAtMSecs) const;
    void insertAt(std::size_t index, const PracticeSessionPtr& session, SortKey key) const;
    void fold() const;

    mutable std::vector<PracticeSessionPtr> m_sorted;
    mutable std::vector<SortKey> m_keys;
    mutable std::vector<PracticeSessionPtr> m_awaitingInsertion;
};

} // namespace brevanta
