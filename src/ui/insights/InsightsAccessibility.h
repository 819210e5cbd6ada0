// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>

class QWidget;

namespace brevanta {

class CalendarHeatmapBandView;

/// What assistive technology is told about the insights screens beyond what plain widgets say:
/// the heatmap grid as a list of days, section captions as headings, and painted figures as
/// text.
struct InsightsAccessibility {
    /// Installs the accessibility factory of these screens; once per process, on first use.
    static void install();

    /// Gives `widget` the accessibility role `role` (a heading, static text) with its accessible
    /// name and description as set on it. A label without an accessible name keeps its text.
    static void setRole(QWidget* widget, QAccessible::Role role);

    /// A new interface for the exposed day `exposedIndex` of `band`, for the band to register.
    static QAccessibleInterface* makeHeatmapDay(CalendarHeatmapBandView* band, int exposedIndex);
};

} // namespace brevanta
