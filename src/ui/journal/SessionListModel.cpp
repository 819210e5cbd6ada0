// SPDX-License-Identifier: MIT
#include "ui/journal/SessionListModel.h"

#include "core/journal/SessionDayGrouping.h"
#include "ui/journal/SessionRowView.h"

#include <algorithm>

namespace brevanta {

SessionListModel::SessionListModel(Calendar calendar, Clock clock, QObject* parent)
    : QAbstractListModel(parent)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock)) {}

void SessionListModel::setSessions(const std::vector<PracticeSessionPtr>* sessions) {
    beginResetModel();
    m_sessions = sessions;
    findMonths();
    endResetModel();
}

void SessionListModel::findMonths() {
    m_headings.clear();
    if (!m_sessions)
        return;
    const std::vector<PracticeSessionPtr>& sessions = *m_sessions;
    std::size_t index = 0;
    while (index < sessions.size()) {
        const Instant start = sessions[index]->startedAt();
        const std::optional<Calendar::Interval> month = m_calendar.monthInterval(start);
        const Instant monthStart = month ? month->start : m_calendar.startOfDay(start);
        m_headings.push_back({int(index + m_headings.size()), index, monthStart});
        // Newest first: the month ends where the first earlier start stands.
        const auto next =
            std::partition_point(sessions.begin() + std::ptrdiff_t(index), sessions.end(),
                                 [monthStart](const PracticeSessionPtr& session) {
                                     return session->startedAt() >= monthStart;
                                 });
        index = std::max(index + 1, std::size_t(next - sessions.begin()));
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
    return (*m_sessions)[std::size_t(row) - before];
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
    if (!m_sessions || session.isDeleted())
        return -1;
    const std::vector<PracticeSessionPtr>& sessions = *m_sessions;
    const Instant start = session.startedAt();
    auto found = std::partition_point(
        sessions.begin(), sessions.end(),
        [start](const PracticeSessionPtr& listed) { return listed->startedAt() > start; });
    for (; found != sessions.end() && (*found)->startedAt() == start; ++found) {
        if (found->get() == &session)
            return rowOfSessionIndex(std::size_t(found - sessions.begin()));
    }
    return -1;
}

QString SessionListModel::accessibleText(int row) const {
    const PracticeSessionPtr listed = session(row);
    if (!listed)
        return {};
    return SessionRowView::accessibleText(*listed, SessionRowView::Context::history, m_clock.now(),
                                          m_calendar);
}

int SessionListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_sessions)
        return 0;
    return int(m_sessions->size() + m_headings.size());
}

QVariant SessionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
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
