// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace brevanta {

/// One practice command as a main window offers it to the menu: what to call it, whether it can
/// run now, and what it does. Runs on the main thread.
struct PracticeCommandAction {
    QString title;
    bool isEnabled = false;
    std::function<void()> perform;

    void operator()() const {
        if (perform)
            perform();
    }
};

/// What the main window in front publishes for the menu, and whether a text field marked as a
/// practice text input holds the keyboard focus there. Every value is absent when no main window
/// is in front; an absent flag reads as false.
struct PracticeCommandValues {
    std::optional<PracticeCommandAction> startPracticeAction;
    std::optional<PracticeCommandAction> logPracticeAction;
    std::optional<PracticeCommandAction> toggleActiveSessionAction;
    std::optional<PracticeCommandAction> finishActiveSessionAction;
    std::optional<PracticeCommandAction> importPracticeHistoryAction;
    std::optional<bool> suppressesPracticeShortcuts;
};

} // namespace brevanta
