// SPDX-License-Identifier: MIT
#pragma once

#include <QPainterPath>
#include <QRectF>

namespace brevanta {

/// A rounded rectangle whose corners ease into the straight edges instead of meeting them as
/// quarter circles, so larger radii read as one smooth shape.
QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius);

} // namespace brevanta
