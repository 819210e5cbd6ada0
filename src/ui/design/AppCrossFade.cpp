// SPDX-License-Identifier: MIT
#include "ui/design/AppCrossFade.h"

#include <QPainter>
#include <QVariantAnimation>

namespace brevanta {

namespace {

class FadingPicture final : public QWidget {
public:
    FadingPicture(QWidget* parent, QPixmap picture)
        : QWidget(parent)
        , m_picture(std::move(picture)) {
        setObjectName(QStringLiteral("cross-fade"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(parent->rect());
    }

    void setOpacity(qreal opacity) {
        m_opacity = opacity;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setOpacity(m_opacity);
        painter.drawPixmap(QPoint(0, 0), m_picture);
    }

private:
    QPixmap m_picture;
    qreal m_opacity = 1.0;
};

} // namespace

AppCrossFade::AppCrossFade(QWidget* area)
    : m_area(area) {
    // A hidden area has nothing on screen to fade from.
    if (area && area->isVisible())
        m_picture = area->grab();
}

void AppCrossFade::play(int milliseconds) {
    if (!m_area || m_picture.isNull() || !m_area->isVisible())
        return;
    auto* cover = new FadingPicture(m_area, m_picture);
    cover->show();
    cover->raise();
    auto* animation = new QVariantAnimation(cover);
    animation->setDuration(milliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(1.0);
    animation->setEndValue(0.0);
    QObject::connect(animation, &QVariantAnimation::valueChanged, cover,
                     [cover](const QVariant& value) { cover->setOpacity(value.toReal()); });
    QObject::connect(animation, &QVariantAnimation::finished, cover, &QObject::deleteLater);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace brevanta
