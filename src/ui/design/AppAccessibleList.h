// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QAbstractItemModel;
class QAbstractItemView;

namespace brevanta {

/// How a list painted by a delegate reaches screen readers: one accessible child per row, child
/// index = row, read from the model. The toolkit's own item interfaces know no role per row (a
/// month heading is read as one more list item) and answer the toggle action by selecting a row
/// behind the owner's back; these rows take their role from the model and choose a row as the
/// keyboard does, by making it current.
///
/// Row interfaces are made only when a reader asks for a row, and forgotten when the rows move,
/// so a change of the model costs nothing while no reader is listening. The view tells readers
/// of focus and selection with events whose child is the row.
///
/// What the model gives each row: its name (Qt::AccessibleTextRole, else Qt::DisplayRole), its
/// description, its role (`roleDataRole`, a list item when it has none), whether it is focusable
/// and selectable (Qt::ItemIsSelectable) and whether it carries a box (Qt::ItemIsUserCheckable).
/// A row that cannot be selected, such as a heading, offers no action.
class AppAccessibleList final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppAccessibleList)

public:
    /// Which action makes a row the current one. With `press`, toggle is offered only on rows with
    /// a box, and ticks or clears it as a click does; with `toggle`, toggle is the one action.
    enum class ChooseBy { press, toggle };

    /// The item data role a model answers with a row's QAccessible::Role, as an int.
    static constexpr int roleDataRole = Qt::UserRole + 0x0A11;

    /// Gives `view` its interface for screen readers. The helper lives as a child of the view.
    static AppAccessibleList* expose(QAbstractItemView* view, ChooseBy chooseBy);

    QAbstractItemView* view() const { return m_view; }
    ChooseBy chooseBy() const { return m_chooseBy; }
    /// The accessibility id of `row`, made on first use and kept until the rows change.
    quint32 rowId(int row);

    ~AppAccessibleList() override;

private:
    AppAccessibleList(QAbstractItemView* view, ChooseBy chooseBy);
    /// Starts over when the view shows another model than the one whose rows were made.
    void follow(QAbstractItemModel* model);
    void forgetRows();

    QAbstractItemView* m_view;
    ChooseBy m_chooseBy;
    QPointer<QAbstractItemModel> m_model;
    QHash<int, quint32> m_rows;
};

} // namespace brevanta
