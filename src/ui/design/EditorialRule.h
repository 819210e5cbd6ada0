// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brevanta {

/// A 1-point line in the border colour: full width when horizontal, as tall as it is made when
/// vertical.
class EditorialRule : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorialRule)

public:
    explicit EditorialRule(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    /// Fades the line further (0…1), as a month heading's trailing rule does.
    void setOpacity(qreal opacity);
    qreal opacity() const { return m_opacity; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    qreal m_opacity = 1.0;
};

} // namespace brevanta
