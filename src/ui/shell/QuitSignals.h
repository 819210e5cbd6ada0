// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace brevanta {

/// Turns the signals that end a desktop program from outside (SIGTERM from `kill` or a logout,
/// SIGHUP when its terminal or session goes, SIGINT from Ctrl+C) into a call on the event loop,
/// so that the program quits as it does from its menu: the journal closed and its side files
/// tidied, the settings written. One instance at a time; elsewhere than Unix it does nothing.
class QuitSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuitSignals)

public:
    /// `onQuit` runs on the event loop once per signal that arrives while this object lives.
    explicit QuitSignals(std::function<void()> onQuit, QObject* parent = nullptr);
    /// Gives the signals their default action back.
    ~QuitSignals() override;

private:
    std::function<void()> m_onQuit;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace brevanta
