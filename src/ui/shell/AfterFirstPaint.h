// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

namespace brevanta {

/// Runs work once a window has painted for the first time: what the user waits to see comes
/// first, and what can follow starts the moment it is on screen. A window that is not painted
/// soon (opened minimised, or on a display that never exposes it) does not hold the work back
/// longer than the patience given.
class AfterFirstPaint final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AfterFirstPaint)

public:
    AfterFirstPaint(std::function<void()> work, int patienceMs, QObject* parent = nullptr);

    /// Watches `window`'s first paint; the first watched window to paint runs the work.
    void watch(QWidget* window);
    bool hasRun() const { return !m_work; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    std::function<void()> m_work;
    QTimer m_patience;
};

} // namespace brevanta
