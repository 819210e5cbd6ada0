// SPDX-License-Identifier: MIT
#pragma once

namespace brevanta {

/// The two widths, in logical pixels of the window or content, at which the layout changes.
struct AppResponsiveLayout {
    static constexpr double collapsedSidebarBelow = 900.0;
    static constexpr double splitJournalFrom = 920.0;

    /// True below 900: the sidebar folds away.
    static constexpr bool usesCollapsedSidebar(double width) {
        return width < collapsedSidebarBelow;
    }
    /// True from 920: the journal shows its list and the selected page side by side.
    static constexpr bool usesSplitJournal(double width) { return width >= splitJournalFrom; }
};

} // namespace brevanta
