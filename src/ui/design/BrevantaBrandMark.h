// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QWidget>

class QPainter;

namespace brevanta {

/// The brand mark, fitted in a square of `size` logical pixels.
class BrevantaBrandMark : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaBrandMark)

public:
    explicit BrevantaBrandMark(int size = 32, QWidget* parent = nullptr);

    int markSize() const { return m_size; }
    void setMarkSize(int size);
    /// Draws the whole mark at `opacity` (0…1), as one layer: its overlapping parts do not show
    /// through each other.
    void setOpacity(qreal opacity);

    /// Draws the mark fitted and centred in `rect`.
    static void paint(QPainter& painter, const QRectF& rect);
    /// The mark as a pixmap, e.g. for a window icon.
    static QPixmap pixmap(int size, qreal devicePixelRatio = 1.0);
    /// The mark as the application's icon, drawn at whatever size is asked for when it is asked:
    /// painting every size up front was a noticeable part of the start.
    static QIcon icon();

    QSize sizeHint() const override { return {m_size, m_size}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_size;
    qreal m_opacity = 1.0;
};

} // namespace brevanta
