// SPDX-License-Identifier: MIT
#include "ui/design/SoftShadow.h"

#include "ui/design/AppColors.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>
#include <vector>

namespace brevanta {

namespace {

// Three box passes approximate a Gaussian; a blur radius is read as two standard deviations.
constexpr int boxPasses = 3;

int boxRadiusFor(qreal blurRadius) {
    const qreal sigma = blurRadius / 2.0;
    const qreal width = std::sqrt(4.0 * sigma * sigma + 1.0);
    return std::max(0, int(std::lround((width - 1.0) / 2.0)));
}

void boxBlurLine(const quint8* source, quint8* target, int length, int stride, int radius) {
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, length); ++i)
        sum += source[i * stride];
    for (int i = 0; i < length; ++i) {
        const int entering = i + radius;
        const int leaving = i - radius - 1;
        if (entering < length)
            sum += source[entering * stride];
        if (leaving >= 0)
            sum -= source[leaving * stride];
        target[i * stride] = quint8((sum + window / 2) / window);
    }
}

void blurAlpha(std::vector<quint8>& alpha, int width, int height, int radius) {
    if (radius <= 0)
        return;
    std::vector<quint8> scratch(alpha.size());
    for (int pass = 0; pass < boxPasses; ++pass) {
        for (int y = 0; y < height; ++y)
            boxBlurLine(&alpha[size_t(y) * width], &scratch[size_t(y) * width], width, 1, radius);
        for (int x = 0; x < width; ++x)
            boxBlurLine(&scratch[size_t(x)], &alpha[size_t(x)], height, width, radius);
    }
}

/// The blurred silhouette of a rounded rect of `size`, padded by `margin` on every side, in an
/// opaque version of `color`. Cached, since surfaces repaint far more often than they resize.
QPixmap blurredSilhouette(QSizeF size, qreal cornerRadius, qreal blurRadius, int margin,
                          QRgb color) {
    const QSize shape(int(std::ceil(size.width())), int(std::ceil(size.height())));
    const QString key = QStringLiteral("brevanta-shadow-%1x%2-%3-%4-%5")
                            .arg(shape.width())
                            .arg(shape.height())
                            .arg(cornerRadius)
                            .arg(blurRadius)
                            .arg(color, 0, 16);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    const int width = shape.width() + 2 * margin;
    const int height = shape.height() + 2 * margin;
    QImage mask(width, height, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(continuousRoundedRect(QRectF(QPointF(margin, margin), size), cornerRadius),
                         Qt::black);
    }
    std::vector<quint8> alpha(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        std::copy_n(mask.constScanLine(y), width, &alpha[size_t(y) * width]);
    blurAlpha(alpha, width, height, boxRadiusFor(blurRadius));

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int a = alpha[size_t(y) * width + x];
            line[x] = qPremultiply(qRgba(qRed(color), qGreen(color), qBlue(color), a));
        }
    }
    cached = QPixmap::fromImage(image);
    QPixmapCache::insert(key, cached);
    return cached;
}

} // namespace

SoftShadow::SoftShadow(QWidget* target)
    : QWidget(target ? target->parentWidget() : nullptr)
    , m_target(target)
    , m_color(AppColors::shadow()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    if (!target)
        return;
    connect(target, &QObject::destroyed, this, &QObject::deleteLater);
    target->installEventFilter(this);
    adoptTargetParent();
}

void SoftShadow::setCornerRadius(qreal radius) {
    m_cornerRadius = radius;
    update();
}

void SoftShadow::setInset(int inset) {
    m_inset = std::max(0, inset);
    update();
}

void SoftShadow::setBlurRadius(qreal blurRadius) {
    m_blurRadius = std::max(0.0, blurRadius);
    follow();
    update();
}

void SoftShadow::setYOffset(qreal offset) {
    m_yOffset = offset;
    follow();
    update();
}

void SoftShadow::setOpacity(qreal opacity) {
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

void SoftShadow::setScale(qreal scale) {
    m_scale = scale;
    update();
}

void SoftShadow::setColor(const AppColor& color) {
    m_color = color;
    update();
}

int SoftShadow::margin() const {
    return boxPasses * boxRadiusFor(m_blurRadius) + int(std::ceil(std::abs(m_yOffset))) + 2;
}

void SoftShadow::adoptTargetParent() {
    // A top-level target casts nothing; keep the shadow as its hidden child until it has a
    // parent, since a parentless shadow would become a window of its own.
    QWidget* parent = m_target->parentWidget();
    if (!parent || m_target->isWindow()) {
        if (parentWidget() != m_target)
            setParent(m_target);
        hide();
        return;
    }
    if (parentWidget() != parent)
        setParent(parent);
    follow();
}

void SoftShadow::follow() {
    if (!m_target || parentWidget() == m_target)
        return;
    const int m = margin();
    setGeometry(m_target->geometry().adjusted(-m, -m, m, m));
    stackUnder(m_target);
    setVisible(!m_target->isHidden());
}

bool SoftShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::ParentChange:
            adoptTargetParent();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        // Sent on every explicit show() and hide(), also while the parent is not on screen.
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ZOrderChange:
            follow();
            break;
        case QEvent::PaletteChange:
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SoftShadow::paintEvent(QPaintEvent*) {
    if (!m_target || m_opacity <= 0.0)
        return;
    const QColor color = m_color.resolve(m_target->palette());
    if (color.alpha() == 0)
        return;

    const int m = margin();
    QRectF shape = QRectF(QPointF(m, m), QSizeF(m_target->size()))
                       .adjusted(m_inset, m_inset, -m_inset, -m_inset);
    if (shape.isEmpty())
        return;
    if (!qFuzzyCompare(m_scale, 1.0)) {
        const QPointF centre = shape.center();
        shape.setSize(shape.size() * m_scale);
        shape.moveCenter(centre);
    }
    const int blurMargin = boxPasses * boxRadiusFor(m_blurRadius) + 1;
    const QPixmap silhouette = blurredSilhouette(shape.size(), m_cornerRadius * m_scale,
                                                 m_blurRadius, blurMargin, color.rgb());
    QPainter painter(this);
    painter.setOpacity(color.alphaF() * m_opacity);
    painter.drawPixmap(shape.topLeft() + QPointF(-blurMargin, -blurMargin + m_yOffset), silhouette);
}

} // namespace brevanta
