// SPDX-License-Identifier: MIT
#include "core/store/SortedSessionList.h"

#include "core/store/PracticeRecordAccess.h"

#include <algorithm>
#include <utility>

namespace brevanta {

namespace {

// Up to this many additions go in one by one; more are merged in one pass.
constexpr std::size_t largestSingleInsertion = 16;

} // namespace

bool SortedSessionList::isBefore(const SortKey& left, const SortKey& right) {
    if (left.startedAtMSecs != right.startedAtMSecs)
        return left.startedAtMSecs > right.startedAtMSecs;
    return left.storeKey > right.storeKey;
}

bool SortedSessionList::isBefore(const PracticeSession& left, const PracticeSession& right) {
    return isBefore(currentKey(left), currentKey(right));
}

SortedSessionList::SortKey SortedSessionList::currentKey(const PracticeSession& session) {
    return {session.startedAt().msecsSinceEpoch(), PracticeRecordAccess::tracking(session).key};
}

const std::vector<PracticeSessionPtr>& SortedSessionList::sessions() const {
    fold();
    return m_sorted;
}

void SortedSessionList::mergeSorted(std::vector<PracticeSessionPtr> sessions) {
    fold();
    std::vector<SortKey> keys;
    keys.reserve(sessions.size());
    for (const PracticeSessionPtr& session : sessions) {
        PracticeRecordAccess::tracking(*session).inSortedList = true;
        keys.push_back(currentKey(*session));
    }
    if (m_sorted.empty()) {
        m_sorted = std::move(sessions);
        m_keys = std::move(keys);
        return;
    }
    std::vector<PracticeSessionPtr> merged;
    std::vector<SortKey> mergedKeys;
    merged.reserve(m_sorted.size() + sessions.size());
    mergedKeys.reserve(merged.capacity());
    std::size_t listed = 0;
    std::size_t arriving = 0;
    while (listed < m_sorted.size() || arriving < sessions.size()) {
        const bool takeListed =
            arriving == sessions.size() ||
            (listed < m_sorted.size() && isBefore(m_keys[listed], keys[arriving]));
        if (takeListed) {
            merged.push_back(std::move(m_sorted[listed]));
            mergedKeys.push_back(m_keys[listed++]);
        } else {
            merged.push_back(std::move(sessions[arriving]));
            mergedKeys.push_back(keys[arriving++]);
        }
    }
    m_sorted.swap(merged);
    m_keys.swap(mergedKeys);
}

std::vector<PracticeSessionPtr> SortedSessionList::takeAll() {
    fold();
    m_keys.clear();
    return std::exchange(m_sorted, {});
}

void SortedSessionList::add(const PracticeSessionPtr& session) {
    if (contains(*session))
        return;
    PracticeRecordAccess::tracking(*session).awaitingSortedInsertion = true;
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
    if (tracking.inSortedList) {
        const auto index =
            static_cast<std::ptrdiff_t>(indexOf(session, session.startedAt().msecsSinceEpoch()));
        m_sorted.erase(m_sorted.begin() + index);
        m_keys.erase(m_keys.begin() + index);
        tracking.inSortedList = false;
    }
}

void SortedSessionList::reposition(PracticeSession& session, std::int64_t listedStartedAtMSecs) {
    // A waiting session is placed by its key when it goes in.
    if (!PracticeRecordAccess::tracking(session).inSortedList)
        return;
    const auto from = static_cast<std::ptrdiff_t>(indexOf(session, listedStartedAtMSecs));
    const SortKey key = currentKey(session);
    const auto keys = m_keys.begin();
    const auto handles = m_sorted.begin();
    // Rotate across only the sessions it passes: an edit rarely moves a session far.
    if (from > 0 && isBefore(key, m_keys[std::size_t(from - 1)])) {
        const auto to =
            std::lower_bound(keys, keys + from, key,
                             [](const SortKey& l, const SortKey& r) { return isBefore(l, r); }) -
            keys;
        std::rotate(handles + to, handles + from, handles + from + 1);
        std::rotate(keys + to, keys + from, keys + from + 1);
        m_keys[std::size_t(to)] = key;
    } else if (from + 1 < std::ptrdiff_t(m_keys.size()) &&
               isBefore(m_keys[std::size_t(from + 1)], key)) {
        const auto end =
            std::lower_bound(keys + from + 1, m_keys.end(), key,
                             [](const SortKey& l, const SortKey& r) { return isBefore(l, r); }) -
            keys;
        std::rotate(handles + from, handles + from + 1, handles + end);
        std::rotate(keys + from, keys + from + 1, keys + end);
        m_keys[std::size_t(end - 1)] = key;
    } else {
        m_keys[std::size_t(from)] = key;
    }
}

bool SortedSessionList::contains(const PracticeSession& session) const {
    const PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(session);
    return tracking.awaitingSortedInsertion || tracking.inSortedList;
}

std::size_t SortedSessionList::indexOf(const PracticeSession& session,
                                       std::int64_t listedStartedAtMSecs) const {
    const SortKey listed{listedStartedAtMSecs, PracticeRecordAccess::tracking(session).key};
    const auto found =
        std::lower_bound(m_keys.begin(), m_keys.end(), listed,
                         [](const SortKey& l, const SortKey& r) { return isBefore(l, r); });
    Q_ASSERT(found != m_keys.end() &&
             m_sorted[std::size_t(found - m_keys.begin())].get() == &session);
    return std::size_t(found - m_keys.begin());
}

void SortedSessionList::insertAt(std::size_t index, const PracticeSessionPtr& session,
                                 SortKey key) const {
    m_sorted.insert(m_sorted.begin() + std::ptrdiff_t(index), session);
    m_keys.insert(m_keys.begin() + std::ptrdiff_t(index), key);
}

void SortedSessionList::fold() const {
    if (m_awaitingInsertion.empty())
        return;
    std::vector<PracticeSessionPtr> arriving;
    arriving.swap(m_awaitingInsertion);
    std::vector<SortKey> arrivingKeys;
    arrivingKeys.reserve(arriving.size());
    for (const PracticeSessionPtr& session : arriving) {
        PracticeRecordTracking& tracking = PracticeRecordAccess::tracking(*session);
        tracking.awaitingSortedInsertion = false;
        tracking.inSortedList = true;
        arrivingKeys.push_back(currentKey(*session));
    }
    const auto byKey = [](const SortKey& l, const SortKey& r) { return isBefore(l, r); };

    if (arriving.size() <= largestSingleInsertion) {
        for (std::size_t index = 0; index < arriving.size(); ++index) {
            const auto at =
                std::lower_bound(m_keys.begin(), m_keys.end(), arrivingKeys[index], byKey);
            insertAt(std::size_t(at - m_keys.begin()), arriving[index], arrivingKeys[index]);
        }
        return;
    }

    std::vector<std::size_t> order(arriving.size());
    for (std::size_t index = 0; index < order.size(); ++index)
        order[index] = index;
    std::sort(order.begin(), order.end(), [&arrivingKeys](std::size_t l, std::size_t r) {
        return isBefore(arrivingKeys[l], arrivingKeys[r]);
    });
    std::vector<PracticeSessionPtr> merged;
    std::vector<SortKey> mergedKeys;
    merged.reserve(m_sorted.size() + arriving.size());
    mergedKeys.reserve(merged.capacity());
    std::size_t listed = 0;
    for (const std::size_t next : order) {
        while (listed < m_keys.size() && isBefore(m_keys[listed], arrivingKeys[next])) {
            merged.push_back(std::move(m_sorted[listed]));
            mergedKeys.push_back(m_keys[listed]);
            ++listed;
        }
        merged.push_back(std::move(arriving[next]));
        mergedKeys.push_back(arrivingKeys[next]);
    }
    for (; listed < m_keys.size(); ++listed) {
        merged.push_back(std::move(m_sorted[listed]));
        mergedKeys.push_back(m_keys[listed]);
    }
    m_sorted.swap(merged);
    m_keys.swap(mergedKeys);
}

} // namespace brevanta
