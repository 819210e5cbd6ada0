// SPDX-License-Identifier: MIT
#include "ui/shell/JournalSearchWarmUp.h"

#include "core/store/JournalStore.h"

#include <algorithm>

namespace brevanta {

JournalSearchWarmUp::JournalSearchWarmUp(const JournalStore& store,
                                         std::function<Calendar()> currentCalendar, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_currentCalendar(std::move(currentCalendar))
    , m_index(JournalSearchIndex::of(store)) {
    // A zero interval runs a chunk whenever the event loop has handled what was pending.
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &JournalSearchWarmUp::step);
}

void JournalSearchWarmUp::start() {
    if (m_isStarted)
        return;
    m_isStarted = true;
    connect(&m_store, &JournalStore::sessionsChanged, this, &JournalSearchWarmUp::walkFromStart);
    walkFromStart();
}

void JournalSearchWarmUp::setChunkSize(std::size_t sessions) {
    m_chunkSize = std::max<std::size_t>(sessions, 1);
}

void JournalSearchWarmUp::walkFromStart() {
    // The list may have changed anywhere: indices shifted, starts moved. Walking it again costs a
    // lookup for every start already written.
    m_position = 0;
    m_formattedCount = 0;
    m_calendar.reset();
    if (m_store.sessions().empty())
        m_timer.stop();
    else
        m_timer.start();
}

void JournalSearchWarmUp::step() {
    if (!isWalking())
        return;
    if (!m_calendar)
        m_calendar = m_currentCalendar();
    const JournalSearchIndex::Preparation preparation = m_index.prepare(*m_calendar, m_chunkSize);
    m_position = preparation.next;
    m_formattedCount += preparation.formatted;
    if (m_position < m_store.sessions().size())
        return;
    m_timer.stop();
    m_calendar.reset();
    Q_EMIT finished();
}

} // namespace brevanta
