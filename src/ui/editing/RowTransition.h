// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brevanta {

/// How a row of a list arrives and leaves, over `milliseconds` with an ease-in-out curve.
struct RowTransition {
    /// Plays the arrival of a row just added to a layout: it fades in while moving down from the
    /// top edge of its place. The row takes its full place at once, so its controls answer
    /// clicks from the first moment.
    static void enter(QWidget* row, int milliseconds);
    /// Plays the departure of a row, then deletes it: it fades while it closes towards the top
    /// edge of its place. The row is disabled and loses its object name at once, so nothing
    /// finds or uses it while it fades.
    static void leave(QWidget* row, int milliseconds);
};

} // namespace brevanta
