// SPDX-License-Identifier: MIT
#include "ui/design/AppButton.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppKeyboard.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/SoftShadow.h"

#include <QEasingCurve>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brevanta {

namespace {

// Room kept around the drawn shape for the keyboard focus ring.
constexpr int focusMargin = 3;
constexpr int symbolSpacing = 6;

constexpr qreal pressedFillOpacity = 0.82;
constexpr qreal restingShadowOpacity = 0.12;
constexpr qreal pressedShadowOpacity = 0.04;
constexpr qreal shadowBlurRadius = 5;
constexpr qreal shadowYOffset = 2;
constexpr qreal disabledOpacity = 0.45;

// Exact at both ends, so a settled animation reads exactly its end value.
qreal mix(qreal from, qreal to, qreal progress) {
    return from * (1.0 - progress) + to * progress;
}

QEasingCurve easeOut() {
    // The usual ease-out timing curve, cubic Bézier (0, 0, 0.58, 1).
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.0, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

QColor withAlpha(QColor color, qreal factor) {
    color.setAlphaF(float(color.alphaF() * factor));
    return color;
}

} // namespace

std::optional<PremiumButtonStyle> PremiumButtonStyle::forRole(AppButtonRole role) {
    switch (role) {
    case AppButtonRole::primary:
        return PremiumButtonStyle{AppColors::accent(), AppColor::fixed(Qt::white), false};
    case AppButtonRole::secondary:
        return PremiumButtonStyle{AppColors::elevatedSurface(), AppColors::primaryText(), false};
    case AppButtonRole::toolbar:
    case AppButtonRole::destructive:
    case AppButtonRole::compactIcon:
        return std::nullopt;
    }
    return std::nullopt;
}

AppButton::AppButton(const QString& text, AppButtonRole role, QWidget* parent)
    : AppButton(text, QString(), role, parent) {}

AppButton::AppButton(const QString& text, const QString& symbolName, AppButtonRole role,
                     QWidget* parent)
    : QPushButton(text, parent)
    , m_role(role)
    , m_symbolName(symbolName) {
    AppKeyboard::install();
    AppAccessibility::exposeAsButton(this);
    setAttribute(Qt::WA_Hover);
    setFlat(true);
    setAutoDefault(false);
    // Reached with Tab, never taken by a click: a click must not leave the button holding the
    // next Space, which belongs to the window's pause command.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_controlSize = role == AppButtonRole::compactIcon ? ControlSize::small : ControlSize::regular;

    m_pressAnimation.setDuration(pressAnimationMilliseconds);
    m_pressAnimation.setEasingCurve(easeOut());
    connect(&m_pressAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyPressProgress(value.toReal()); });
    connect(this, &QAbstractButton::pressed, this, &AppButton::followPressedState);
    connect(this, &QAbstractButton::released, this, &AppButton::followPressedState);
    updateShadow();
}

AppButton::~AppButton() {
    delete m_shadow;
}

void AppButton::setRole(AppButtonRole role) {
    m_role = role;
    updateShadow();
    remeasure();
    update();
}

void AppButton::setSymbolName(const QString& symbolName) {
    m_symbolName = symbolName;
    remeasure();
    update();
}

void AppButton::setDestructive(bool destructive) {
    m_destructive = destructive;
    update();
}

void AppButton::setControlSize(ControlSize size) {
    m_controlSize = size;
    updateShadow();
    remeasure();
    update();
}

void AppButton::setIconOnly(bool iconOnly) {
    m_iconOnly = iconOnly;
    setToolTip(iconOnly ? text() : QString());
    remeasure();
    update();
}

qreal AppButton::pressScale() const {
    return mix(1.0, pressedScale, m_pressProgress);
}

qreal AppButton::cornerRadius() const {
    const bool premium = PremiumButtonStyle::forRole(m_role).has_value();
    switch (m_controlSize) {
    case ControlSize::small:
        return 6;
    case ControlSize::regular:
        return premium ? 9 : 7;
    case ControlSize::large:
        return premium ? 11 : 8;
    }
    return 7;
}

AppButton::Metrics AppButton::metrics() const {
    const bool premium = PremiumButtonStyle::forRole(m_role).has_value();
    Metrics m{};
    m.cornerRadius = cornerRadius();
    switch (m_controlSize) {
    case ControlSize::small:
        m.padding = premium ? QMargins(8, 4, 8, 4) : QMargins(5, 3, 5, 3);
        m.font = premium ? AppTypography::cardTitle() : AppTypography::subheadlineStyle();
        break;
    case ControlSize::regular:
        m.padding = premium ? QMargins(16, 8, 16, 8) : QMargins(10, 6, 10, 6);
        m.font = premium ? AppTypography::cardTitle() : AppTypography::body();
        break;
    case ControlSize::large:
        m.padding = premium ? QMargins(20, 11, 20, 11) : QMargins(14, 8, 14, 8);
        m.font = premium ? AppTypography::headlineStyle() : AppTypography::title2Style();
        break;
    }
    if (m_role == AppButtonRole::destructive && m_controlSize != ControlSize::small)
        m.font = AppTypography::withWeight(m.font, QFont::Medium);
    // A compact icon button is mostly its symbol; it keeps the symbol at body size.
    const QFont symbolFont = m_role == AppButtonRole::compactIcon ? AppTypography::body() : m.font;
    m.em = AppIcons::emForTextSize(QFontInfo(symbolFont).pixelSize());
    return m;
}

QString AppButton::visibleText() const {
    return m_iconOnly && !m_symbolName.isEmpty() ? QString() : text();
}

QSize AppButton::sizeHint() const {
    const QString label = visibleText();
    if (m_measuredSize && m_measuredSize->title == label)
        return m_measuredSize->size;
    const Metrics m = metrics();
    const QFontMetricsF fm(m.font);
    const bool hasSymbol = !m_symbolName.isEmpty();
    const qreal lineHeight = std::max<qreal>(fm.height(), hasSymbol ? m.em : 0);
    qreal contentWidth = label.isEmpty() ? 0 : fm.horizontalAdvance(label);
    if (hasSymbol)
        contentWidth += m.em + (label.isEmpty() ? 0 : symbolSpacing);
    const qreal height = lineHeight + m.padding.top() + m.padding.bottom();
    qreal width = contentWidth + m.padding.left() + m.padding.right();
    if (label.isEmpty())
        width = std::max(height, m.em + 2.0 * m.padding.top());
    const QSize size = QSize(int(std::ceil(width)), int(std::ceil(height))) +
                       QSize(2 * focusMargin, 2 * focusMargin);
    m_measuredSize = MeasuredSize{label, size};
    return size;
}

void AppButton::remeasure() {
    m_measuredSize.reset();
    updateGeometry();
}

QSize AppButton::minimumSizeHint() const {
    return sizeHint();
}

void AppButton::followPressedState() {
    const bool pressed = isDown();
    if (pressed == m_pressTarget)
        return;
    m_pressTarget = pressed;
    m_pressAnimation.stop();
    m_pressAnimation.setStartValue(m_pressProgress);
    m_pressAnimation.setEndValue(pressed ? 1.0 : 0.0);
    m_pressAnimation.start();
}

void AppButton::applyPressProgress(qreal progress) {
    m_pressProgress = progress;
    if (m_shadow) {
        m_shadow->setScale(pressScale());
        m_shadow->setOpacity(isEnabled() ? mix(restingShadowOpacity, pressedShadowOpacity, progress)
                                         : 0.0);
    }
    update();
}

void AppButton::updateShadow() {
    const bool premium = PremiumButtonStyle::forRole(m_role).has_value();
    if (!premium) {
        delete m_shadow;
        m_shadow = nullptr;
        return;
    }
    if (!m_shadow)
        m_shadow = new SoftShadow(this);
    // The shadow is cast by the drawn shape, which sits inside the focus margin.
    // Only the shape: the text is not measured before the button is laid out.
    m_shadow->setCornerRadius(cornerRadius());
    m_shadow->setBlurRadius(shadowBlurRadius);
    m_shadow->setYOffset(shadowYOffset);
    m_shadow->setInset(focusMargin);
    applyPressProgress(m_pressProgress);
}

bool AppButton::event(QEvent* event) {
    // Before the base class asks the layouts to measure again.
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::ApplicationFontChange ||
        type == QEvent::StyleChange)
        m_measuredSize.reset();
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        applyPressProgress(m_pressProgress);
        break;
    case QEvent::KeyRelease:
    case QEvent::FocusOut:
    case QEvent::Hide:
        followPressedState();
        break;
    default:
        break;
    }
    return handled;
}

void AppButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    // Dragging off a held button releases it without a signal; follow it either way.
    followPressedState();
}

void AppButton::paintEvent(QPaintEvent*) {
    const Metrics m = metrics();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);

    const QRectF shape =
        QRectF(rect()).adjusted(focusMargin, focusMargin, -focusMargin, -focusMargin);
    const qreal scale = pressScale();
    painter.translate(shape.center());
    painter.scale(scale, scale);
    painter.translate(-shape.center());

    paintBackground(painter, shape, m);
    paintContent(painter, shape, m);

    const bool keyboardFocus = hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange);
    if (keyboardFocus) {
        const qreal ringOffset = 1.5;
        QPen ring(withAlpha(AppColors::accent().resolve(this), 0.7), 2.0);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            continuousRoundedRect(shape.adjusted(-ringOffset, -ringOffset, ringOffset, ringOffset),
                                  m.cornerRadius + ringOffset));
    }
}

void AppButton::paintBackground(QPainter& painter, const QRectF& shape, const Metrics& m) {
    const bool hovered = underMouse() && isEnabled();
    const QPainterPath path = continuousRoundedRect(shape, m.cornerRadius);

    if (const auto premium = PremiumButtonStyle::forRole(m_role)) {
        const QColor fill = premium->fill.resolve(this);
        painter.fillPath(path, withAlpha(fill, mix(1.0, pressedFillOpacity, m_pressProgress)));
        if (hovered && m_pressProgress < 1.0)
            painter.fillPath(path, withAlpha(premium->foreground.resolve(this), 0.06));
        painter.setPen(QPen(AppColors::border().resolve(this), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            continuousRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), m.cornerRadius));
        return;
    }

    const qreal pressedOrHover = std::max(m_pressProgress, hovered ? 0.6 : 0.0);
    switch (m_role) {
    case AppButtonRole::destructive: {
        const QColor red = AppColors::destructive().resolve(this);
        painter.fillPath(path, withAlpha(red, mix(0.10, 0.2, pressedOrHover)));
        painter.setPen(QPen(withAlpha(red, 0.38), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            continuousRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), m.cornerRadius));
        break;
    }
    case AppButtonRole::toolbar:
    case AppButtonRole::compactIcon:
        if (pressedOrHover > 0.0) {
            const QColor wash = AppColors::primaryText().resolve(this);
            painter.fillPath(path, withAlpha(wash, 0.09 * pressedOrHover));
        }
        break;
    case AppButtonRole::primary:
    case AppButtonRole::secondary:
        break;
    }
}

void AppButton::paintContent(QPainter& painter, const QRectF& shape, const Metrics& m) {
    QColor textColor;
    QColor symbolColor;
    if (const auto premium = PremiumButtonStyle::forRole(m_role)) {
        textColor = symbolColor = premium->foreground.resolve(this);
    } else if (m_role == AppButtonRole::destructive || m_destructive) {
        textColor = symbolColor = AppColors::destructive().resolve(this);
    } else if (m_role == AppButtonRole::toolbar) {
        textColor = AppColors::primaryText().resolve(this);
        symbolColor = AppColors::accent().resolve(this);
        if (AppColors::appearance(palette()) == AppColors::Appearance::dark)
            symbolColor = symbolColor.lighter(150);
    } else {
        textColor = symbolColor = AppColors::secondaryText().resolve(this);
    }

    const QRectF content = shape.marginsRemoved(m.padding.toMarginsF());
    const QFontMetricsF fm(m.font);
    const QString label = visibleText();
    const bool hasSymbol = !m_symbolName.isEmpty();
    qreal labelWidth = label.isEmpty() ? 0 : fm.horizontalAdvance(label);
    const qreal symbolWidth = hasSymbol ? m.em + (label.isEmpty() ? 0 : symbolSpacing) : 0;
    const qreal available = std::max<qreal>(0, content.width() - symbolWidth);
    QString shown = label;
    if (labelWidth > available) {
        shown = fm.elidedText(label, Qt::ElideRight, available);
        labelWidth = fm.horizontalAdvance(shown);
    }

    qreal x = content.center().x() - (symbolWidth + labelWidth) / 2.0;
    if (hasSymbol) {
        AppIcons::paint(painter, QRectF(x, content.center().y() - m.em / 2.0, m.em, m.em),
                        m_symbolName, symbolColor);
        x += symbolWidth;
    }
    if (!shown.isEmpty()) {
        painter.setFont(m.font);
        painter.setPen(textColor);
        painter.drawText(QRectF(x, content.top(), labelWidth + 1, content.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
}

} // namespace brevanta
