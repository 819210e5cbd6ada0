// SPDX-License-Identifier: MIT
#pragma once

#include "core/journal/JournalSearchIndex.h"
#include "core/time/Calendar.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <optional>

namespace brevanta {

class JournalStore;

/// Writes the journal's search texts (JournalSearchIndex) before the user's first keystroke, while
/// the event loop is idle. Writing the texts of 10,000 sessions takes about 20 ms, more than a
/// frame; here it goes a chunk of sessions at a time from a zero-interval timer, so input and
/// painting wait for one chunk at most (about a millisecond).
///
/// Once started it walks the store's list again after every change of the store; the dates of a
/// start written before are copied, so only new and moved starts are formatted. The calendar is
/// read when a walk begins: a change of time zone or locale alone starts no walk, and the next
/// search then writes its own texts. Main thread only, like the store.
class JournalSearchWarmUp final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JournalSearchWarmUp)

public:
    /// About a millisecond when every text is new.
    static constexpr std::size_t defaultChunkSize = 150;

    /// Walks the sessions of `store` under the calendar `currentCalendar` gives when a walk
    /// begins — the user's current one, as the screens read it.
    JournalSearchWarmUp(const JournalStore& store, std::function<Calendar()> currentCalendar,
                        QObject* parent = nullptr);

    /// Begins the first walk and follows the store from then on; later calls do nothing.
    /// An empty journal has nothing to walk.
    void start();
    /// Prepares the next chunk and stops the walk at the end of the list; nothing when no walk
    /// is under way. The timer calls it.
    void step();

    bool isStarted() const { return m_isStarted; }
    bool isWalking() const { return m_timer.isActive(); }
    /// Where the next chunk begins in the store's list.
    std::size_t position() const { return m_position; }
    /// Date texts written since the current or last walk began.
    std::size_t formattedCount() const { return m_formattedCount; }
    std::size_t chunkSize() const { return m_chunkSize; }
    /// Sessions per chunk, at least one.
    void setChunkSize(std::size_t sessions);

Q_SIGNALS:
    /// A walk reached the end of the list.
    void finished();

private:
    void walkFromStart();

    const JournalStore& m_store;
    std::function<Calendar()> m_currentCalendar;
    JournalSearchIndex& m_index;
    /// Read once per walk: building the user's calendar costs more than a chunk of lookups.
    std::optional<Calendar> m_calendar;
    QTimer m_timer;
    std::size_t m_chunkSize = defaultChunkSize;
    std::size_t m_position = 0;
    std::size_t m_formattedCount = 0;
    bool m_isStarted = false;
};

} // namespace brevanta
