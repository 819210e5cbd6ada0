// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace brevanta {

/// A colour of the visual vocabulary, kept unresolved until paint time: fixed, adaptive (a light
/// and a dark value), or derived from a role of the palette it is resolved against. Resolving at
/// paint time is what lets a switch between light and dark appearance take effect without a
/// restart.
class AppColor {
public:
    static AppColor fixed(const QColor& color);
    static AppColor adaptive(const QColor& light, const QColor& dark);
    /// The palette's own colour for `role`, its alpha multiplied by `opacity`.
    static AppColor paletteRole(QPalette::ColorRole role, qreal opacity = 1.0);

    /// The same colour with its alpha multiplied by `opacity` (0…1).
    AppColor withOpacity(qreal opacity) const;

    QColor resolve(const QPalette& palette) const;
    QColor resolve(const QWidget* widget) const;

    bool operator==(const AppColor& other) const = default;

private:
    enum class Kind { fixed, adaptive, paletteRole };

    AppColor(Kind kind, const QColor& light, const QColor& dark, QPalette::ColorRole role,
             qreal opacity);

    Kind m_kind = Kind::fixed;
    QColor m_light;
    QColor m_dark;
    QPalette::ColorRole m_role = QPalette::WindowText;
    qreal m_opacity = 1.0;
};

} // namespace brevanta
