// SPDX-License-Identifier: MIT
#include "ui/editing/AdaptiveArrangement.h"

#include <QApplication>
#include <QBoxLayout>
#include <QTimer>

#include <algorithm>

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
        while (QLayoutItem* item = m_layout->takeAt(0))
            delete item;
        for (const AdaptiveArrangement::Item& item : m_items) {
            if (!item.widget) {
                m_layout->addStretch(item.stretch);
                continue;
            }
            const bool hidden = isExplicitlyHidden(item.widget);
            if (item.widget->parentWidget() != this)
                item.widget->setParent(this);
            m_layout->addWidget(item.widget, item.stretch, item.alignment);
            item.widget->setVisible(!hidden);
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
        for (const QWidget* widget : shownWidgets()) {
            const int each =
                widget->hasHeightForWidth()
                    ? widget->heightForWidth(std::min(
                          width, std::max(widget->sizeHint().width(), widget->minimumWidth())))
                    : widget->sizeHint().height();
            height += std::max(each, widget->minimumHeight());
            ++count;
        }
        return height + std::max(0, count - 1) * m_spacing;
    }

private:
    QList<const QWidget*> shownWidgets() const {
        QList<const QWidget*> widgets;
        for (const AdaptiveArrangement::Item& item : m_items) {
            if (item.widget && !isExplicitlyHidden(item.widget))
                widgets.append(item.widget);
        }
        return widgets;
    }

    QSize measure(bool minimum) const {
        int along = 0;
        int across = 0;
        int count = 0;
        for (const AdaptiveArrangement::Item& item : m_items) {
            const QWidget* widget = item.widget;
            if (!widget || isExplicitlyHidden(widget))
                continue;
            QSize size = minimum ? widget->minimumSizeHint() : widget->sizeHint();
            size = size.expandedTo(widget->minimumSize());
            if (!minimum && item.idealWidth >= 0)
                size.setWidth(std::max(item.idealWidth, widget->minimumWidth()));
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
    if (focusInside) {
        QTimer::singleShot(0, focused, [focused] {
            if (focused && focused->isVisible())
                focused->setFocus(Qt::OtherFocusReason);
        });
    }
}

} // namespace brevanta
