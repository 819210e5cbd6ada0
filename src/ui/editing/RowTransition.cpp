// SPDX-License-Identifier: MIT
#include "ui/editing/RowTransition.h"

#include <QGraphicsEffect>
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

namespace brevanta {

namespace {

/// Draws an arriving row faded and shifted up towards the top edge of its place, by what is
/// left of the transition. Only the drawing moves: the row stands at its place from the start,
/// so it takes clicks and focus at once.
class ArrivalEffect final : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

    void setProgress(qreal progress) {
        m_progress = progress;
        update();
    }

protected:
    void draw(QPainter* painter) override {
        QPoint offset;
        const QPixmap picture = sourcePixmap(Qt::LogicalCoordinates, &offset);
        painter->save();
        painter->setOpacity(painter->opacity() * m_progress);
        painter->translate(0, -(1.0 - m_progress) * boundingRect().height());
        painter->drawPixmap(offset, picture);
        painter->restore();
    }

private:
    qreal m_progress = 0.0;
};

QVariantAnimation* animate(QWidget* row, int milliseconds, qreal from, qreal to) {
    auto* animation = new QVariantAnimation(row);
    animation->setDuration(milliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(from);
    animation->setEndValue(to);
    return animation;
}

} // namespace

void RowTransition::enter(QWidget* row, int milliseconds) {
    auto* effect = new ArrivalEffect(row);
    row->setGraphicsEffect(effect);
    QVariantAnimation* animation = animate(row, milliseconds, 0.0, 1.0);
    QObject::connect(animation, &QVariantAnimation::valueChanged, effect,
                     [effect](const QVariant& value) { effect->setProgress(value.toReal()); });
    QPointer<QWidget> guarded(row);
    QObject::connect(animation, &QVariantAnimation::finished, row, [guarded] {
        if (guarded)
            guarded->setGraphicsEffect(nullptr);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void RowTransition::leave(QWidget* row, int milliseconds) {
    row->setObjectName(QString());
    row->setEnabled(false);
    auto* effect = new QGraphicsOpacityEffect(row);
    row->setGraphicsEffect(effect);
    // The row closes towards the top edge of its place while it fades, so the rows below
    // move up smoothly.
    const int height = row->height();
    row->setMaximumHeight(height);
    QVariantAnimation* animation = animate(row, milliseconds, 1.0, 0.0);
    QPointer<QWidget> guarded(row);
    QObject::connect(animation, &QVariantAnimation::valueChanged, row,
                     [guarded, effect, height](const QVariant& value) {
                         if (!guarded)
                             return;
                         effect->setOpacity(value.toReal());
                         guarded->setMaximumHeight(int(height * value.toReal()));
                     });
    QObject::connect(animation, &QVariantAnimation::finished, row, [guarded] {
        if (guarded)
            guarded->deleteLater();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace brevanta
