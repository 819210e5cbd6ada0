// SPDX-License-Identifier: MIT
#include "ui/journal/SessionListModel.h"

#include "core/journal/SessionDayGrouping.h"
#include "ui/design/AppAccessibleList.h"
#include "ui/journal/SessionRowView.h"

#include <QAccessible>

#include <algorithm>

namespace brevanta {

SessionListModel::SessionListModel(Calendar calendar, Clock clock, QObject* parent)
    : QAbstractListModel(parent)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock)) {}

void SessionListModel::setSessions(PickedSessions sessions) {
    beginResetModel();
    m_sessions = sessions;
    findMonths();
    endResetModel();
}

std::size_t SessionListModel::firstStartingBefore(Instant start, std::size_t first) const {
    // Newest first: a binary search over the start instants.
    std::size_t low = first;
    std::size_t high = m_sessions.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (m_sessions.startAt(middle) >= start)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

Instant SessionListModel::monthStartOf(Instant start) {
    // A month does not depend on the list: each search would otherwise ask the calendar again
    // for every month it shows, thousands of time zone lookups at 100,000 sessions.
    const std::int64_t key = start.msecsSinceEpoch();
    auto after = m_monthStarts.upper_bound(key);
    if (after != m_monthStarts.begin()) {
        const auto month = std::prev(after);
        if (key < month->second)
            return Instant::fromMSecsSinceEpoch(month->first);
    }
    if (const std::optional<Calendar::Interval> month = m_calendar.monthInterval(start)) {
        m_monthStarts[month->start.msecsSinceEpoch()] = month->end.msecsSinceEpoch();
        return month->start;
    }
    return m_calendar.startOfDay(start);
}

void SessionListModel::findMonths() {
    m_headings.clear();
    std::size_t index = 0;
    while (index < m_sessions.size()) {
        const Instant monthStart = monthStartOf(m_sessions.startAt(index));
        m_headings.push_back({int(index + m_headings.size()), index, monthStart});
        // The month ends where the first earlier start stands.
        index = std::max(index + 1, firstStartingBefore(monthStart, index));
    }
}

std::size_t SessionListModel::headingsUpTo(int row) const {
    return std::size_t(std::upper_bound(m_headings.begin(), m_headings.end(), row,
                                        [](int value, const MonthHeading& heading) {
                                            return value < heading.row;
                                        }) -
                       m_headings.begin());
}

SessionListModel::RowKind SessionListModel::kind(int row) const {
    const std::size_t before = headingsUpTo(row);
    return before > 0 && m_headings[before - 1].row == row ? RowKind::monthHeading
                                                           : RowKind::session;
}

PracticeSessionPtr SessionListModel::session(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    const std::size_t before = headingsUpTo(row);
    if (before > 0 && m_headings[before - 1].row == row)
        return nullptr;
    return m_sessions[std::size_t(row) - before];
}

int SessionListModel::rowOfSessionIndex(std::size_t index) const {
    // The headings before the session are those whose first session comes at or before it.
    const auto after = std::upper_bound(m_headings.begin(), m_headings.end(), index,
                                        [](std::size_t value, const MonthHeading& heading) {
                                            return value < heading.firstSession;
                                        });
    return int(index) + int(after - m_headings.begin());
}

int SessionListModel::rowOf(const PracticeSession& session) const {
    if (session.isDeleted())
        return -1;
    const Instant start = session.startedAt();
    // The first session starting no later than `start`, then those starting with it.
    std::size_t low = 0;
    std::size_t high = m_sessions.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (m_sessions.startAt(middle) > start)
            low = middle + 1;
        else
            high = middle;
    }
    for (; low < m_sessions.size() && m_sessions.startAt(low) == start; ++low) {
        if (m_sessions[low].get() == &session)
            return rowOfSessionIndex(low);
    }
    return -1;
}

QString SessionListModel::accessibleText(int row) const {
    const PracticeSessionPtr listed = session(row);
    if (!listed)
        return {};
    return SessionRowView::accessibleText(*listed, m_clock.now(), m_calendar);
}

int SessionListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return int(m_sessions.size() + m_headings.size());
}

QVariant SessionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == AppAccessibleList::roleDataRole)
        return kind(index.row()) == RowKind::monthHeading ? QVariant(int(QAccessible::Heading))
                                                          : QVariant();
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::size_t before = headingsUpTo(index.row());
    if (before > 0 && m_headings[before - 1].row == index.row())
        return SessionDayGrouping::monthTitle(m_headings[before - 1].month, m_clock.now(),
                                              m_calendar);
    return accessibleText(index.row());
}

Qt::ItemFlags SessionListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // A month heading is read, never selected.
    return kind(index.row()) == RowKind::monthHeading ? Qt::ItemIsEnabled
                                                      : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace brevanta
