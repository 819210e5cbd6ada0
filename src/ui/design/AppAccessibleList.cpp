// SPDX-License-Identifier: MIT
#include "ui/design/AppAccessibleList.h"

#include "ui/design/AppAccessibleElement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace brevanta {

namespace {

class RowInterface final : public AppAccessibleElement, public QAccessibleActionInterface {
public:
    RowInterface(AppAccessibleList* list, int row)
        : m_list(list)
        , m_row(row) {}

    QAbstractItemView* view() const { return m_list ? m_list->view() : nullptr; }
    int row() const { return m_row; }
    QModelIndex index() const {
        QAbstractItemView* view = this->view();
        return view && view->model() ? view->model()->index(m_row, 0, view->rootIndex())
                                     : QModelIndex();
    }

    bool isValid() const override { return index().isValid(); }

    QString text(QAccessible::Text kind) const override {
        const QModelIndex at = index();
        switch (kind) {
        case QAccessible::Name: {
            const QString name = at.data(Qt::AccessibleTextRole).toString();
            return name.isEmpty() ? at.data(Qt::DisplayRole).toString() : name;
        }
        case QAccessible::Description:
            return at.data(Qt::AccessibleDescriptionRole).toString();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const QModelIndex at = index();
        if (!at.isValid())
            return {};
        const QRect local = view()->visualRect(at);
        return QRect(view()->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override {
        const QVariant role = index().data(AppAccessibleList::roleDataRole);
        return role.isValid() ? QAccessible::Role(role.toInt()) : QAccessible::ListItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        const QModelIndex at = index();
        if (!at.isValid()) {
            state.invalid = true;
            return state;
        }
        QAbstractItemView* view = this->view();
        if (at.flags() & Qt::ItemIsSelectable) {
            state.focusable = true;
            state.selectable = true;
            state.focused = view->hasFocus() && view->currentIndex() == at;
            state.selected = view->selectionModel() && view->selectionModel()->isSelected(at);
        }
        state.offscreen = !view->viewport()->rect().intersects(view->visualRect(at));
        if (at.flags() & Qt::ItemIsUserCheckable) {
            state.checkable = true;
            state.checked = at.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        // A row that cannot be chosen, such as a heading, is only read.
        return type == QAccessible::ActionInterface && (index().flags() & Qt::ItemIsSelectable)
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }
    QStringList actionNames() const override {
        const Qt::ItemFlags flags = index().flags();
        if (!(flags & Qt::ItemIsSelectable))
            return {};
        if (chooseBy() == AppAccessibleList::ChooseBy::toggle)
            return {toggleAction()};
        QStringList names{pressAction()};
        if (flags & Qt::ItemIsUserCheckable)
            names << toggleAction();
        return names;
    }
    void doAction(const QString& name) override {
        const QModelIndex at = index();
        if (!(at.flags() & Qt::ItemIsSelectable))
            return;
        const bool choose =
            name ==
            (chooseBy() == AppAccessibleList::ChooseBy::toggle ? toggleAction() : pressAction());
        if (name == toggleAction() && (at.flags() & Qt::ItemIsUserCheckable)) {
            const bool ticked = at.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
            view()->model()->setData(at, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        } else if (choose) {
            // As the arrow keys do, so the owner follows the row it shows chosen.
            view()->setCurrentIndex(at);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    QWidget* host() const override { return view(); }

private:
    AppAccessibleList::ChooseBy chooseBy() const {
        return m_list ? m_list->chooseBy() : AppAccessibleList::ChooseBy::press;
    }

    QPointer<AppAccessibleList> m_list;
    int m_row;
};

class ListInterface final : public QAccessibleWidget {
public:
    ListInterface(QAbstractItemView* view, AppAccessibleList* list)
        : QAccessibleWidget(view, QAccessible::List)
        , m_list(list) {}

    QAbstractItemView* view() const { return static_cast<QAbstractItemView*>(widget()); }

    int childCount() const override {
        return view()->model() ? view()->model()->rowCount(view()->rootIndex()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        if (!m_list || index < 0 || index >= childCount())
            return nullptr;
        return QAccessible::accessibleInterface(m_list->rowId(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* row = dynamic_cast<const RowInterface*>(child);
        return row && row->view() == view() && row->isValid() ? row->row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex at = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
    }

private:
    QPointer<AppAccessibleList> m_list;
};

QAccessibleInterface* listInterface(const QString&, QObject* object) {
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (!view)
        return nullptr;
    auto* list = view->findChild<AppAccessibleList*>(QString(), Qt::FindDirectChildrenOnly);
    return list ? new ListInterface(view, list) : nullptr;
}

} // namespace

AppAccessibleList::AppAccessibleList(QAbstractItemView* view, ChooseBy chooseBy)
    : QObject(view)
    , m_view(view)
    , m_chooseBy(chooseBy) {}

AppAccessibleList* AppAccessibleList::expose(QAbstractItemView* view, ChooseBy chooseBy) {
    static const bool installed = [] {
        QAccessible::installFactory(&listInterface);
        return true;
    }();
    Q_UNUSED(installed);
    auto* list = new AppAccessibleList(view, chooseBy);
    // The toolkit may already have made and kept its own interface for the view while it was
    // being built; drop it so the next query makes this one.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(view);
        cached && !dynamic_cast<ListInterface*>(cached))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    return list;
}

AppAccessibleList::~AppAccessibleList() {
    forgetRows();
}

quint32 AppAccessibleList::rowId(int row) {
    follow(m_view->model());
    if (const auto found = m_rows.constFind(row); found != m_rows.cend())
        return *found;
    const quint32 id = QAccessible::registerAccessibleInterface(new RowInterface(this, row));
    m_rows.insert(row, id);
    return id;
}

void AppAccessibleList::follow(QAbstractItemModel* model) {
    if (model == m_model)
        return;
    forgetRows();
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (!model)
        return;
    // Rows are read out by their place in the list; when places change, they are made again.
    connect(model, &QAbstractItemModel::modelReset, this, &AppAccessibleList::forgetRows);
    connect(model, &QAbstractItemModel::layoutChanged, this, &AppAccessibleList::forgetRows);
    connect(model, &QAbstractItemModel::rowsInserted, this, &AppAccessibleList::forgetRows);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &AppAccessibleList::forgetRows);
    connect(model, &QAbstractItemModel::rowsMoved, this, &AppAccessibleList::forgetRows);
}

void AppAccessibleList::forgetRows() {
    for (const quint32 id : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
    m_rows.clear();
}

} // namespace brevanta
