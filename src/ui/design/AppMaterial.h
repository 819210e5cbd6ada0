// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QPointer>
#include <QWidget>

namespace brevanta {

class SoftShadow;

/// The translucent chrome that floats over a page, like the bar of a running practice session:
/// a thin frosted fill, a faint white outline and a soft dark shadow.
struct AppMaterial {
    static AppColor ultraThinFill();
    static AppColor ultraThinOutline();
    static AppColor floatingShadow();
    /// The violet of something live: the waveform of a session being recorded.
    static AppColor liveSignal();
};

/// A rounded panel in the ultra-thin material, with its shadow. Give it a layout for the content.
class AppMaterialSurface : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppMaterialSurface)

public:
    explicit AppMaterialSurface(qreal radius = 16.0, QWidget* parent = nullptr);
    ~AppMaterialSurface() override;

    qreal radius() const { return m_radius; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_radius;
    QPointer<SoftShadow> m_shadow;
};

} // namespace brevanta
