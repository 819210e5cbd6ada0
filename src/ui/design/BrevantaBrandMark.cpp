// SPDX-License-Identifier: MIT
#include "ui/design/BrevantaBrandMark.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brevanta {

namespace {

// The artwork lives in resources/BrevantaMark.svg on a 64-unit grid; these are its shapes.
constexpr qreal artboard = 64.0;
const QColor strokeCream(0xF6, 0xEF, 0xE3);
const QColor soundholeInk(0x12, 0x16, 0x24);

QPainterPath pickOutline() {
    QPainterPath path(QPointF(32, 5));
    path.cubicTo(46.5, 5, 57, 10.5, 57, 21.5);
    path.cubicTo(57, 35, 42.5, 51.5, 35.2, 57.6);
    path.cubicTo(33.3, 59.2, 30.7, 59.2, 28.8, 57.6);
    path.cubicTo(21.5, 51.5, 7, 35, 7, 21.5);
    path.cubicTo(7, 10.5, 17.5, 5, 32, 5);
    path.closeSubpath();
    return path;
}

/// Paints the mark at the size asked for. It names no sizes of its own, so a window system that
/// wants pixmaps up front asks only for its default handful, not the largest ones.
class BrandMarkIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int side = std::min(rect.width(), rect.height());
        QRectF square(0, 0, side, side);
        square.moveCenter(QRectF(rect).center());
        BrevantaBrandMark::paint(*painter, square);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        return BrevantaBrandMark::pixmap(std::min(size.width(), size.height()), scale);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QIconEngine* clone() const override { return new BrandMarkIconEngine; }
    QString key() const override { return QStringLiteral("brevanta-brand-mark"); }
};

} // namespace

BrevantaBrandMark::BrevantaBrandMark(int size, QWidget* parent)
    : QWidget(parent)
    , m_size(size) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Brevanta"));
}

void BrevantaBrandMark::setMarkSize(int size) {
    m_size = size;
    updateGeometry();
    update();
}

void BrevantaBrandMark::setOpacity(qreal opacity) {
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

void BrevantaBrandMark::paint(QPainter& painter, const QRectF& rect) {
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center() - QPointF(side / 2, side / 2));
    painter.scale(side / artboard, side / artboard);

    QLinearGradient pickFill(QPointF(14, 6), QPointF(50, 58));
    pickFill.setColorAt(0, QColor(0x7C, 0x67, 0xE4));
    pickFill.setColorAt(1, QColor(0x46, 0x31, 0xA3));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pickFill);
    painter.drawPath(pickOutline());

    QColor rosette = strokeCream;
    rosette.setAlphaF(0.9f);
    painter.setPen(QPen(rosette, 1.7));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(32, 24), 11.6, 11.6);

    painter.setPen(Qt::NoPen);
    painter.setBrush(soundholeInk);
    painter.drawEllipse(QPointF(32, 24), 8.2, 8.2);

    painter.setPen(QPen(strokeCream, 1.35, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(28.6, 10), QPointF(28.6, 43));
    painter.drawLine(QPointF(32, 10), QPointF(32, 45));
    painter.drawLine(QPointF(35.4, 10), QPointF(35.4, 43));
    painter.restore();
}

QPixmap BrevantaBrandMark::pixmap(int size, qreal devicePixelRatio) {
    QPixmap result(QSize(size, size) * devicePixelRatio);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QRectF(0, 0, size, size));
    return result;
}

QIcon BrevantaBrandMark::icon() {
    return QIcon(new BrandMarkIconEngine);
}

void BrevantaBrandMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRectF square(0, 0, m_size, m_size);
    square.moveCenter(QRectF(rect()).center());
    if (m_opacity >= 1.0) {
        paint(painter, square);
        return;
    }
    painter.setOpacity(m_opacity);
    painter.drawPixmap(square.topLeft(), pixmap(m_size, devicePixelRatioF()));
}

} // namespace brevanta
