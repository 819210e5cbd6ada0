// SPDX-License-Identifier: MIT
#include "ui/journal/SessionListView.h"

#include "ui/design/AppAccessibleList.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/journal/SessionListModel.h"
#include "ui/journal/SessionRowView.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace brevanta {

namespace {

// Space between the rows, and above a month heading so that a month reads as a new chapter.
constexpr int rowGap = 4;
constexpr int headingTopSpace = 22;
constexpr int headingBottomSpace = 8;
constexpr int headingRuleGap = 12;
constexpr int sidePadding = 12;
constexpr int endPadding = 12;
constexpr qreal headingTracking = 1.5;
constexpr qreal headingRuleOpacity = 0.7;

QFont headingFont() {
    return AppTypography::withTracking(
        AppTypography::withWeight(AppTypography::caption(), QFont::Bold), headingTracking);
}

} // namespace

SessionListDelegate::SessionListDelegate(Calendar calendar, Clock clock, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock)) {}

int SessionListDelegate::headingHeight() {
    return headingTopSpace + QFontMetrics(headingFont()).height() + headingBottomSpace;
}

int SessionListDelegate::sessionHeight() {
    return SessionRowView::rowHeight() + rowGap;
}

void SessionListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const auto* model = qobject_cast<const SessionListModel*>(index.model());
    if (!model)
        return;
    const QWidget* widget = option.widget;
    if (model->kind(index.row()) == SessionListModel::RowKind::monthHeading) {
        const QFont font = headingFont();
        const QFontMetrics metrics(font);
        const QString title = index.data(Qt::DisplayRole).toString();
        const int baseline = option.rect.bottom() + 1 - headingBottomSpace - metrics.descent();
        const int left = option.rect.left() + sidePadding;
        painter->save();
        painter->setFont(font);
        painter->setPen(AppColors::secondaryText().resolve(widget));
        painter->drawText(QPoint(left, baseline), title);
        const int ruleLeft = left + metrics.horizontalAdvance(title) + headingRuleGap;
        const int ruleY = baseline - metrics.ascent() / 2 + metrics.descent() / 2 - 1;
        if (ruleLeft < option.rect.right() - sidePadding)
            painter->fillRect(
                QRect(ruleLeft, ruleY, option.rect.right() - sidePadding - ruleLeft, 1),
                AppColors::border().withOpacity(headingRuleOpacity).resolve(widget));
        painter->restore();
        return;
    }
    const PracticeSessionPtr session = model->session(index.row());
    if (!session)
        return;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect rowRect = option.rect.adjusted(0, 0, 0, -rowGap);
    SessionRowView::paint(*painter, rowRect, *session, selected, m_clock.now(), m_calendar, widget);
    // Keyboard focus on the list shows on the current row as a thin accent outline.
    if (selected && (option.state & QStyle::State_HasFocus) && widget && widget->hasFocus()) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(AppColors::accent().withOpacity(0.55).resolve(widget), 1.2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(rowRect).adjusted(0.6, 0.6, -0.6, -0.6), 8, 8);
        painter->restore();
    }
}

QSize SessionListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const auto* model = qobject_cast<const SessionListModel*>(index.model());
    const bool heading =
        model && model->kind(index.row()) == SessionListModel::RowKind::monthHeading;
    return {option.rect.width(), heading ? headingHeight() : sessionHeight()};
}

SessionListView::SessionListView(QWidget* parent)
    : QListView(parent) {
    setObjectName(QStringLiteral("journal-session-list"));
    setAccessibleName(QStringLiteral("Journal"));
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(false);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    // Month headings are read as headings, and a screen reader's toggle chooses a session as the
    // arrow keys do; the toolkit's rows would read every row as an item and select behind the
    // journal's back.
    AppAccessibleList::expose(this, AppAccessibleList::ChooseBy::toggle);
    m_headingHeight = SessionListDelegate::headingHeight();
    m_sessionHeight = SessionListDelegate::sessionHeight();
}

void SessionListView::setSessionModel(SessionListModel* model) {
    m_model = model;
    setModel(model);
}

int SessionListView::rowTop(int row) const {
    if (!m_model)
        return 0;
    const auto& headings = m_model->headings();
    const std::size_t before =
        std::size_t(std::lower_bound(headings.begin(), headings.end(), row,
                                     [](const SessionListModel::MonthHeading& heading, int value) {
                                         return heading.row < value;
                                     }) -
                    headings.begin());
    return endPadding + int(before) * m_headingHeight + (row - int(before)) * m_sessionHeight;
}

int SessionListView::rowHeight(int row) const {
    return m_model && m_model->kind(row) == SessionListModel::RowKind::monthHeading
               ? m_headingHeight
               : m_sessionHeight;
}

int SessionListView::contentHeight() const {
    if (!m_model || m_model->rowCount() == 0)
        return 0;
    const int last = m_model->rowCount() - 1;
    return rowTop(last) + rowHeight(last) + endPadding;
}

int SessionListView::rowAtContentY(int y) const {
    if (!m_model || m_model->rowCount() == 0 || y < endPadding)
        return -1;
    const auto& headings = m_model->headings();
    const auto headingTop = [this](std::size_t order, int row) {
        return endPadding + int(order) * m_headingHeight + (row - int(order)) * m_sessionHeight;
    };
    // The last heading whose top is at or above y.
    std::size_t low = 0;
    std::size_t high = headings.size();
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        if (headingTop(middle, headings[middle].row) <= y)
            low = middle;
        else
            high = middle;
    }
    const int top = headingTop(low, headings[low].row);
    if (y < top + m_headingHeight)
        return headings[low].row;
    const int row = headings[low].row + 1 + (y - top - m_headingHeight) / m_sessionHeight;
    return row < m_model->rowCount() ? row : -1;
}

QRect SessionListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || !m_model || index.model() != m_model)
        return {};
    return QRect(sidePadding, rowTop(index.row()) - verticalOffset(),
                 viewport()->width() - 2 * sidePadding, rowHeight(index.row()));
}

QModelIndex SessionListView::indexAt(const QPoint& point) const {
    if (!m_model || point.x() < sidePadding || point.x() >= viewport()->width() - sidePadding)
        return {};
    const int row = rowAtContentY(point.y() + verticalOffset());
    return row < 0 ? QModelIndex() : m_model->index(row, 0);
}

void SessionListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    int top = rowTop(index.row());
    // Showing the first session of a month shows its heading too.
    if (index.row() > 0 &&
        m_model->kind(index.row() - 1) == SessionListModel::RowKind::monthHeading)
        top = rowTop(index.row() - 1);
    const int bottom = rowTop(index.row()) + rowHeight(index.row());
    const int height = viewport()->height();
    const int offset = verticalOffset();
    int target = offset;
    switch (hint) {
    case PositionAtTop:
        target = top;
        break;
    case PositionAtBottom:
        target = bottom - height;
        break;
    case PositionAtCenter:
        target = (top + bottom - height) / 2;
        break;
    case EnsureVisible:
        if (top < offset)
            target = top;
        else if (bottom > offset + height)
            target = std::min(top, bottom - height);
        break;
    }
    verticalScrollBar()->setValue(std::max(0, target));
}

void SessionListView::doItemsLayout() {
    // Nothing to measure: every row's place follows from the headings. Skips the list view's own
    // layout, which asks the delegate for the size of every row.
    QAbstractItemView::doItemsLayout();
}

int SessionListView::sessionRowFrom(int row, int step) const {
    const int count = m_model ? m_model->rowCount() : 0;
    for (int candidate = row; candidate >= 0 && candidate < count; candidate += step) {
        if (m_model->kind(candidate) == SessionListModel::RowKind::session)
            return candidate;
    }
    return -1;
}

QModelIndex SessionListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
    if (!m_model || m_model->rowCount() == 0)
        return {};
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    const int count = m_model->rowCount();
    const int page = std::max(1, viewport()->height() / std::max(1, m_sessionHeight));
    int target = -1;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        target = row < 0 ? sessionRowFrom(0, 1) : sessionRowFrom(row - 1, -1);
        break;
    case MoveDown:
    case MoveNext:
        target = sessionRowFrom(row + 1, 1);
        break;
    case MoveHome:
        target = sessionRowFrom(0, 1);
        break;
    case MoveEnd:
        target = sessionRowFrom(count - 1, -1);
        break;
    case MovePageUp:
        target = sessionRowFrom(std::max(0, row - page), 1);
        break;
    case MovePageDown:
        target = sessionRowFrom(std::min(count - 1, row + page), -1);
        break;
    default:
        break;
    }
    if (target < 0)
        return current;
    return m_model->index(target, 0);
}

void SessionListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The list view's own version asks its item layout, which this view does not keep, where
    // the row stands; here a row's place among the accessible children is its row.
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
}

void SessionListView::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    // The current row said it had the focus; tell screen readers it has gone, or they go on
    // reading the row as focused while Tab moves through the page.
    if (QAccessible::isActive() && currentIndex().isValid()) {
        QAccessible::State changed;
        changed.focused = true;
        QAccessibleStateChangeEvent stateChange(this, changed);
        stateChange.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&stateChange);
    }
}

void SessionListView::selectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected) {
    if (QAccessible::isActive()) {
        for (const QModelIndex& index : selected.indexes()) {
            QAccessibleEvent event(this, QAccessible::SelectionAdd);
            event.setChild(index.row());
            QAccessible::updateAccessibility(&event);
        }
        for (const QModelIndex& index : deselected.indexes()) {
            QAccessibleEvent event(this, QAccessible::SelectionRemove);
            event.setChild(index.row());
            QAccessible::updateAccessibility(&event);
        }
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

void SessionListView::keyboardSearch(const QString&) {
    // Matching typed letters against every row's text would walk the whole journal; the search
    // field is where the journal is searched.
}

int SessionListView::horizontalOffset() const {
    return 0;
}

int SessionListView::verticalOffset() const {
    return verticalScrollBar()->value();
}

bool SessionListView::isIndexHidden(const QModelIndex&) const {
    return false;
}

void SessionListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const QModelIndex index = indexAt(rect.topLeft());
    if (!index.isValid() || !(m_model->flags(index) & Qt::ItemIsSelectable))
        return;
    selectionModel()->select(index, command);
}

QRegion SessionListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            region += visualRect(m_model->index(row, 0));
    }
    return region;
}

void SessionListView::updateGeometries() {
    QAbstractItemView::updateGeometries();
    const int viewportHeight = viewport()->height();
    verticalScrollBar()->setRange(0, std::max(0, contentHeight() - viewportHeight));
    verticalScrollBar()->setPageStep(viewportHeight);
    verticalScrollBar()->setSingleStep(std::max(1, m_sessionHeight / 3));
    horizontalScrollBar()->setRange(0, 0);
}

void SessionListView::paintEvent(QPaintEvent* event) {
    if (!m_model)
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int offset = verticalOffset();
    int row = rowAtContentY(std::max(endPadding, area.top() + offset));
    const int count = m_model->rowCount();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    for (; row >= 0 && row < count; ++row) {
        const QModelIndex index = m_model->index(row, 0);
        option.rect = visualRect(index);
        if (option.rect.top() > area.bottom())
            break;
        option.state = QStyle::State_Enabled;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

void SessionListView::resizeEvent(QResizeEvent* event) {
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
}

void SessionListView::scrollContentsBy(int, int) {
    viewport()->update();
}

void SessionListView::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (currentIndex().isValid())
            Q_EMIT openRequested();
        event->accept();
        return;
    }
    if (plain && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        if (currentIndex().isValid())
            Q_EMIT deleteRequested();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

bool SessionListView::event(QEvent* event) {
    // Fonts decide the row heights; follow a change of the application font.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange ||
        event->type() == QEvent::StyleChange) {
        m_headingHeight = SessionListDelegate::headingHeight();
        m_sessionHeight = SessionListDelegate::sessionHeight();
        updateGeometries();
        viewport()->update();
    }
    return QListView::event(event);
}

} // namespace brevanta
