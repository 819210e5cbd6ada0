// SPDX-License-Identifier: MIT
#include "ui/design/AppSurface.h"

#include "ui/design/AppColors.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/SoftShadow.h"

#include <QPainter>

namespace brevanta {

namespace {

struct SurfaceShadow {
    qreal opacity;
    qreal blurRadius;
    qreal yOffset;
};

SurfaceShadow shadowFor(AppSurfaceRole role) {
    switch (role) {
    case AppSurfaceRole::standard:
        return {0.13, 10, 4};
    case AppSurfaceRole::secondary:
        return {0.06, 4, 2};
    case AppSurfaceRole::hero:
        return {0.22, 20, 8};
    }
    return {0.13, 10, 4};
}

} // namespace

AppSurface::AppSurface(AppSurfaceRole role, qreal radius, QWidget* parent)
    : QWidget(parent)
    , m_role(role)
    , m_radius(radius)
    , m_shadow(new SoftShadow(this)) {
    updateShadow();
}

AppSurface::~AppSurface() {
    delete m_shadow;
}

void AppSurface::setRole(AppSurfaceRole role) {
    m_role = role;
    updateShadow();
    update();
}

void AppSurface::setRadius(qreal radius) {
    m_radius = radius;
    updateShadow();
    update();
}

void AppSurface::updateShadow() {
    const SurfaceShadow shadow = shadowFor(m_role);
    m_shadow->setCornerRadius(m_radius);
    m_shadow->setBlurRadius(shadow.blurRadius);
    m_shadow->setYOffset(shadow.yOffset);
    m_shadow->setOpacity(shadow.opacity);
}

void AppSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const AppColor fill = m_role == AppSurfaceRole::secondary ? AppColors::secondarySurface()
                                                              : AppColors::elevatedSurface();
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = continuousRoundedRect(bounds, m_radius);
    painter.fillPath(shape, fill.resolve(this));
    painter.setPen(QPen(AppColors::border().resolve(this), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

} // namespace brevanta
