// SPDX-License-Identifier: MIT
#include "ui/shell/AfterFirstPaint.h"

#include <QEvent>
#include <QWidget>

namespace brevanta {

AfterFirstPaint::AfterFirstPaint(std::function<void()> work, int patienceMs, QObject* parent)
    : QObject(parent)
    , m_work(std::move(work)) {
    m_patience.setSingleShot(true);
    connect(&m_patience, &QTimer::timeout, this, &AfterFirstPaint::run);
    m_patience.start(patienceMs);
}

void AfterFirstPaint::watch(QWidget* window) {
    if (m_work && window)
        window->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // The window paints and flushes within this event's delivery; the work starts after.
        QTimer::singleShot(0, this, &AfterFirstPaint::run);
    }
    return false;
}

void AfterFirstPaint::run() {
    m_patience.stop();
    if (const std::function<void()> work = std::exchange(m_work, nullptr))
        work();
}

} // namespace brevanta
