// SPDX-License-Identifier: MIT
#include "ui/import/PracticeImportCandidateModel.h"

#include "core/import/PracticeImportViewModel.h"
#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"

#include <QLocale>

#include <algorithm>

namespace brevanta {

PracticeImportCandidateModel::PracticeImportCandidateModel(PracticeImportViewModel& model,
                                                           QObject* parent)
    : QAbstractListModel(parent)
    , m_model(model) {
    connect(&m_model, &PracticeImportViewModel::candidatesChanged, this,
            &PracticeImportCandidateModel::rebuild);
    // Conflicts follow the candidates, the notes choice and the journal; the view model says
    // when they may read differently.
    connect(&m_model, &PracticeImportViewModel::conflictsChanged, this,
            &PracticeImportCandidateModel::followChoices);
    connect(&m_model, &PracticeImportViewModel::conflictPolicyChanged, this,
            &PracticeImportCandidateModel::followChoices);
    connect(&m_model, &PracticeImportViewModel::approvedConflictIDsChanged, this,
            &PracticeImportCandidateModel::followChoices);
    rebuild();
}

int PracticeImportCandidateModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

void PracticeImportCandidateModel::rebuild() {
    beginResetModel();
    m_rows.clear();
    const Calendar& calendar = m_model.calendar();
    const std::vector<PracticeImportCandidate>& candidates = m_model.candidates();
    m_rows.reserve(candidates.size());
    for (const PracticeImportCandidate& candidate : candidates) {
        Row row;
        row.candidate = candidate;
        row.date = candidate.date(calendar);
        row.durationText = PracticeDurationFormatter::compact(candidate.durationSeconds);
        row.entriesText = QString::number(candidate.entries.size()) + QStringLiteral(" entries");
        row.summary = candidate.summary();
        m_rows.push_back(std::move(row));
    }
    // By date, the undated last; equal dates keep their loading order.
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& left, const Row& right) {
        if (!left.date || !right.date)
            return left.date.has_value() && !right.date.has_value();
        return *left.date < *right.date;
    });
    QSet<QUuid> kept;
    for (const Row& row : m_rows) {
        if (m_expanded.contains(row.candidate.id))
            kept.insert(row.candidate.id);
    }
    m_expanded = std::move(kept);
    endResetModel();
    followChoices();
}

void PracticeImportCandidateModel::followChoices() {
    if (m_rows.empty())
        return;
    // One lookup per row in the map the importer made in one pass; a row whose details appear
    // or go changes height, which only a layout change tells the view.
    bool heightsChanged = false;
    for (Row& row : m_rows) {
        const std::optional<PracticeImportConflict> conflict = m_model.conflict(row.candidate.id);
        const bool hadDetails = row.conflict || !row.candidate.warnings.empty();
        const bool hasDetails = conflict || !row.candidate.warnings.empty();
        heightsChanged = heightsChanged || hadDetails != hasDetails ||
                         (m_expanded.contains(row.candidate.id) && row.conflict != conflict);
        row.conflict = conflict;
    }
    if (heightsChanged) {
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    Q_EMIT dataChanged(index(0), index(int(m_rows.size()) - 1));
}

const QString& PracticeImportCandidateModel::dateText(const Row& row) const {
    if (!row.dateText.isEmpty())
        return row.dateText;
    const PracticeImportCandidate& candidate = row.candidate;
    if (row.date)
        row.dateText = DateFormatting::abbreviatedDate(*row.date, m_model.calendar());
    else if (candidate.year)
        // A year given later can lack the day the sheet names (Sep 31, Feb 29); such a day
        // is never imported, and asking for a year would not help.
        row.dateText = QStringLiteral("No such day (%1 %2, %3)")
                           .arg(QLocale::c().monthName(candidate.month, QLocale::ShortFormat))
                           .arg(candidate.day)
                           .arg(*candidate.year);
    else
        row.dateText = QStringLiteral("Year needed");
    return row.dateText;
}

bool PracticeImportCandidateModel::showsImportToggle(const Row& row) const {
    return row.conflict.has_value() &&
           m_model.conflictPolicy() == PracticeImportConflictPolicy::reviewIndividually;
}

QStringList PracticeImportCandidateModel::detailLines(const Row& row) const {
    QStringList lines;
    if (row.conflict)
        lines << row.conflict->reviewText();
    for (const PracticeImportWarning& warning : row.candidate.warnings)
        lines << warning.message();
    return lines;
}

QString PracticeImportCandidateModel::accessibleText(const Row& row) const {
    QString text = dateText(row) + QStringLiteral(", ") + row.durationText + QStringLiteral(", ") +
                   row.entriesText + QStringLiteral(", ") + row.summary;
    if (row.conflict || !row.candidate.warnings.empty())
        text += QStringLiteral(", Warning");
    return text;
}

QVariant PracticeImportCandidateModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row& row = m_rows[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return dateText(row);
    case Qt::AccessibleTextRole:
        return accessibleText(row);
    case Qt::AccessibleDescriptionRole:
        return detailLines(row).join(u'\n');
    case Qt::CheckStateRole:
        if (!showsImportToggle(row))
            return {};
        return m_model.approvedConflictIDs().contains(row.candidate.id) ? Qt::Checked
                                                                        : Qt::Unchecked;
    case durationTextRole:
        return row.durationText;
    case entriesTextRole:
        return row.entriesText;
    case summaryRole:
        return row.summary;
    case hasWarningRole:
        return row.conflict.has_value() || !row.candidate.warnings.empty();
    case detailLinesRole:
        return detailLines(row);
    case showsImportToggleRole:
        return showsImportToggle(row);
    case detailsExpandedRole:
        return m_expanded.contains(row.candidate.id);
    case candidateIdRole:
        return row.candidate.id;
    default:
        return {};
    }
}

bool PracticeImportCandidateModel::setData(const QModelIndex& index, const QVariant& value,
                                           int role) {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return false;
    const Row& row = m_rows[std::size_t(index.row())];
    if (role == Qt::CheckStateRole) {
        if (!showsImportToggle(row))
            return false;
        // Answered through approvedConflictIDsChanged, which repaints every row.
        m_model.setConflictApproved(row.candidate.id, value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }
    if (role == detailsExpandedRole) {
        const bool hasDetails = row.conflict || !row.candidate.warnings.empty();
        if (!hasDetails || value.toBool() == m_expanded.contains(row.candidate.id))
            return false;
        // The row changes height: a layout change makes the view measure it again.
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        if (value.toBool())
            m_expanded.insert(row.candidate.id);
        else
            m_expanded.remove(row.candidate.id);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        Q_EMIT dataChanged(index, index, {detailsExpandedRole});
        return true;
    }
    return false;
}

Qt::ItemFlags PracticeImportCandidateModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (showsImportToggle(m_rows[std::size_t(index.row())]))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

int PracticeImportCandidateModel::rowOf(const QUuid& id) const {
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].candidate.id == id)
            return int(row);
    }
    return -1;
}

} // namespace brevanta
