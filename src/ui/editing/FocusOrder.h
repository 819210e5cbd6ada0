// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brevanta {

/// Keeps Tab moving through a page in reading order. Rows added later would otherwise join the
/// end of the window's focus chain, after the page's action buttons.
struct FocusOrder {
    /// Chains every widget under `root` that takes focus by Tab, in the order of the widget
    /// tree, which the pages build top to bottom. Scroll areas are passed through; any other
    /// focusable widget keeps its own inner parts (the editor of a date field, the viewport of
    /// a text area) to itself.
    static void arrange(QWidget* root);
};

} // namespace brevanta
