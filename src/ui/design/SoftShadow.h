// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QPointer>
#include <QWidget>

namespace brevanta {

/// The blurred shadow of a rounded widget. It lives beside its target in the same parent, one
/// step below it, so the shadow can spill past the target's edges without the target reserving
/// room for it or its layout knowing about it. It follows the target's geometry, visibility,
/// stacking and parent, and resolves its colour at paint time.
class SoftShadow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoftShadow)

public:
    explicit SoftShadow(QWidget* target);

    void setCornerRadius(qreal radius);
    /// Casts the shape of the target's rect shrunk by `inset` on every side.
    void setInset(int inset);
    void setBlurRadius(qreal blurRadius);
    void setYOffset(qreal offset);
    /// Multiplies the shadow colour's own alpha.
    void setOpacity(qreal opacity);
    /// Scales the cast shape about the target's centre, for targets that scale while pressed.
    void setScale(qreal scale);
    void setColor(const AppColor& color);

    qreal opacity() const { return m_opacity; }
    QWidget* target() const { return m_target; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int margin() const;
    void adoptTargetParent();
    void follow();

    QPointer<QWidget> m_target;
    AppColor m_color;
    qreal m_cornerRadius = 12.0;
    qreal m_blurRadius = 10.0;
    qreal m_yOffset = 4.0;
    qreal m_opacity = 1.0;
    qreal m_scale = 1.0;
    int m_inset = 0;
};

} // namespace brevanta
