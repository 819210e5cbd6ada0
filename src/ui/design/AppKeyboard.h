// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brevanta {

/// The keyboard conventions every window keeps, installed once for the whole application:
/// - a focused button answers Space and Return as everywhere on the desktop, so a single-key
///   command such as the space-bar pause never takes Space from a control that uses it;
/// - scroll areas without a name are no Tab stops: Tab goes to what they hold.
/// Buttons of the vocabulary take focus from Tab but not from a click, so after clicking a
/// button Space still reaches the window's command.
struct AppKeyboard {
    /// Installs the conventions on the application; later calls do nothing. The vocabulary's
    /// buttons call it, so every screen built from them keeps the conventions.
    static void install();
    /// Whether `widget`, holding keyboard focus, uses the Space key itself.
    static bool usesSpace(const QWidget* widget);
};

} // namespace brevanta
