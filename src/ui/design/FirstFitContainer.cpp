// SPDX-License-Identifier: MIT
#include "ui/design/FirstFitContainer.h"

#include <QEvent>
#include <QResizeEvent>

#include <algorithm>
#include <limits>

namespace brevanta {

FirstFitContainer::FirstFitContainer(QWidget* parent)
    : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void FirstFitContainer::addVariant(QWidget* variant) {
    if (!variant)
        return;
    variant->setParent(this);
    variant->hide();
    m_variants.append(variant);
    choose();
    updateGeometry();
}

QList<QWidget*> FirstFitContainer::variants() const {
    QList<QWidget*> result;
    for (const auto& variant : m_variants) {
        if (variant)
            result.append(variant);
    }
    return result;
}

void FirstFitContainer::setMeasure(Measure measure) {
    m_measure = measure;
    choose();
    updateGeometry();
}

int FirstFitContainer::measuredWidth(const QWidget* variant) const {
    const QSize hint =
        m_measure == Measure::sizeHint ? variant->sizeHint() : variant->minimumSizeHint();
    return std::max(hint.width(), variant->minimumWidth());
}

QWidget* FirstFitContainer::variantForWidth(int width) const {
    const QList<QWidget*> candidates = variants();
    for (QWidget* variant : candidates) {
        if (measuredWidth(variant) <= width)
            return variant;
    }
    return candidates.isEmpty() ? nullptr : candidates.last();
}

int FirstFitContainer::currentIndex() const {
    return variants().indexOf(m_current.data());
}

QSize FirstFitContainer::sizeHint() const {
    const QList<QWidget*> candidates = variants();
    if (candidates.isEmpty())
        return {0, 0};
    const int width = measuredWidth(candidates.first());
    return {width, heightForWidth(width)};
}

QSize FirstFitContainer::minimumSizeHint() const {
    const QList<QWidget*> candidates = variants();
    if (candidates.isEmpty())
        return {0, 0};
    int width = std::numeric_limits<int>::max();
    for (QWidget* variant : candidates)
        width =
            std::min(width, std::max(variant->minimumSizeHint().width(), variant->minimumWidth()));
    const QWidget* current = m_current ? m_current.data() : candidates.first();
    return {width, current->minimumSizeHint().height()};
}

bool FirstFitContainer::hasHeightForWidth() const {
    return true;
}

int FirstFitContainer::heightForWidth(int width) const {
    const QWidget* variant = variantForWidth(width);
    if (!variant)
        return 0;
    if (variant->hasHeightForWidth())
        return variant->heightForWidth(width);
    return variant->sizeHint().height();
}

bool FirstFitContainer::event(QEvent* event) {
    // A variant whose content changed posts a layout request here, since the container has no
    // layout of its own: its ideal width may now fit differently.
    if (event->type() == QEvent::LayoutRequest) {
        choose();
        updateGeometry();
    }
    return QWidget::event(event);
}

void FirstFitContainer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    choose();
}

void FirstFitContainer::choose() {
    QWidget* chosen = variantForWidth(width());
    for (QWidget* variant : variants()) {
        if (variant != chosen)
            variant->hide();
    }
    if (chosen) {
        chosen->setGeometry(rect());
        chosen->show();
    }
    if (chosen != m_current) {
        m_current = chosen;
        updateGeometry();
        Q_EMIT currentVariantChanged(chosen);
    }
}

} // namespace brevanta
