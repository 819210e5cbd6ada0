// SPDX-License-Identifier: MIT
#include "ui/insights/LivePracticePage.h"

#include "core/insights/PracticeAnalytics.h"
#include "core/store/JournalStore.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppLoadingState.h"
#include "ui/design/AppTypography.h"
#include "ui/insights/CalendarYearContributionHeatmap.h"
#include "ui/insights/ClockBoundaryTimer.h"

#include <QBoxLayout>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>
#include <utility>

namespace brevanta {

namespace {

constexpr int pagePadding = 40;

} // namespace

LivePracticePage::LivePracticePage(JournalStore& store, Clock clock, Calendar calendar,
                                   int columnWidth, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_clock(clock)
    , m_calendar(std::move(calendar))
    , m_boundary(new ClockBoundaryTimer(std::move(clock), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(pagePadding, pagePadding, pagePadding, pagePadding);
    row->setSpacing(0);
    auto* columnWidget = new QWidget;
    columnWidget->setMaximumWidth(columnWidth);
    m_column = new QVBoxLayout(columnWidget);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    row->addWidget(columnWidget, 1, Qt::AlignTop);
    row->addStretch(0);

    m_scroll = new QScrollArea;
    m_scroll->setFrameShape(QFrame::NoFrame);
    // The page is no Tab stop of its own: Tab goes straight to what it holds.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidgetResizable(true);
    // The year's grid shrinks its cells to fit a small window; only narrower than its smallest
    // cells does the page scroll sideways rather than cut the grid off.
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->setWidget(content);
    layout->addWidget(m_scroll);

    m_refreshSoon.setSingleShot(true);
    m_refreshSoon.setInterval(0);
    connect(&m_refreshSoon, &QTimer::timeout, this, &LivePracticePage::refreshIfStale);
    connect(&m_store, &JournalStore::sessionsChanged, this, &LivePracticePage::markStale);
    connect(m_boundary, &ClockBoundaryTimer::reached, this, &LivePracticePage::markStale);
}

LivePracticePage::~LivePracticePage() = default;

Instant LivePracticePage::nextBoundary(Instant now) const {
    const Instant today = m_calendar.startOfDay(now);
    const std::optional<Instant> tomorrow = m_calendar.addingDays(today, 1);
    // Where a midnight is skipped, the next day starts at its first instant all the same.
    return tomorrow ? m_calendar.startOfDay(*tomorrow) : today.addingMSecs(86'400'000);
}

AppLabel* LivePracticePage::eyebrow(const QString& text, qreal tracking) {
    auto* label = new AppLabel(
        text,
        AppTypography::withTracking(
            AppTypography::withWeight(AppTypography::caption(), QFont::Bold), tracking),
        AppColors::secondaryText());
    return label;
}

void LivePracticePage::showYear(const std::vector<PracticeSessionPtr>& sessions,
                                Instant now) const {
    CalendarYearContributionHeatmap& heatmap = *m_heatmap;
    const QString year = QString::number(m_calendar.components(now).year);
    heatmap.setSubtitle(QStringLiteral("Every day you showed up in ") + year);
    std::vector<CalendarHeatmapBand> wide;
    if (m_calendar.yearInterval(now)) {
        wide.push_back(PracticeAnalytics::calendarBand(
            QStringLiteral("full-year"), year,
            PracticeAnalytics::calendarYearHeatmap(sessions, now, m_calendar), m_calendar));
    }
    heatmap.setBands(std::move(wide),
                     PracticeAnalytics::calendarYearBands(sessions, now, true, m_calendar));
}

void LivePracticePage::refreshWhileLoading(Instant) {}

void LivePracticePage::setJournalFigures(std::function<QWidget*()> buildLead, YearFrame year) {
    // Where the figures will stand, at the page's leading edge like them.
    m_loading =
        new AppLoadingState(QStringLiteral("Opening your journal…"), QStringLiteral("book.closed"),
                            AppLoadingState::Placement::leading);
    m_loading->setObjectName(QStringLiteral("journal-loading"));
    m_column->addWidget(m_loading);
    m_buildJournalFigures = [this, buildLead = std::move(buildLead), year = std::move(year)] {
        QWidget* lead = buildLead();
        m_heatmap = new CalendarYearContributionHeatmap(QStringLiteral("Your year in practice"), {},
                                                        year.presentation, m_calendar);
        auto* frame = new QWidget;
        frame->setObjectName(year.name);
        auto* frameLayout = new QVBoxLayout(frame);
        frameLayout->setContentsMargins(0, year.margin, 0, year.margin);
        frameLayout->addWidget(m_heatmap);
        m_journalFigures = {lead, frame};
    };
    if (m_store.isLoaded())
        buildJournalFigures();
    showLoading(!m_store.isLoaded());
}

void LivePracticePage::buildJournalFigures() {
    if (!m_buildJournalFigures)
        return;
    std::exchange(m_buildJournalFigures, nullptr)();
    int index = m_column->indexOf(m_loading);
    for (QWidget* figure : m_journalFigures)
        m_column->insertWidget(++index, figure);
}

bool LivePracticePage::showsLoading() const {
    return m_loading && !m_loading->isHidden();
}

void LivePracticePage::showLoading(bool loading) {
    if (!m_loading)
        return;
    m_loading->setVisible(loading);
    for (QWidget* figure : m_journalFigures)
        figure->setVisible(!loading);
}

void LivePracticePage::markStale() {
    m_stale = true;
    if (isVisible())
        m_refreshSoon.start();
}

void LivePracticePage::refreshIfStale() {
    if (!m_stale)
        return;
    const Instant now = m_clock.now();
    // The figures of a journal that is still loading would be those of an empty one: the page
    // stays stale, and the store's change when the rows are in brings the refresh.
    if (m_store.isLoaded()) {
        buildJournalFigures();
        showLoading(false);
        m_stale = false;
        refresh(m_store.sessions(), now);
    } else {
        showLoading(true);
        refreshWhileLoading(now);
    }
    m_boundary->arm(nextBoundary(now));
}

void LivePracticePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Out of sight the page did no work; catch up before it is painted.
    refreshIfStale();
}

void LivePracticePage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
}

} // namespace brevanta
