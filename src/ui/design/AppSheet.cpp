// SPDX-License-Identifier: MIT
#include "ui/design/AppSheet.h"

#include <QApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>

namespace brevanta {

namespace {

void revealNow(QScrollArea* area, QWidget* widget, int margin) {
    QWidget* content = area->widget();
    if (!content || !content->isAncestorOf(widget))
        return;
    if (QLayout* layout = content->layout())
        layout->activate();
    area->ensureWidgetVisible(widget, 0, margin);
}

} // namespace

void AppSheet::fitToWindow(QWidget* sheet, const QWidget* window) {
    const QSize asked = sheet->testAttribute(Qt::WA_Resized) ? sheet->size() : sheet->sizeHint();
    QSize room = asked;
    if (window)
        room = room.boundedTo(window->size() - QSize(2 * windowMargin, 2 * windowMargin));
    if (const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen())
        room = room.boundedTo(screen->availableGeometry().size());
    sheet->resize(room.expandedTo(sheet->minimumSize()).boundedTo(sheet->maximumSize()));
}

void AppSheet::followFocus(QScrollArea* area, int margin) {
    area->setFocusPolicy(Qt::NoFocus);
    QObject::connect(qApp, &QApplication::focusChanged, area,
                     [area, margin](QWidget*, QWidget* now) {
                         if (now && area->widget() && area->widget()->isAncestorOf(now))
                             reveal(area, now, margin);
                     });
}

void AppSheet::reveal(QScrollArea* area, QWidget* widget, int margin) {
    revealNow(area, widget, margin);
    QPointer<QScrollArea> guardedArea(area);
    QPointer<QWidget> guardedWidget(widget);
    QTimer::singleShot(0, area, [guardedArea, guardedWidget, margin] {
        if (guardedArea && guardedWidget)
            revealNow(guardedArea, guardedWidget, margin);
    });
}

} // namespace brevanta
