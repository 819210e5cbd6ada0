// SPDX-License-Identifier: MIT
#include "ui/design/AppColor.h"

#include "ui/design/AppColors.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace brevanta {

AppColor::AppColor(Kind kind, const QColor& light, const QColor& dark, QPalette::ColorRole role,
                   qreal opacity)
    : m_kind(kind)
    , m_light(light)
    , m_dark(dark)
    , m_role(role)
    , m_opacity(opacity) {}

AppColor AppColor::fixed(const QColor& color) {
    return AppColor(Kind::fixed, color, color, QPalette::WindowText, 1.0);
}

AppColor AppColor::adaptive(const QColor& light, const QColor& dark) {
    return AppColor(Kind::adaptive, light, dark, QPalette::WindowText, 1.0);
}

AppColor AppColor::paletteRole(QPalette::ColorRole role, qreal opacity) {
    return AppColor(Kind::paletteRole, {}, {}, role, std::clamp(opacity, 0.0, 1.0));
}

AppColor AppColor::withOpacity(qreal opacity) const {
    AppColor copy = *this;
    copy.m_opacity = std::clamp(m_opacity * opacity, 0.0, 1.0);
    return copy;
}

QColor AppColor::resolve(const QPalette& palette) const {
    QColor color;
    switch (m_kind) {
    case Kind::fixed:
        color = m_light;
        break;
    case Kind::adaptive:
        color = AppColors::appearance(palette) == AppColors::Appearance::dark ? m_dark : m_light;
        break;
    case Kind::paletteRole:
        color = palette.color(QPalette::Active, m_role);
        break;
    }
    color.setAlphaF(float(color.alphaF() * m_opacity));
    return color;
}

QColor AppColor::resolve(const QWidget* widget) const {
    return resolve(widget ? widget->palette() : QApplication::palette());
}

} // namespace brevanta
