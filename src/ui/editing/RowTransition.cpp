// SPDX-License-Identifier: MIT
#include "ui/editing/RowTransition.h"

#include <QGraphicsOpacityEffect>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

namespace brevanta {

namespace {

int naturalHeight(const QWidget* row) {
    if (row->hasHeightForWidth() && row->width() > 0)
        return row->heightForWidth(row->width());
    return row->sizeHint().height();
}

void play(QWidget* row, int milliseconds, bool arriving) {
    auto* effect = new QGraphicsOpacityEffect(row);
    effect->setOpacity(arriving ? 0.0 : 1.0);
    row->setGraphicsEffect(effect);
    // An arriving row may not be laid out yet, so its height is asked again at every step.
    const int leavingHeight = row->height();
    row->setMaximumHeight(arriving ? 0 : leavingHeight);

    auto* animation = new QVariantAnimation(row);
    animation->setDuration(milliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(arriving ? 0.0 : 1.0);
    animation->setEndValue(arriving ? 1.0 : 0.0);
    QPointer<QWidget> guarded(row);
    QObject::connect(animation, &QVariantAnimation::valueChanged, row,
                     [guarded, effect, arriving, leavingHeight](const QVariant& value) {
                         if (!guarded)
                             return;
                         const qreal progress = value.toReal();
                         effect->setOpacity(progress);
                         const int height = arriving ? naturalHeight(guarded) : leavingHeight;
                         guarded->setMaximumHeight(int(height * progress));
                     });
    QObject::connect(animation, &QVariantAnimation::finished, row, [guarded, arriving] {
        if (!guarded)
            return;
        if (arriving) {
            guarded->setMaximumHeight(QWIDGETSIZE_MAX);
            guarded->setGraphicsEffect(nullptr);
        } else {
            guarded->deleteLater();
        }
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace

void RowTransition::enter(QWidget* row, int milliseconds) {
    play(row, milliseconds, true);
}

void RowTransition::leave(QWidget* row, int milliseconds) {
    row->setObjectName(QString());
    row->setEnabled(false);
    play(row, milliseconds, false);
}

} // namespace brevanta
