// SPDX-License-Identifier: MIT
#include "ui/shell/BottomSlidePresenter.h"

#include <QEasingCurve>
#include <QEvent>
#include <QGraphicsOpacityEffect>

#include <cmath>

namespace brevanta {

BottomSlidePresenter::BottomSlidePresenter(QWidget* content, QMargins padding, QWidget* parent)
    : QWidget(parent)
    , m_content(content)
    , m_padding(padding) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    content->setParent(this);
    content->installEventFilter(this);
    m_animation.setDuration(animationMilliseconds);
    m_animation.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyProgress(value.toReal()); });
    applyProgress(0.0);
}

void BottomSlidePresenter::setPresented(bool presented, bool animated) {
    if (presented == m_presented && (isAnimating() || m_progress == (presented ? 1.0 : 0.0)))
        return;
    m_presented = presented;
    m_animation.stop();
    const qreal target = presented ? 1.0 : 0.0;
    if (!animated) {
        applyProgress(target);
        return;
    }
    m_animation.setStartValue(m_progress);
    m_animation.setEndValue(target);
    m_animation.start();
}

int BottomSlidePresenter::contentHeight(int width) const {
    const int inner = std::max(0, width - m_padding.left() - m_padding.right());
    return m_content->hasHeightForWidth() ? m_content->heightForWidth(inner)
                                          : m_content->sizeHint().height();
}

void BottomSlidePresenter::applyProgress(qreal progress) {
    m_progress = progress;
    const bool settled = progress <= 0.0 || progress >= 1.0;
    // Fading draws the bar through an off-screen buffer; only pay for it while moving.
    if (settled) {
        setGraphicsEffect(nullptr);
        m_fade = nullptr;
    } else {
        if (!m_fade) {
            m_fade = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(m_fade);
        }
        m_fade->setOpacity(progress);
    }
    const int full = contentHeight(width()) + m_padding.top() + m_padding.bottom();
    setFixedHeight(int(std::lround(full * progress)));
    setVisible(progress > 0.0);
    placeContent();
}

void BottomSlidePresenter::placeContent() {
    // Pinned to the top: as the presenter grows from the bottom edge the bar rises with it.
    const int inner = std::max(0, width() - m_padding.left() - m_padding.right());
    m_content->setGeometry(m_padding.left(), m_padding.top(), inner, contentHeight(width()));
}

bool BottomSlidePresenter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_content && event->type() == QEvent::LayoutRequest)
        applyProgress(m_progress);
    return QWidget::eventFilter(watched, event);
}

void BottomSlidePresenter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyProgress(m_progress);
}

} // namespace brevanta
