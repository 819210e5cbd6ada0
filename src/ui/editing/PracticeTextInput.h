// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brevanta {

/// Marks a text field in which typing must never run a single-key practice shortcut: while the
/// field, or anything inside it, has keyboard focus, the menu switches the space-bar command off.
struct PracticeTextInput {
    static void mark(QWidget* field);
    static bool isMarked(const QWidget* widget);
    /// True when `focusWidget` is a marked field or lies inside one.
    static bool suppressesPracticeShortcuts(const QWidget* focusWidget);
};

} // namespace brevanta
