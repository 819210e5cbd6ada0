// SPDX-License-Identifier: MIT
#include "core/store/SortedSessionList.h"

#include "core/store/PracticeRecordAccess.h"

#include <algorithm>

namespace brevanta {

namespace {

bool isBeforeHandle(const PracticeSessionPtr& left, const PracticeSessionPtr& right) {
    return SortedSessionList::isBefore(*left, *right);
}

} // namespace

bool SortedSessionList::isBefore(const PracticeSession& left, const PracticeSession& right) {
    if (left.startedAt() != right.startedAt())
        return left.startedAt() > right.startedAt();
    return PracticeRecordAccess::tracking(left).key > PracticeRecordAccess::tracking(right).key;
}

const std::vector<PracticeSessionPtr>& SortedSessionList::sessions() const {
    fold();
    return m_sorted;
}

void SortedSessionList::assignSorted(std::vector<PracticeSessionPtr> sessions) {
    for (const PracticeSessionPtr& session : m_sorted)
        PracticeRecordAccess::tracking(*session).inSortedList = false;
    for (const PracticeSessionPtr& session : m_awaitingInsertion)
        PracticeRecordAccess::tracking(*session).awaitingSortedInsertion = false;
    m_awaitingInsertion.clear();
    m_awaitingRemoval = 0;
    m_sorted = std::move(sessions);
    for (const PracticeSessionPtr& session : m_sorted) {
        PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
        tracking.inSortedList = true;
        tracking.awaitingSortedRemoval = false;
    }
}

void SortedSessionList::add(const PracticeSessionPtr& session) {
    PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
    if (tracking.awaitingSortedInsertion ||
        (tracking.inSortedList && !tracking.awaitingSortedRemoval))
        return;
    // A session still in the list under a removal mark sits at a place its key may no longer
    // match: the mark stays, and the session comes back in at the right place.
    tracking.awaitingSortedInsertion = true;
    m_awaitingInsertion.push_back(session);
}

void SortedSessionList::remove(PracticeSession& session) {
    PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(session);
    if (tracking.awaitingSortedInsertion) {
        std::erase_if(m_awaitingInsertion, [&session](const PracticeSessionPtr& waiting) {
            return waiting.get() == &session;
        });
        tracking.awaitingSortedInsertion = false;
    }
    if (tracking.inSortedList && !tracking.awaitingSortedRemoval) {
        tracking.awaitingSortedRemoval = true;
        ++m_awaitingRemoval;
    }
}

void SortedSessionList::reposition(const PracticeSessionPtr& session) {
    if (!contains(*session))
        return;
    remove(*session);
    add(session);
}

bool SortedSessionList::contains(const PracticeSession& session) const {
    const PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(session);
    return tracking.awaitingSortedInsertion ||
           (tracking.inSortedList && !tracking.awaitingSortedRemoval);
}

void SortedSessionList::fold() const {
    if (m_awaitingRemoval > 0) {
        std::erase_if(m_sorted, [](const PracticeSessionPtr& session) {
            PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
            if (!tracking.awaitingSortedRemoval)
                return false;
            tracking.awaitingSortedRemoval = false;
            tracking.inSortedList = false;
            return true;
        });
        m_awaitingRemoval = 0;
    }
    if (m_awaitingInsertion.empty())
        return;
    std::sort(m_awaitingInsertion.begin(), m_awaitingInsertion.end(), isBeforeHandle);
    const auto listedCount = static_cast<std::ptrdiff_t>(m_sorted.size());
    m_sorted.insert(m_sorted.end(), m_awaitingInsertion.begin(), m_awaitingInsertion.end());
    for (const PracticeSessionPtr& session : m_awaitingInsertion) {
        PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
        tracking.awaitingSortedInsertion = false;
        tracking.inSortedList = true;
    }
    m_awaitingInsertion.clear();
    std::inplace_merge(m_sorted.begin(), m_sorted.begin() + listedCount, m_sorted.end(),
                       isBeforeHandle);
}

} // namespace brevanta
