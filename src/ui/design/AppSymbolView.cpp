// SPDX-License-Identifier: MIT
#include "ui/design/AppSymbolView.h"

#include "ui/design/AppIcons.h"

#include <QPainter>

namespace brevanta {

AppSymbolView::AppSymbolView(const QString& symbolName, qreal textSize, const AppColor& color,
                             QWidget* parent)
    : QWidget(parent)
    , m_symbolName(symbolName)
    , m_textSize(textSize)
    , m_color(color) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void AppSymbolView::setSymbolName(const QString& symbolName) {
    m_symbolName = symbolName;
    update();
}

void AppSymbolView::setColor(const AppColor& color) {
    m_color = color;
    update();
}

void AppSymbolView::setTextSize(qreal textSize) {
    m_textSize = textSize;
    updateGeometry();
    update();
}

void AppSymbolView::setFrameWidth(int width) {
    m_frameWidth = width;
    updateGeometry();
}

int AppSymbolView::em() const {
    return AppIcons::emForTextSize(m_textSize);
}

QSize AppSymbolView::sizeHint() const {
    return {std::max(em(), m_frameWidth), em()};
}

void AppSymbolView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int size = em();
    QRectF box(0, 0, size, size);
    box.moveCenter(QRectF(rect()).center());
    AppIcons::paint(painter, box, m_symbolName, m_color.resolve(this));
}

} // namespace brevanta
