// SPDX-License-Identifier: MIT
#include "ui/design/DisclosureTriangle.h"

namespace brevanta {

QPainterPath disclosureTriangle(QPointF centre, qreal size, bool expanded) {
    QPainterPath triangle;
    if (expanded) {
        triangle.moveTo(centre + QPointF(-size * 0.6, -size * 0.35));
        triangle.lineTo(centre + QPointF(size * 0.6, -size * 0.35));
        triangle.lineTo(centre + QPointF(0, size * 0.45));
    } else {
        triangle.moveTo(centre + QPointF(-size * 0.35, -size * 0.6));
        triangle.lineTo(centre + QPointF(size * 0.45, 0));
        triangle.lineTo(centre + QPointF(-size * 0.35, size * 0.6));
    }
    triangle.closeSubpath();
    return triangle;
}

} // namespace brevanta
