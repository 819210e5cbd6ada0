// SPDX-License-Identifier: MIT
#include "ui/editing/AdaptiveArrangement.h"

#include "ui/editing/FocusOrder.h"

#include <QApplication>
#include <QBoxLayout>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace brevanta {

namespace {

bool isExplicitlyHidden(const QWidget* widget) {
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

/// One arrangement. Its size is measured from the shared widgets wherever they are, so the
/// container can tell whether it would fit before the widgets move into it.
class Arrangement final : public QWidget {
public:
    Arrangement(Qt::Orientation orientation, int spacing, QList<AdaptiveArrangement::Item> items)
        : m_orientation(orientation)
        , m_spacing(spacing)
        , m_items(std::move(items))
        , m_layout(new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight
                                                                : QBoxLayout::TopToBottom,
                                  this)) {
        m_layout->setContentsMargins(0, 0, 0, 0);
        m_layout->setSpacing(spacing);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    Qt::Orientation orientation() const { return m_orientation; }

    /// Moves the shared widgets in, in this arrangement's order.
    void populate() {
        while (QLayoutItem* item = m_layout->takeAt(0)) {
            // A nested row is its own layout item; deleting it frees its items, never the
            // widgets, which stay children of this arrangement until they move on.
            if (QLayout* nested = item->layout())
                delete nested;
            else
                delete item;
        }
        for (const AdaptiveArrangement::Item& item : m_items) {
            if (!item.row.isEmpty()) {
                auto* row = new QHBoxLayout;
                row->setSpacing(item.rowSpacing);
                for (QWidget* widget : item.row)
                    adopt(widget, row, 0, Qt::AlignVCenter);
                row->addStretch(1);
                m_layout->addLayout(row);
            } else if (!item.widget) {
                m_layout->addStretch(item.stretch);
            } else {
                adopt(item.widget, m_layout, item.stretch, item.alignment);
            }
        }
    }

    QSize sizeHint() const override { return measure(false); }
    QSize minimumSizeHint() const override { return measure(true); }
    bool hasHeightForWidth() const override { return true; }

    int heightForWidth(int width) const override {
        if (m_orientation == Qt::Horizontal)
            return sizeHint().height();
        int height = 0;
        int count = 0;
        for (const AdaptiveArrangement::Item& item : m_items) {
            const QWidget* widget = item.widget;
            if (!widget || !widget->hasHeightForWidth()) {
                if (const std::optional<QSize> size = itemSize(item, false)) {
                    height += size->height();
                    ++count;
                }
                continue;
            }
            if (isExplicitlyHidden(widget))
                continue;
            const int each = widget->heightForWidth(std::min(width, sizeOf(widget, false).width()));
            height += std::max(each, widget->minimumHeight());
            ++count;
        }
        return height + std::max(0, count - 1) * m_spacing;
    }

private:
    void adopt(QWidget* widget, QBoxLayout* layout, int stretch, Qt::Alignment alignment) {
        const bool hidden = isExplicitlyHidden(widget);
        if (widget->parentWidget() != this)
            widget->setParent(this);
        layout->addWidget(widget, stretch, alignment);
        widget->setVisible(!hidden);
    }

    static QSize sizeOf(const QWidget* widget, bool minimum) {
        const QSize size = minimum ? widget->minimumSizeHint() : widget->sizeHint();
        return size.expandedTo(widget->minimumSize());
    }

    /// The size of one item, or nothing for a space or a hidden widget.
    std::optional<QSize> itemSize(const AdaptiveArrangement::Item& item, bool minimum) const {
        if (!item.row.isEmpty()) {
            QSize size;
            int count = 0;
            for (const QWidget* widget : item.row) {
                if (isExplicitlyHidden(widget))
                    continue;
                const QSize each = sizeOf(widget, minimum);
                size.setWidth(size.width() + each.width());
                size.setHeight(std::max(size.height(), each.height()));
                ++count;
            }
            if (count == 0)
                return std::nullopt;
            size.setWidth(size.width() + (count - 1) * item.rowSpacing);
            return size;
        }
        const QWidget* widget = item.widget;
        if (!widget || isExplicitlyHidden(widget))
            return std::nullopt;
        QSize size = sizeOf(widget, minimum);
        if (!minimum && item.idealWidth >= 0)
            size.setWidth(std::max(item.idealWidth, widget->minimumWidth()));
        return size;
    }

    QSize measure(bool minimum) const {
        int along = 0;
        int across = 0;
        int count = 0;
        for (const AdaptiveArrangement::Item& item : m_items) {
            const std::optional<QSize> measured = itemSize(item, minimum);
            if (!measured)
                continue;
            const QSize size = *measured;
            if (m_orientation == Qt::Horizontal) {
                along += size.width();
                across = std::max(across, size.height());
            } else {
                along += size.height();
                across = std::max(across, size.width());
            }
            ++count;
        }
        along += std::max(0, count - 1) * m_spacing;
        return m_orientation == Qt::Horizontal ? QSize(along, across) : QSize(across, along);
    }

    Qt::Orientation m_orientation;
    int m_spacing;
    QList<AdaptiveArrangement::Item> m_items;
    QBoxLayout* m_layout;
};

} // namespace

AdaptiveArrangement::AdaptiveArrangement(QWidget* parent)
    : FirstFitContainer(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(this, &FirstFitContainer::currentVariantChanged, this, &AdaptiveArrangement::adopt);
}

void AdaptiveArrangement::addArrangement(Qt::Orientation orientation, int spacing,
                                         const QList<Item>& items) {
    auto* arrangement = new Arrangement(orientation, spacing, items);
    if (variants().isEmpty())
        arrangement->populate();
    addVariant(arrangement);
}

Qt::Orientation AdaptiveArrangement::currentOrientation() const {
    const auto* arrangement = static_cast<const Arrangement*>(currentVariant());
    return arrangement ? arrangement->orientation() : Qt::Horizontal;
}

void AdaptiveArrangement::adopt(QWidget* variant) {
    if (!variant)
        return;
    // Moving a widget hides it for a moment, which takes keyboard focus away; give it back.
    QPointer<QWidget> focused = QApplication::focusWidget();
    const bool focusInside = focused && isAncestorOf(focused);
    static_cast<Arrangement*>(variant)->populate();
    // Moving a widget also puts it last in the window's Tab order; chain the window again in
    // reading order, which is now this arrangement's.
    FocusOrder::arrange(window());
    if (focusInside) {
        QTimer::singleShot(0, focused, [focused] {
            if (focused && focused->isVisible())
                focused->setFocus(Qt::OtherFocusReason);
        });
    }
}

} // namespace brevanta
