// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QListView>
#include <QStyledItemDelegate>

namespace brevanta {

class SessionListModel;

/// Paints the journal's rows: a month heading with its trailing rule, or a session as a
/// SessionRowView draws it.
class SessionListDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionListDelegate)

public:
    SessionListDelegate(Calendar calendar, Clock clock, QObject* parent = nullptr);

    static int headingHeight();
    static int sessionHeight();

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Calendar m_calendar;
    Clock m_clock;
};

/// The journal list: a list view that places its rows by arithmetic over the month headings
/// (two row heights, one per kind) rather than by measuring every row, so laying out, scrolling
/// and finding a row cost the same in a journal of 100 sessions and one of 100,000. Up and Down
/// step from session to session over the headings.
class SessionListView final : public QListView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionListView)

public:
    explicit SessionListView(QWidget* parent = nullptr);

    void setSessionModel(SessionListModel* model);
    SessionListModel* sessionModel() const { return m_model; }

    /// The top of `row` in content coordinates.
    int rowTop(int row) const;
    int rowHeight(int row) const;
    /// The row at content height `y`, or -1 below the last.
    int rowAtContentY(int y) const;
    int contentHeight() const;

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;
    void keyboardSearch(const QString& search) override;

Q_SIGNALS:
    /// Return was pressed on the current session.
    void openRequested();
    /// Delete or Backspace was pressed on the current session.
    void deleteRequested();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    /// The nearest session row from `row` going `step` (+1 or -1), or -1.
    int sessionRowFrom(int row, int step) const;

    SessionListModel* m_model = nullptr;
    int m_headingHeight = 0;
    int m_sessionHeight = 0;
};

} // namespace brevanta
