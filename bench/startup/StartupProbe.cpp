// SPDX-License-Identifier: MIT
#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace brevanta::bench {

void report(const char* milestone) {
    // With the moment it was reached on the steady clock the benchmark reads too: the benchmark
    // may read the line later, when the work after the milestone keeps the processors busy.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    char line[96];
    const int length = std::snprintf(
        line, sizeof line, "%s %lld\n", milestone,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line, std::size_t(length));
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
