// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/insights/CalendarYearContributionHeatmap.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QScrollArea;
class QVBoxLayout;

namespace brevanta {

class AppLabel;
class AppLoadingState;
class ClockBoundaryTimer;
class JournalStore;

/// A scrolling page whose figures are worked out afresh from the whole journal, the current
/// instant and the user's calendar: Home and Insights. Nothing derived is kept between
/// refreshes.
///
/// It follows the journal and the clock while it is open. Every change of the journal marks the
/// figures stale, and one refresh follows in the same turn of the event loop however many
/// changes a save brought; a page out of sight waits until it is shown again. The clock is read
/// again at each boundary the page names (midnight by default), so "today", the week and the
/// year move on while the window stays open.
///
/// Until the journal's rows are in, the parts that show journal figures make way for a quiet
/// loading state; the rest (a greeting, the buttons to start) is there from the first paint.
/// Those parts are not even built until then: a window opened while the journal loads paints
/// sooner without widgets it could not fill yet.
class LivePracticePage : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LivePracticePage)

public:
    ~LivePracticePage() override;

    /// Brings the figures up to date at once if they are stale.
    void refreshIfStale();
    bool isStale() const { return m_stale; }
    /// The year's heatmap, once the journal figures are built.
    CalendarYearContributionHeatmap* heatmap() const { return m_heatmap; }
    ClockBoundaryTimer* boundaryTimer() const { return m_boundary; }

protected:
    /// `columnWidth` is the widest the content column grows; it keeps to the leading edge.
    LivePracticePage(JournalStore& store, Clock clock, Calendar calendar, int columnWidth,
                     QWidget* parent);

    /// Shows the figures for `sessions` (newest first) at `now`.
    virtual void refresh(const std::vector<PracticeSessionPtr>& sessions, Instant now) = 0;
    /// What the page shows from the clock alone, while the journal is still loading.
    virtual void refreshWhileLoading(Instant now);
    /// The next instant after `now` at which the figures change without any journal change.
    virtual Instant nextBoundary(Instant now) const;
    /// How a page frames the year's heatmap ("Your year in practice"): the frame's object name,
    /// and the room above and below it.
    struct YearFrame {
        QString name;
        CalendarHeatmapPresentation presentation;
        int margin;
    };
    /// Names the journal figures, to stand where the column now ends: what `buildLead` builds,
    /// then the year's heatmap in `year`'s frame. Until the rows are in, the loading state stands
    /// there instead; the figures are built the first time the page has rows to show (at once
    /// when it has them already), and before its first refresh.
    void setJournalFigures(std::function<QWidget*()> buildLead, YearFrame year);
    bool showsLoading() const;

    const Calendar& calendar() const { return m_calendar; }

    /// A small bold caption, tracked open, heading what follows ("THIS WEEK").
    static AppLabel* eyebrow(const QString& text, qreal tracking);
    /// Shows the year of `now` in the heatmap: its subtitle, the full-year band and the halves.
    void showYear(const std::vector<PracticeSessionPtr>& sessions, Instant now) const;
    QVBoxLayout* column() const { return m_column; }
    QScrollArea* scrollArea() const { return m_scroll; }

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void markStale();
    void buildJournalFigures();
    void showLoading(bool loading);

    JournalStore& m_store;
    Clock m_clock;
    Calendar m_calendar;
    QScrollArea* m_scroll = nullptr;
    QVBoxLayout* m_column = nullptr;
    QTimer m_refreshSoon;
    ClockBoundaryTimer* m_boundary = nullptr;
    AppLoadingState* m_loading = nullptr;
    std::function<void()> m_buildJournalFigures;
    std::vector<QWidget*> m_journalFigures;
    CalendarYearContributionHeatmap* m_heatmap = nullptr;
    bool m_stale = true;
};

} // namespace brevanta
