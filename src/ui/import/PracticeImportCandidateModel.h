// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeImportCandidate.h"
#include "core/import/PracticeImportConflict.h"
#include "core/time/Instant.h"

#include <QAbstractListModel>
#include <QSet>
#include <QStringList>
#include <QUuid>

#include <optional>
#include <vector>

namespace brevanta {

class PracticeImportViewModel;

/// The days of an import review as a list, in review order (by date, undated ones last), with
/// each day's texts prepared once per change so that painting and scrolling only read them.
/// Follows the view model: new candidates reset the list; conflicts, the policy, approvals and
/// the notes choice change rows in place. Remembers which rows show their details.
class PracticeImportCandidateModel final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeImportCandidateModel)

public:
    enum Role {
        /// Qt::DisplayRole is the date, or "Year needed".
        durationTextRole = Qt::UserRole + 1,
        entriesTextRole,
        summaryRole,
        /// The day has a warning or a conflict: the warning sign and "Details" show.
        hasWarningRole,
        /// The conflict text, then each warning's message.
        detailLinesRole,
        /// The "Import" box shows: conflicts are reviewed one by one and this day has one.
        /// Qt::CheckStateRole then tells whether it is ticked.
        showsImportToggleRole,
        detailsExpandedRole,
        candidateIdRole,
    };

    explicit PracticeImportCandidateModel(PracticeImportViewModel& model,
                                          QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    /// Qt::CheckStateRole approves or withdraws a conflicting day; detailsExpandedRole shows or
    /// hides a day's details.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The row of the candidate with `id`, or -1.
    int rowOf(const QUuid& id) const;

private:
    struct Row {
        PracticeImportCandidate candidate;
        std::optional<Instant> date;
        // Formatted when first read: only the rows on screen are ever painted.
        mutable QString dateText;
        QString durationText;
        QString entriesText;
        QString summary;
        std::optional<PracticeImportConflict> conflict;
    };

    void rebuild();
    const QString& dateText(const Row& row) const;
    void followChoices();
    bool showsImportToggle(const Row& row) const;
    QStringList detailLines(const Row& row) const;
    QString accessibleText(const Row& row) const;

    PracticeImportViewModel& m_model;
    std::vector<Row> m_rows;
    QSet<QUuid> m_expanded;
};

} // namespace brevanta
