// SPDX-License-Identifier: MIT
#include "ui/design/AppSegmentedPicker.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>

namespace brevanta {

AppPickerSegment::AppPickerSegment(const QString& title, QWidget* parent)
    : QAbstractButton(parent) {
    AppAccessibility::exposeAsChoice(this);
    setText(title);
    setAccessibleName(title);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    // Keyboard reach without taking focus from a click, which would swallow the next Space.
    setFocusPolicy(Qt::TabFocus);
    setFont(AppTypography::withWeight(AppTypography::subheadlineStyle(), QFont::Medium));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize AppPickerSegment::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 28, metrics.height() + 14};
}

QSize AppPickerSegment::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 16, metrics.height() + 14};
}

void AppPickerSegment::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QPainterPath shape = continuousRoundedRect(bounds, 7);
    if (isChecked()) {
        painter.fillPath(shape, AppColors::elevatedSurface().resolve(this));
        painter.setPen(QPen(AppColors::border().resolve(this), 1.0));
        painter.drawPath(shape);
    } else if (underMouse()) {
        painter.fillPath(shape, AppColors::border().resolve(this));
    }
    if (hasFocus()) {
        painter.setPen(QPen(AppColors::accent().withOpacity(0.7).resolve(this), 2.0));
        painter.drawPath(shape);
    }
    painter.setFont(font());
    painter.setPen(
        (isChecked() ? AppColors::primaryText() : AppColors::secondaryText()).resolve(this));
    painter.drawText(
        bounds, Qt::AlignCenter | Qt::TextSingleLine,
        QFontMetrics(font()).elidedText(text(), Qt::ElideRight, int(bounds.width()) - 8));
}

void AppPickerSegment::focusInEvent(QFocusEvent* event) {
    // Tab enters a choice of one at what is chosen, as it enters a group of radio buttons; the
    // arrow keys then move between the segments.
    const bool byTab =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && !isChecked() && group()) {
        if (QAbstractButton* chosen = group()->checkedButton();
            chosen && chosen != this && chosen->isEnabled() && chosen->isVisible()) {
            chosen->setFocus(event->reason());
            return;
        }
    }
    QAbstractButton::focusInEvent(event);
}

void AppPickerTrack::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), 9),
                     AppColors::secondarySurface().resolve(this));
}

} // namespace brevanta
