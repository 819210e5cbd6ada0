// SPDX-License-Identifier: MIT
#include "ui/insights/CalendarYearContributionHeatmap.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSectionHeader.h"
#include "ui/design/AppTypography.h"
#include "ui/design/FirstFitContainer.h"
#include "ui/insights/CalendarHeatmapBandView.h"
#include "ui/insights/InsightsAccessibility.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPainter>

namespace brevanta {

namespace {

constexpr int betweenParts = 20;
constexpr int betweenBands = 32;
constexpr int legendSpacing = 4;

} // namespace

/// "Less", the five shades, "More": painted, and aligned to the trailing edge of the grid above.
class CalendarHeatmapLegend final : public QWidget {
public:
    explicit CalendarHeatmapLegend(int swatchSize)
        : m_swatchSize(swatchSize) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName(QStringLiteral("Less to More, in five shades"));
        InsightsAccessibility::setRole(this, QAccessible::StaticText);
    }

    void setTrailingEdge(int x) {
        m_trailingEdge = x;
        update();
    }

    QSize sizeHint() const override {
        return {contentWidth(), std::max(m_swatchSize, fontMetrics().height())};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(font());
        const int edge = m_trailingEdge > 0 ? std::min(m_trailingEdge, width()) : width();
        qreal x = std::max(0, edge - contentWidth());
        const auto text = [&](const QString& words) {
            const int advance = fontMetrics().horizontalAdvance(words);
            painter.setPen(AppColors::secondaryText().resolve(this));
            painter.drawText(QRectF(x, 0, advance, height()), Qt::AlignVCenter, words);
            x += advance + legendSpacing;
        };
        text(QStringLiteral("Less"));
        const qreal top = (height() - m_swatchSize) / 2.0;
        for (int intensity = 0; intensity <= 4; ++intensity) {
            CalendarHeatmapCellPainter::paintDay(
                painter, QRectF(x, top, m_swatchSize, m_swatchSize), intensity, this);
            x += m_swatchSize + legendSpacing;
        }
        text(QStringLiteral("More"));
    }

private:
    int contentWidth() const {
        const QFontMetrics metrics = fontMetrics();
        return metrics.horizontalAdvance(QStringLiteral("Less")) +
               metrics.horizontalAdvance(QStringLiteral("More")) + 5 * m_swatchSize +
               6 * legendSpacing;
    }

    int m_swatchSize;
    int m_trailingEdge = 0;
};

CalendarYearContributionHeatmap::CellSizes
CalendarYearContributionHeatmap::cellSizes(CalendarHeatmapPresentation presentation) {
    return presentation == CalendarHeatmapPresentation::hero ? CellSizes{16, 18}
                                                             : CellSizes{14, 16};
}

CalendarYearContributionHeatmap::CalendarYearContributionHeatmap(
    const QString& title, const QString& subtitle, CalendarHeatmapPresentation presentation,
    Calendar calendar, QWidget* parent)
    : QWidget(parent)
    , m_presentation(presentation)
    , m_calendar(std::move(calendar))
    , m_title(title) {
    setObjectName(QStringLiteral("calendar-year-heatmap"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(betweenParts);

    m_header = new AppSectionHeader(title, subtitle);
    InsightsAccessibility::setRole(m_header->titleLabel(), QAccessible::Heading);
    column->addWidget(m_header);

    m_wide = new QWidget;
    m_wide->setObjectName(QStringLiteral("year-heatmap-wide"));
    m_split = new QWidget;
    m_split->setObjectName(QStringLiteral("year-heatmap-split"));
    for (QWidget* layout : {m_wide, m_split}) {
        auto* bands = new QVBoxLayout(layout);
        bands->setContentsMargins(0, 0, 0, 0);
        bands->setSpacing(betweenBands);
        bands->setSizeConstraint(QLayout::SetMinimumSize);
    }
    m_grid = new FirstFitContainer;
    m_grid->addVariant(m_wide);
    m_grid->addVariant(m_split);
    connect(m_grid, &FirstFitContainer::currentVariantChanged, this,
            &CalendarYearContributionHeatmap::followLayout);
    column->addWidget(m_grid);

    m_legend = new CalendarHeatmapLegend(cellSizes(presentation).wide);
    m_legend->setFont(AppTypography::caption());
    column->addWidget(m_legend);
}

void CalendarYearContributionHeatmap::setSubtitle(const QString& subtitle) {
    m_header->setSubtitle(subtitle);
}

void CalendarYearContributionHeatmap::setBands(std::vector<CalendarHeatmapBand> wideBands,
                                               std::vector<CalendarHeatmapBand> splitBands) {
    fillLayout(m_wide, wideBands, cellSizes(m_presentation).wide);
    fillLayout(m_split, splitBands, cellSizes(m_presentation).split);
    // With no bands at all, only the header and the legend show.
    m_grid->setVisible(!wideBands.empty() || !splitBands.empty());
    m_grid->updateGeometry();
    followLayout();
}

void CalendarYearContributionHeatmap::fillLayout(QWidget* layout,
                                                 const std::vector<CalendarHeatmapBand>& bands,
                                                 int cellSize) {
    auto* column = static_cast<QVBoxLayout*>(layout->layout());
    QList<CalendarHeatmapBandView*> views =
        layout->findChildren<CalendarHeatmapBandView*>(Qt::FindDirectChildrenOnly);
    // Views are kept from one refresh to the next, so focus and the accessible days stay put.
    while (views.size() > qsizetype(bands.size()))
        delete views.takeLast();
    while (views.size() < qsizetype(bands.size())) {
        auto* view = new CalendarHeatmapBandView(cellSize, m_calendar);
        // The legend keeps to the grid's trailing edge as the cells shrink and grow.
        view->installEventFilter(this);
        column->addWidget(view, 0, Qt::AlignLeft);
        views.append(view);
    }
    for (std::size_t index = 0; index < bands.size(); ++index) {
        views[qsizetype(index)]->setGridName(m_title + u", " + bands[index].title);
        views[qsizetype(index)]->setBand(bands[index]);
    }
    layout->updateGeometry();
}

QWidget* CalendarYearContributionHeatmap::shownLayout() const {
    return m_grid->currentVariant();
}

QList<CalendarHeatmapBandView*> CalendarYearContributionHeatmap::shownBands() const {
    QWidget* shown = shownLayout();
    return shown ? shown->findChildren<CalendarHeatmapBandView*>(Qt::FindDirectChildrenOnly)
                 : QList<CalendarHeatmapBandView*>();
}

bool CalendarYearContributionHeatmap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        followLayout();
    return QWidget::eventFilter(watched, event);
}

void CalendarYearContributionHeatmap::followLayout() {
    int gridWidth = 0;
    for (const CalendarHeatmapBandView* band : shownBands())
        gridWidth = std::max(gridWidth, band->drawnWidth());
    m_legend->setTrailingEdge(gridWidth);
}

} // namespace brevanta
