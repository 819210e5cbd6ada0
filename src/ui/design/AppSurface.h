// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppSurfaceRole.h"

#include <QPointer>
#include <QWidget>

namespace brevanta {

class SoftShadow;

/// A rounded, bordered, shadowed panel behind its content. Give it a layout for the content;
/// the corner radius is chosen by each use.
class AppSurface : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppSurface)

public:
    explicit AppSurface(AppSurfaceRole role = AppSurfaceRole::standard, qreal radius = 16.0,
                        QWidget* parent = nullptr);
    ~AppSurface() override;

    AppSurfaceRole role() const { return m_role; }
    void setRole(AppSurfaceRole role);
    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateShadow();

    AppSurfaceRole m_role;
    qreal m_radius;
    QPointer<SoftShadow> m_shadow;
};

} // namespace brevanta
