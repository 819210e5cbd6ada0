// SPDX-License-Identifier: MIT
#pragma once

#include "ui/shell/AppDestination.h"

#include <QAbstractButton>
#include <QWidget>

#include <optional>

class QButtonGroup;

namespace brevanta {

/// One destination in the sidebar: its symbol and title on a row that shows the selection.
class SidebarDestinationRow final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SidebarDestinationRow)

public:
    explicit SidebarDestinationRow(AppDestination destination, QWidget* parent = nullptr);

    AppDestination destination() const { return m_destination; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppDestination m_destination;
};

/// The main window's sidebar: the brand signature above the list of destinations, on the dark
/// sidebar colour in either appearance.
class ContentSidebar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentSidebar)

public:
    explicit ContentSidebar(QWidget* parent = nullptr);

    /// Shows `selection` as the selected row; none selects no row.
    void setSelection(std::optional<AppDestination> selection);
    SidebarDestinationRow* row(AppDestination destination) const;

    /// Hidden, the sidebar takes no room, though the split still asks its sizes as it lays out:
    /// it answers without measuring its text, so a window that opens too narrow for it does not
    /// read fonts only the sidebar uses.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// The user chose a row, by pointer or with the arrow keys, including the one already
    /// selected.
    void destinationChosen(brevanta::AppDestination destination);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QButtonGroup* m_rows = nullptr;
};

} // namespace brevanta
