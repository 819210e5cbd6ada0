// SPDX-License-Identifier: MIT
#include "core/journal/JournalSessionFilter.h"

#include "core/journal/JournalSearchIndex.h"
#include "core/time/TextServices.h"

#include <algorithm>

namespace brevanta {

namespace {

bool startsLater(const PracticeSessionPtr& left, const PracticeSessionPtr& right) {
    return left->startedAt() > right->startedAt();
}

bool isLatestFirst(const std::vector<PracticeSessionPtr>& sessions) {
    return std::is_sorted(sessions.begin(), sessions.end(), startsLater);
}

} // namespace

JournalSessionFilter::Matches
JournalSessionFilter::sessions(const std::vector<PracticeSessionPtr>& sessions, QStringView query,
                               const Calendar& calendar, GivenOrder order) {
    Q_ASSERT(order == GivenOrder::any || isLatestFirst(sessions));
    Matches matches;
    const QString trimmedQuery = TextServices::trimmed(query);
    if (trimmedQuery.isEmpty()) {
        if (order == GivenOrder::newestFirst || isLatestFirst(sessions)) {
            matches.m_given = &sessions;
        } else {
            matches.m_found = sessions;
            std::stable_sort(matches.m_found.begin(), matches.m_found.end(), startsLater);
        }
        return matches;
    }

    thread_local JournalSearchTexts texts;
    texts.clear();
    for (const PracticeSessionPtr& session : sessions)
        texts.append(*session, calendar, nullptr);
    thread_local std::vector<std::uint32_t> positions;
    texts.findAll(JournalSearchTexts::query(trimmedQuery, calendar), positions);
    matches.m_found.reserve(positions.size());
    for (const std::uint32_t position : positions)
        matches.m_found.push_back(sessions[position]);
    // Found in the given order, the matches of a list newest first are newest first too.
    if (order == GivenOrder::any && !isLatestFirst(matches.m_found))
        std::stable_sort(matches.m_found.begin(), matches.m_found.end(), startsLater);
    return matches;
}

QString JournalSessionFilter::searchableText(const PracticeSession& session,
                                             const Calendar& calendar) {
    return JournalSearchTexts::searchableText(session, calendar);
}

} // namespace brevanta
