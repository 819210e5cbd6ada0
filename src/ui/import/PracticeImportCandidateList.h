// SPDX-License-Identifier: MIT
#pragma once

#include <QListView>

namespace brevanta {

class PracticeImportCandidateDelegate;

/// The days of an import review: one painted row per day (no widget per row), so ten years of
/// monthly sheets scroll like one month. A row shows the date, duration, entry count and summary,
/// the warning sign, the "Import" box while conflicts are reviewed one by one, and the "Details"
/// that open under it.
///
/// Keys on the current row: Space ticks or clears "Import"; Right shows the details, Left hides
/// them. A click on the box or on "Details" does the same.
class PracticeImportCandidateList final : public QListView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeImportCandidateList)

public:
    explicit PracticeImportCandidateList(QWidget* parent = nullptr);

    /// Where a row's parts are in the viewport: the "Import" box with its title and the
    /// "Details" line; empty when the row does not show them.
    QRect importToggleRect(const QModelIndex& index) const;
    QRect detailsRect(const QModelIndex& index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PracticeImportCandidateDelegate* m_delegate = nullptr;
};

} // namespace brevanta
