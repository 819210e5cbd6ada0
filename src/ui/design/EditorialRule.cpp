// SPDX-License-Identifier: MIT
#include "ui/design/EditorialRule.h"

#include "ui/design/AppColors.h"

#include <QPainter>

#include <algorithm>

namespace brevanta {

EditorialRule::EditorialRule(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation) {
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    setAccessibleName(QString());
}

void EditorialRule::setOpacity(qreal opacity) {
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

QSize EditorialRule::sizeHint() const {
    return m_orientation == Qt::Horizontal ? QSize(16, 1) : QSize(1, 16);
}

void EditorialRule::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::border().withOpacity(m_opacity).resolve(this));
}

} // namespace brevanta
