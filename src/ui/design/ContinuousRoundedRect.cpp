// SPDX-License-Identifier: MIT
#include "ui/design/ContinuousRoundedRect.h"

#include <algorithm>

namespace brevanta {

QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    const qreal halfSide = std::min(rect.width(), rect.height()) / 2.0;
    const qreal r = std::clamp(radius, 0.0, halfSide);
    if (r <= 0.0) {
        path.addRect(rect);
        return path;
    }
    // Each corner starts further along the edge than a circle of radius r would, and its control
    // points are pulled towards the corner so the diagonal depth matches that circle's
    // (1 - 1/√2 of r). With no room to extend, this is exactly the circular corner.
    const qreal extent = std::min(1.3 * r, halfSide);
    const qreal pull = std::max(0.0, (0.29289 * r - 0.125 * extent) / 0.375);

    const qreal left = rect.left();
    const qreal right = rect.right();
    const qreal top = rect.top();
    const qreal bottom = rect.bottom();

    path.moveTo(left + extent, top);
    path.lineTo(right - extent, top);
    path.cubicTo(right - pull, top, right, top + pull, right, top + extent);
    path.lineTo(right, bottom - extent);
    path.cubicTo(right, bottom - pull, right - pull, bottom, right - extent, bottom);
    path.lineTo(left + extent, bottom);
    path.cubicTo(left + pull, bottom, left, bottom - pull, left, bottom - extent);
    path.lineTo(left, top + extent);
    path.cubicTo(left, top + pull, left + pull, top, left + extent, top);
    path.closeSubpath();
    return path;
}

} // namespace brevanta
