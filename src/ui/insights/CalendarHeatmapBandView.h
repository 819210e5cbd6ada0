// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/CalendarHeatmap.h"
#include "core/time/Calendar.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace brevanta {

/// How a heatmap cell is drawn, shared by the grid and the legend: a rounded square filled by
/// intensity, outlined where a fill alone would not show it. Edges land on device pixels at
/// every scale factor, so the picture stays crisp.
struct CalendarHeatmapCellPainter {
    static constexpr int cellSpacing = 4;
    static constexpr qreal microRadius = 2.0;

    static void paintDay(QPainter& painter, const QRectF& cell, int intensity,
                         const QWidget* widget);
    static void paintFuture(QPainter& painter, const QRectF& cell, const QWidget* widget);
    /// `rect` moved and sized to whole device pixels of `painter`'s device.
    static QRectF snapped(const QRectF& rect, const QPainter& painter);
};

/// One band of the year heatmap, painted as a whole: its title, the weekday labels and the grid
/// of week columns. Never a widget per day.
///
/// For assistive technology the grid is a list whose items are the past days and today, each
/// named by its help text with "Intensity N of 4" as its value; padding and future days are not
/// there. With keyboard focus, the arrow keys move a ring from day to day (Left and Right a
/// week, Up and Down a day; Home and End the first day and the latest) and the day is announced.
class CalendarHeatmapBandView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarHeatmapBandView)

public:
    /// The smallest cell and gap a band shrinks to in a narrow window before the page scrolls
    /// sideways: still a square a reader can tell from its neighbours.
    static constexpr int minimumCellSize = 8;
    static constexpr int minimumCellSpacing = 2;

    /// `cellSize` is the size the band is drawn at when its width allows it.
    CalendarHeatmapBandView(int cellSize, Calendar calendar, QWidget* parent = nullptr);
    ~CalendarHeatmapBandView() override;

    void setBand(CalendarHeatmapBand band);
    const CalendarHeatmapBand& band() const { return m_band; }
    /// What assistive technology calls the grid, e.g. "Your year in practice, JAN–JUN".
    void setGridName(const QString& name);

    /// The size a cell is drawn at now: the ideal one, or smaller where the band is narrower
    /// than its ideal width.
    int cellSize() const { return m_shown.cell; }
    /// Width and height of the band, by the band's layout rules.
    static QSize bandSize(int columnCount, int cellSize);
    /// The width the grid takes as drawn now, titles and labels included.
    int drawnWidth() const;

    /// The days shown to assistive technology, as indices into the band's cells, in date order.
    const std::vector<int>& exposedCells() const { return m_exposed; }
    /// Help text of an exposed day, by its position in exposedCells().
    QString dayName(int exposedIndex) const;
    QString dayValue(int exposedIndex) const;
    /// Where cell `cellIndex` is drawn, in widget coordinates.
    QRectF cellRect(int cellIndex) const;
    /// The exposed day at `point`, if any.
    std::optional<int> exposedIndexAt(const QPointF& point) const;

    /// The day the focus ring is on, by its position in exposedCells().
    std::optional<int> focusedIndex() const { return m_focused; }
    void setFocusedIndex(int exposedIndex);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    /// Identities of the accessible day interfaces handed out, created on first use.
    quint32 accessibleDayId(int exposedIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// A cell and the gap between cells, in pixels.
    struct CellMetrics {
        int cell;
        int spacing;
    };
    /// The largest cells, down to the minimum, with which the band fits `width`.
    CellMetrics metricsForWidth(int width) const;
    static QSize bandSize(int columnCount, CellMetrics metrics);
    int gridTop() const;
    void moveFocus(int exposedIndex);
    void announceFocus();
    void dropAccessibleDays();

    int m_cellSize;
    CellMetrics m_shown;
    Calendar m_calendar;
    CalendarHeatmapBand m_band;
    std::vector<int> m_exposed;
    std::vector<quint32> m_accessibleIds;
    std::optional<int> m_focused;
    /// The day the ring was on, so that it stays on that day when the figures change.
    std::optional<Instant> m_focusedDay;
};

} // namespace brevanta
