// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"

#include <vector>

namespace brevanta {

/// The sessions of a store, newest first by startedAt; sessions that start together are ordered
/// by their store key, the later one first.
///
/// Kept up to date incrementally: additions and removals are noted on the records and folded in
/// on the next read with one linear merge, so a single change costs O(n) moves at most and a batch
/// of thousands costs one pass, never a full sort.
class SortedSessionList {
public:
    const std::vector<PracticeSessionPtr>& sessions() const;

    /// Takes a list already in order, as the store loads it.
    void assignSorted(std::vector<PracticeSessionPtr> sessions);
    void add(const PracticeSessionPtr& session);
    void remove(PracticeSession& session);
    /// Moves a listed session to where its current startedAt belongs.
    void reposition(const PracticeSessionPtr& session);
    bool contains(const PracticeSession& session) const;

    static bool isBefore(const PracticeSession& left, const PracticeSession& right);

private:
    void fold() const;

    mutable std::vector<PracticeSessionPtr> m_sorted;
    mutable std::vector<PracticeSessionPtr> m_awaitingInsertion;
    mutable std::size_t m_awaitingRemoval = 0;
};

} // namespace brevanta
