// SPDX-License-Identifier: MIT
#pragma once

#include "core/journal/JournalSearchIndex.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "core/time/Instant.h"

#include <QAbstractListModel>

#include <map>
#include <vector>

namespace brevanta {

/// The journal list as rows: a heading for each month, then that month's sessions, newest first.
///
/// It reads a list of sessions that the owner keeps (the store's own list, or the positions in it
/// of a search's matches) instead of copying it, and finds the month boundaries by binary search
/// over the start instants, so showing a list costs a few calendar calls per month whatever the
/// journal's size. The owner calls setSessions() again whenever that list may have changed; until
/// then the list must stay alive and unchanged. Texts are made only for the rows being drawn.
class SessionListModel final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionListModel)

public:
    enum class RowKind { monthHeading, session };

    struct MonthHeading {
        int row = 0;
        /// Index of the month's newest session in the list.
        std::size_t firstSession = 0;
        Instant month;
    };

    SessionListModel(Calendar calendar, Clock clock, QObject* parent = nullptr);

    /// Shows `sessions`, newest first. Resets the model.
    void setSessions(PickedSessions sessions);
    const PickedSessions& sessions() const { return m_sessions; }
    std::size_t sessionCount() const { return m_sessions.size(); }
    const PracticeSessionPtr& sessionAt(std::size_t index) const { return m_sessions[index]; }

    RowKind kind(int row) const;
    /// The session of a session row; null for a heading.
    PracticeSessionPtr session(int row) const;
    /// The row of the `index`th session.
    int rowOfSessionIndex(std::size_t index) const;
    /// The row of `session`, or -1 when it is not listed. A binary search by its start.
    int rowOf(const PracticeSession& session) const;
    const std::vector<MonthHeading>& headings() const { return m_headings; }

    /// The text a screen reader reads for a session row: day, title, duration and preview.
    QString accessibleText(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /// A month heading answers AppAccessibleList::roleDataRole with a heading's role, so a screen
    /// reader can move from month to month.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    /// How many headings stand at or before `row`.
    std::size_t headingsUpTo(int row) const;
    void findMonths();

    Calendar m_calendar;
    Clock m_clock;
    /// The index of the first session that starts before `start`, from `first` on.
    std::size_t firstStartingBefore(Instant start, std::size_t first) const;
    Instant monthStartOf(Instant start);

    PickedSessions m_sessions;
    std::vector<MonthHeading> m_headings;
    /// The months met so far: first instant to the end.
    std::map<std::int64_t, std::int64_t> m_monthStarts;
};

} // namespace brevanta
