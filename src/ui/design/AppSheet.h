// SPDX-License-Identifier: MIT
#pragma once

class QScrollArea;
class QWidget;

namespace brevanta {

/// How sheets and scrolling pages fit the window they belong to.
struct AppSheet {
    /// Room kept between a sheet and the edges of its window.
    static constexpr int windowMargin = 20;

    /// Sizes `sheet` for `window` before it opens: as large as it asked to be (its size when it
    /// set one, else its size hint), no larger than the window leaves room for, and never below
    /// its minimum size. A sheet taller than its window scrolls inside.
    static void fitToWindow(QWidget* sheet, const QWidget* window);

    /// Keeps whatever takes keyboard focus inside `area` scrolled into view, `margin` points clear
    /// of its edges, and takes the area itself out of the Tab order.
    static void followFocus(QScrollArea* area, int margin);
    /// Scrolls `area` so that `widget` inside it is in view, `margin` points clear of the edges;
    /// again once pending layout has run, for a widget just added.
    static void reveal(QScrollArea* area, QWidget* widget, int margin);
};

} // namespace brevanta
