// SPDX-License-Identifier: MIT
#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <unistd.h>

namespace brevanta::bench {

void report(const char* milestone) {
    // Unbuffered, so the benchmark reads the time the line was written.
    const std::size_t length = std::strlen(milestone);
    [[maybe_unused]] ssize_t written = ::write(STDOUT_FILENO, milestone, length);
    written = ::write(STDOUT_FILENO, "\n", 1);
}

FirstPaintProbe::FirstPaintProbe(std::function<bool(const QWidget*)> isMainWindow,
                                 std::function<void()> painted)
    : m_isMainWindow(std::move(isMainWindow))
    , m_painted(std::move(painted)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
        const auto* widget = static_cast<const QWidget*>(watched);
        if (widget->isWindow() && m_isMainWindow(widget)) {
            m_seen = true;
            // The window paints and flushes within this event's delivery; a zero timer fires
            // once that is done.
            QTimer::singleShot(0, this, [this] { m_painted(); });
        }
    }
    return false;
}

} // namespace brevanta::bench
