// SPDX-License-Identifier: MIT
#include "ui/editing/CapsuleChip.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppKeyboard.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brevanta {

namespace {

constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 8;
constexpr int symbolSpacing = 5;
// Room around the capsule for the keyboard focus ring.
constexpr int focusMargin = 3;
constexpr int pressMilliseconds = 120;

QFont chipFont() {
    return AppTypography::withWeight(AppTypography::caption(), QFont::DemiBold);
}

int symbolEm() {
    return AppIcons::emForTextSize(QFontInfo(chipFont()).pixelSize());
}

} // namespace

CapsuleChip::CapsuleChip(const QString& text, const QString& symbolName, const AppColor& color,
                         const CapsuleChipLook& look, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbolName(symbolName)
    , m_color(color)
    , m_look(look) {
    // Before anything announces the chip: it is one choice of several, not a check box.
    AppAccessibility::exposeAsChoice(this);
    AppKeyboard::install();
    setText(text);
    setAccessibleName(text);
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    m_pressAnimation.setDuration(pressMilliseconds);
    m_pressAnimation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_pressAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_pressProgress = v.toReal();
        update();
    });
    const auto follow = [this] {
        m_pressAnimation.stop();
        m_pressAnimation.setStartValue(m_pressProgress);
        m_pressAnimation.setEndValue(isDown() ? 1.0 : 0.0);
        m_pressAnimation.start();
    };
    connect(this, &QAbstractButton::pressed, this, follow);
    connect(this, &QAbstractButton::released, this, follow);
}

QSize CapsuleChip::sizeHint() const {
    const QFontMetricsF metrics(chipFont());
    qreal width = metrics.horizontalAdvance(text()) + 2 * horizontalPadding;
    if (!m_symbolName.isEmpty())
        width += symbolEm() + symbolSpacing;
    const qreal height = std::max<qreal>(metrics.height(), symbolEm()) + 2 * verticalPadding;
    return QSize(int(std::ceil(width)), int(std::ceil(height))) +
           QSize(2 * focusMargin, 2 * focusMargin);
}

bool CapsuleChip::event(QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QAbstractButton::event(event);
}

void CapsuleChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pressed = 1.0 - (1.0 - m_look.pressedOpacity) * m_pressProgress;
    painter.setOpacity(isEnabled() ? pressed : 0.45);

    const QRectF shape =
        QRectF(rect()).adjusted(focusMargin, focusMargin, -focusMargin, -focusMargin);
    const qreal radius = shape.height() / 2.0;
    const QPainterPath capsule = continuousRoundedRect(shape, radius);
    const QColor tint = m_color.resolve(this);
    const bool chosen = isChecked();

    QColor fill = chosen ? tint : AppColors::secondarySurface().resolve(this);
    fill.setAlphaF(float(fill.alphaF() *
                         (chosen ? m_look.selectedFillOpacity : m_look.unselectedFillOpacity)));
    painter.fillPath(capsule, fill);
    if (underMouse() && isEnabled() && !chosen)
        painter.fillPath(capsule, AppColors::primaryText().withOpacity(0.04).resolve(this));

    QColor outline = Qt::transparent;
    if (chosen && m_look.selectedOutlineOpacity > 0) {
        outline = tint;
        outline.setAlphaF(float(tint.alphaF() * m_look.selectedOutlineOpacity));
    } else if (!chosen && m_look.unselectedOutline) {
        outline = AppColors::border().resolve(this);
    }
    if (outline.alpha() > 0) {
        painter.setPen(QPen(outline, 1.0));
        painter.drawPath(continuousRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
    }

    const QColor ink = chosen ? tint : AppColors::secondaryText().resolve(this);
    const QFont font = chipFont();
    const QFontMetricsF metrics(font);
    const qreal em = m_symbolName.isEmpty() ? 0 : symbolEm();
    const qreal labelWidth = metrics.horizontalAdvance(text());
    const qreal contentWidth = labelWidth + (em > 0 ? em + symbolSpacing : 0);
    qreal x = shape.center().x() - contentWidth / 2.0;
    if (em > 0) {
        AppIcons::paint(painter, QRectF(x, shape.center().y() - em / 2.0, em, em), m_symbolName,
                        ink);
        x += em + symbolSpacing;
    }
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(x, shape.top(), labelWidth + 1, shape.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setOpacity(1.0);
        painter.setPen(QPen(AppColors::accent().withOpacity(0.7).resolve(this), 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(continuousRoundedRect(shape.adjusted(-1.5, -1.5, 1.5, 1.5), radius + 1.5));
    }
}

} // namespace brevanta
