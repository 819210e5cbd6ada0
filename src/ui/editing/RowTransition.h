// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brevanta {

/// How a row of a list arrives and leaves: it fades while it opens from (or closes towards) the
/// top edge of its place, over `milliseconds` with an ease-in-out curve.
struct RowTransition {
    /// Plays the arrival of a row just added to a layout.
    static void enter(QWidget* row, int milliseconds);
    /// Plays the departure of a row, then deletes it. The row is disabled and loses its object
    /// name at once, so nothing finds or uses it while it fades.
    static void leave(QWidget* row, int milliseconds);
};

} // namespace brevanta
