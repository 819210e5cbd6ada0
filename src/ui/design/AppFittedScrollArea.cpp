// SPDX-License-Identifier: MIT
#include "ui/design/AppFittedScrollArea.h"

#include "ui/design/AppSheet.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace brevanta {

namespace {

// Room kept above and below whatever takes the keyboard inside.
constexpr int focusMargin = 8;

} // namespace

AppFittedScrollArea::AppFittedScrollArea(QWidget* content, int minimumVisibleHeight,
                                         QWidget* parent)
    : QScrollArea(parent)
    , m_minimumVisibleHeight(minimumVisibleHeight) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    setWidget(content);
    // The content's wrapped height changes with its text and with what it shows.
    content->installEventFilter(this);
    AppSheet::followFocus(this, focusMargin);
}

int AppFittedScrollArea::contentHeight() const {
    const QWidget* content = widget();
    if (!content)
        return 0;
    const int width = viewport()->width();
    return content->hasHeightForWidth() && width > 0 ? content->heightForWidth(width)
                                                     : content->sizeHint().height();
}

QSize AppFittedScrollArea::sizeHint() const {
    const QWidget* content = widget();
    return {content ? content->sizeHint().width() : 0, contentHeight()};
}

QSize AppFittedScrollArea::minimumSizeHint() const {
    const QWidget* content = widget();
    const int width = content ? content->minimumSizeHint().width() : 0;
    return {width, std::min(contentHeight(), m_minimumVisibleHeight)};
}

bool AppFittedScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

void AppFittedScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    // A new width wraps the content anew, so the height it asks for changes with it.
    if (event->size().width() != event->oldSize().width())
        updateGeometry();
}

} // namespace brevanta
