// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/CalendarHeatmap.h"
#include "core/time/Calendar.h"

#include <QList>
#include <QWidget>

#include <vector>

namespace brevanta {

class AppSectionHeader;
class CalendarHeatmapBandView;
class CalendarHeatmapLegend;
class FirstFitContainer;

enum class CalendarHeatmapPresentation { hero, prominent };

/// The calendar-year heatmap: a section header, the year as week columns of small rounded
/// squares shaded by practice time, and a legend. The whole year stands in one band when it
/// fits the width offered ("year-heatmap-wide"), otherwise two half-year bands are stacked at a
/// larger size ("year-heatmap-split"), whose cells shrink where even they do not fit. It only
/// displays.
class CalendarYearContributionHeatmap final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarYearContributionHeatmap)

public:
    struct CellSizes {
        int wide;
        int split;
    };
    static CellSizes cellSizes(CalendarHeatmapPresentation presentation);

    /// `calendar` writes each day's date in its help text.
    CalendarYearContributionHeatmap(const QString& title, const QString& subtitle,
                                    CalendarHeatmapPresentation presentation, Calendar calendar,
                                    QWidget* parent = nullptr);

    void setSubtitle(const QString& subtitle);
    /// The one-band layout and the two half-year bands; either may be empty.
    void setBands(std::vector<CalendarHeatmapBand> wideBands,
                  std::vector<CalendarHeatmapBand> splitBands);

    CalendarHeatmapPresentation presentation() const { return m_presentation; }
    AppSectionHeader* header() const { return m_header; }
    /// The layout on show: "year-heatmap-wide" or "year-heatmap-split".
    QWidget* shownLayout() const;
    /// The bands of the layout on show.
    QList<CalendarHeatmapBandView*> shownBands() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillLayout(QWidget* layout, const std::vector<CalendarHeatmapBand>& bands, int cellSize);
    void followLayout();

    CalendarHeatmapPresentation m_presentation;
    Calendar m_calendar;
    QString m_title;
    AppSectionHeader* m_header = nullptr;
    FirstFitContainer* m_grid = nullptr;
    QWidget* m_wide = nullptr;
    QWidget* m_split = nullptr;
    CalendarHeatmapLegend* m_legend = nullptr;
};

} // namespace brevanta
