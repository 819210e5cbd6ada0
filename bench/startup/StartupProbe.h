// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace brevanta::bench {

/// Tells the start-up benchmark, on standard output, when a milestone of the process it runs in
/// is reached: a line of its name ("painted", "loaded", "ready", "quitting") and the steady
/// clock's time in nanoseconds.
void report(const char* milestone);

/// Calls `painted` once, after the first paint of the first top-level window `isMainWindow`
/// accepts has been flushed.
class FirstPaintProbe final : public QObject {
public:
    FirstPaintProbe(std::function<bool(const QWidget*)> isMainWindow,
                    std::function<void()> painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(const QWidget*)> m_isMainWindow;
    std::function<void()> m_painted;
    bool m_seen = false;
};

} // namespace brevanta::bench
