// SPDX-License-Identifier: MIT
#pragma once

#include <QPainterPath>
#include <QPointF>

namespace brevanta {

/// The small triangle of a disclosure control: pointing right while closed, down while open,
/// `size` across, centred on `centre`.
QPainterPath disclosureTriangle(QPointF centre, qreal size, bool expanded);

} // namespace brevanta
