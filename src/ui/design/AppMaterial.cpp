// SPDX-License-Identifier: MIT
#include "ui/design/AppMaterial.h"

#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/SoftShadow.h"

#include <QLinearGradient>
#include <QPainter>

namespace brevanta {

namespace {

QColor rgba(qreal red, qreal green, qreal blue, qreal alpha = 1.0) {
    return QColor::fromRgbF(float(red), float(green), float(blue), float(alpha));
}

constexpr qreal shadowBlurRadius = 16;
constexpr qreal shadowYOffset = 6;
// A touch of light along the top edge, as on frosted glass.
constexpr qreal sheenOpacity = 0.35;

} // namespace

AppColor AppMaterial::ultraThinFill() {
    return AppColor::adaptive(rgba(1.0, 0.998, 0.992, 0.80), rgba(0.16, 0.17, 0.215, 0.86));
}

AppColor AppMaterial::ultraThinOutline() {
    return AppColor::adaptive(rgba(1, 1, 1, 0.7), rgba(1, 1, 1, 0.11));
}

AppColor AppMaterial::floatingShadow() {
    return AppColor::adaptive(rgba(0.08, 0.06, 0.16, 0.22), rgba(0, 0, 0, 0.6));
}

AppColor AppMaterial::liveSignal() {
    return AppColor::fixed(rgba(0.72, 0.62, 1.0));
}

AppMaterialSurface::AppMaterialSurface(qreal radius, QWidget* parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_shadow(new SoftShadow(this)) {
    m_shadow->setColor(AppMaterial::floatingShadow());
    m_shadow->setCornerRadius(radius);
    m_shadow->setBlurRadius(shadowBlurRadius);
    m_shadow->setYOffset(shadowYOffset);
}

AppMaterialSurface::~AppMaterialSurface() {
    delete m_shadow;
}

void AppMaterialSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = continuousRoundedRect(bounds, m_radius);
    painter.fillPath(shape, AppMaterial::ultraThinFill().resolve(this));

    QColor sheen = AppMaterial::ultraThinOutline().resolve(this);
    QLinearGradient light(bounds.topLeft(), bounds.bottomLeft());
    light.setColorAt(
        0.0, QColor(sheen.red(), sheen.green(), sheen.blue(), int(sheen.alpha() * sheenOpacity)));
    light.setColorAt(0.5, Qt::transparent);
    painter.fillPath(shape, light);

    painter.setPen(QPen(sheen, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

} // namespace brevanta
