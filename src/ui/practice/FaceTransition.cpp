// SPDX-License-Identifier: MIT
#include "ui/practice/FaceTransition.h"

#include "ui/design/AppColors.h"

#include <QPainter>
#include <QPixmap>
#include <QStackedWidget>
#include <QVariantAnimation>

namespace brevanta {

namespace {

class TransitionCover final : public QWidget {
public:
    TransitionCover(QWidget* parent, QPixmap from, QPixmap to, double startScale)
        : QWidget(parent)
        , m_from(std::move(from))
        , m_to(std::move(to))
        , m_startScale(startScale) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(parent->rect());
    }

    void setProgress(qreal progress) {
        m_progress = progress;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
        painter.setOpacity(1.0 - m_progress);
        painter.drawPixmap(QPoint(0, 0), m_from);
        painter.setOpacity(m_progress);
        const qreal scale = m_startScale + (1.0 - m_startScale) * m_progress;
        const QPointF centre = QRectF(rect()).center();
        painter.translate(centre);
        painter.scale(scale, scale);
        painter.translate(-centre);
        painter.drawPixmap(QPoint(0, 0), m_to);
    }

private:
    QPixmap m_from;
    QPixmap m_to;
    double m_startScale;
    qreal m_progress = 0.0;
};

} // namespace

void FaceTransition::turn(QStackedWidget* stack, QWidget* to, int milliseconds, double startScale) {
    QWidget* from = stack->currentWidget();
    if (from == to || !stack->isVisible()) {
        stack->setCurrentWidget(to);
        return;
    }
    const QPixmap fromPicture = from->grab();
    to->setGeometry(from->geometry());
    const QPixmap toPicture = to->grab();
    stack->setCurrentWidget(to);

    auto* cover = new TransitionCover(stack, fromPicture, toPicture, startScale);
    cover->show();
    cover->raise();
    auto* animation = new QVariantAnimation(cover);
    animation->setDuration(milliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    QObject::connect(animation, &QVariantAnimation::valueChanged, cover,
                     [cover](const QVariant& value) { cover->setProgress(value.toReal()); });
    QObject::connect(animation, &QVariantAnimation::finished, cover, &QObject::deleteLater);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace brevanta
