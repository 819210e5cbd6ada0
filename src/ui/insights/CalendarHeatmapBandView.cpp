// SPDX-License-Identifier: MIT
#include "ui/insights/CalendarHeatmapBandView.h"

#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/editing/PracticeFields.h"
#include "ui/insights/InsightsAccessibility.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

namespace brevanta {

namespace {

constexpr int labelColumnWidth = 16;
constexpr int labelToGrid = 8;
constexpr int titleToGrid = 8;

QFont titleFont() {
    return AppTypography::withTracking(
        AppTypography::withWeight(AppTypography::caption(), QFont::Bold), 1.2);
}

/// The fill of each intensity: the plain surface, then the accent ever more opaque. On a dark
/// page the accent is lifted, or the faintest shade would be darker than an empty day and the
/// scale would no longer read from light to dark without colour.
AppColor intensityFill(int intensity) {
    switch (intensity) {
    case 0:
        return AppColors::secondarySurface();
    case 1:
        return readableAccent().withOpacity(0.28);
    case 2:
        return readableAccent().withOpacity(0.48);
    case 3:
        return readableAccent().withOpacity(0.7);
    default:
        return readableAccent();
    }
}

/// A line as thin as one point allows while covering whole device pixels.
qreal hairline(const QPainter& painter) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    return std::max(1.0, std::floor(ratio)) / ratio;
}

void strokeInside(QPainter& painter, const QRectF& cell, const QColor& color) {
    const qreal width = hairline(painter);
    const qreal half = width / 2;
    painter.setPen(QPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(cell.adjusted(half, half, -half, -half),
                                           CalendarHeatmapCellPainter::microRadius - half));
}

} // namespace

QRectF CalendarHeatmapCellPainter::snapped(const QRectF& rect, const QPainter& painter) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const auto snap = [ratio](qreal value) { return std::round(value * ratio) / ratio; };
    const qreal left = snap(rect.left());
    const qreal top = snap(rect.top());
    return {left, top, snap(rect.right()) - left, snap(rect.bottom()) - top};
}

void CalendarHeatmapCellPainter::paintDay(QPainter& painter, const QRectF& cell, int intensity,
                                          const QWidget* widget) {
    const QRectF shape = snapped(cell, painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(intensityFill(intensity).resolve(widget));
    painter.drawPath(continuousRoundedRect(shape, microRadius));
    // An empty day is outlined, or it would vanish into a light page.
    if (intensity == 0)
        strokeInside(painter, shape, AppColors::border().withOpacity(0.65).resolve(widget));
}

void CalendarHeatmapCellPainter::paintFuture(QPainter& painter, const QRectF& cell,
                                             const QWidget* widget) {
    strokeInside(painter, snapped(cell, painter),
                 AppColors::border().withOpacity(0.45).resolve(widget));
}

CalendarHeatmapBandView::CalendarHeatmapBandView(int cellSize, Calendar calendar, QWidget* parent)
    : QWidget(parent)
    , m_cellSize(cellSize)
    , m_shown{cellSize, CalendarHeatmapCellPainter::cellSpacing}
    , m_calendar(std::move(calendar)) {
    InsightsAccessibility::install();
    // Never wider than the ideal; narrower where the page is, with smaller cells.
    QSizePolicy policy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // Tab reaches the grid; a click does not take focus, so Space stays the pause command.
    setFocusPolicy(Qt::NoFocus);
}

CalendarHeatmapBandView::~CalendarHeatmapBandView() {
    dropAccessibleDays();
}

QSize CalendarHeatmapBandView::bandSize(int columnCount, int cellSize) {
    return bandSize(columnCount, CellMetrics{cellSize, CalendarHeatmapCellPainter::cellSpacing});
}

QSize CalendarHeatmapBandView::bandSize(int columnCount, CellMetrics metrics) {
    const int gridWidth =
        columnCount * metrics.cell + std::max(0, columnCount - 1) * metrics.spacing;
    const int titleHeight = QFontMetrics(titleFont()).height();
    return {gridWidth + labelColumnWidth + labelToGrid,
            titleHeight + titleToGrid + 7 * metrics.cell + 6 * metrics.spacing};
}

CalendarHeatmapBandView::CellMetrics CalendarHeatmapBandView::metricsForWidth(int width) const {
    // The gap shrinks with the cell, keeping the grid's proportions.
    const auto at = [this](int cell) {
        if (cell >= m_cellSize)
            return CellMetrics{m_cellSize, CalendarHeatmapCellPainter::cellSpacing};
        const int spacing =
            (CalendarHeatmapCellPainter::cellSpacing * cell + m_cellSize / 2) / m_cellSize;
        return CellMetrics{cell, std::max(minimumCellSpacing, spacing)};
    };
    const int columns = m_band.columnCount();
    int cell = m_cellSize;
    while (cell > minimumCellSize && bandSize(columns, at(cell)).width() > width)
        --cell;
    return at(cell);
}

QSize CalendarHeatmapBandView::sizeHint() const {
    return bandSize(m_band.columnCount(), m_cellSize);
}

QSize CalendarHeatmapBandView::minimumSizeHint() const {
    return bandSize(m_band.columnCount(), metricsForWidth(0));
}

int CalendarHeatmapBandView::heightForWidth(int width) const {
    return bandSize(m_band.columnCount(), metricsForWidth(width)).height();
}

int CalendarHeatmapBandView::drawnWidth() const {
    return bandSize(m_band.columnCount(), m_shown).width();
}

void CalendarHeatmapBandView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_shown = metricsForWidth(width());
    update();
}

int CalendarHeatmapBandView::gridTop() const {
    return QFontMetrics(titleFont()).height() + titleToGrid;
}

QRectF CalendarHeatmapBandView::cellRect(int cellIndex) const {
    const int column = cellIndex / 7;
    const int row = cellIndex % 7;
    const int step = m_shown.cell + m_shown.spacing;
    return QRectF(labelColumnWidth + labelToGrid + column * step, gridTop() + row * step,
                  m_shown.cell, m_shown.cell);
}

void CalendarHeatmapBandView::setGridName(const QString& name) {
    setAccessibleName(name);
}

void CalendarHeatmapBandView::setBand(CalendarHeatmapBand band) {
    const bool resized = band.columnCount() != m_band.columnCount();
    const QString focusedName = m_focused ? dayName(*m_focused) : QString();
    m_band = std::move(band);

    std::vector<int> exposed;
    exposed.reserve(m_band.cells.size());
    for (std::size_t index = 0; index < m_band.cells.size(); ++index) {
        const std::optional<HeatmapDay>& day = m_band.cells[index].day;
        if (day && !day->isFuture)
            exposed.push_back(int(index));
    }
    const bool regrouped = exposed != m_exposed;
    m_exposed = std::move(exposed);
    setFocusPolicy(m_exposed.empty() ? Qt::NoFocus : Qt::TabFocus);

    // The ring stays on its day; a day that has left the band gives way to the latest one.
    m_focused.reset();
    if (m_focusedDay) {
        for (std::size_t index = 0; index < m_exposed.size(); ++index) {
            if (m_band.cells[std::size_t(m_exposed[index])].day->day == *m_focusedDay)
                m_focused = int(index);
        }
    }
    if (!m_focused && !m_exposed.empty())
        m_focused = int(m_exposed.size()) - 1;
    m_focusedDay = m_focused
                       ? std::optional<Instant>(
                             m_band.cells[std::size_t(m_exposed[std::size_t(*m_focused)])].day->day)
                       : std::nullopt;

    if (regrouped) {
        dropAccessibleDays();
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    } else if (hasFocus() && m_focused && dayName(*m_focused) != focusedName) {
        // The day under the ring changed its figures: tell it again, and only then.
        announceFocus();
    }
    if (resized) {
        m_shown = metricsForWidth(width());
        updateGeometry();
    }
    update();
}

QString CalendarHeatmapBandView::dayName(int exposedIndex) const {
    const HeatmapDay& day = *m_band.cells[std::size_t(m_exposed[std::size_t(exposedIndex)])].day;
    return DateFormatting::completeDate(day.day, m_calendar) + u": " +
           PracticeDurationFormatter::compact(day.durationSeconds) + u", " +
           QString::number(day.sessionCount) +
           (day.sessionCount == 1 ? QStringLiteral(" session") : QStringLiteral(" sessions"));
}

QString CalendarHeatmapBandView::dayValue(int exposedIndex) const {
    const HeatmapDay& day = *m_band.cells[std::size_t(m_exposed[std::size_t(exposedIndex)])].day;
    return QStringLiteral("Intensity %1 of 4").arg(day.intensity());
}

std::optional<int> CalendarHeatmapBandView::exposedIndexAt(const QPointF& point) const {
    const qreal x = point.x() - labelColumnWidth - labelToGrid;
    const qreal y = point.y() - gridTop();
    if (x < 0 || y < 0)
        return std::nullopt;
    const int column = int(x) / (m_shown.cell + m_shown.spacing);
    const int row = int(y) / (m_shown.cell + m_shown.spacing);
    if (row > 6 || !cellRect(column * 7 + row).contains(point))
        return std::nullopt;
    const auto found = std::lower_bound(m_exposed.begin(), m_exposed.end(), column * 7 + row);
    if (found == m_exposed.end() || *found != column * 7 + row)
        return std::nullopt;
    return int(found - m_exposed.begin());
}

void CalendarHeatmapBandView::setFocusedIndex(int exposedIndex) {
    if (exposedIndex < 0 || exposedIndex >= int(m_exposed.size()))
        return;
    moveFocus(exposedIndex);
}

quint32 CalendarHeatmapBandView::accessibleDayId(int exposedIndex) {
    if (m_accessibleIds.size() < m_exposed.size())
        m_accessibleIds.resize(m_exposed.size(), 0);
    quint32& id = m_accessibleIds[std::size_t(exposedIndex)];
    if (id == 0) {
        id = QAccessible::registerAccessibleInterface(
            InsightsAccessibility::makeHeatmapDay(this, exposedIndex));
    }
    return id;
}

void CalendarHeatmapBandView::dropAccessibleDays() {
    for (const quint32 id : m_accessibleIds) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
    m_accessibleIds.clear();
}

void CalendarHeatmapBandView::moveFocus(int exposedIndex) {
    m_focused = exposedIndex;
    m_focusedDay = m_band.cells[std::size_t(m_exposed[std::size_t(exposedIndex)])].day->day;
    update();
    if (hasFocus())
        announceFocus();
}

void CalendarHeatmapBandView::announceFocus() {
    if (!m_focused)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(*m_focused);
    QAccessible::updateAccessibility(&focus);
}

void CalendarHeatmapBandView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    announceFocus();
    update();
}

void CalendarHeatmapBandView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void CalendarHeatmapBandView::keyPressEvent(QKeyEvent* event) {
    if (!m_focused || event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Moves along the cells, so Left and Right step a week and Up and Down a day; a step onto
    // padding or a day still to come stays put.
    const int cell = m_exposed[std::size_t(*m_focused)];
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        target = cell - 7;
        break;
    case Qt::Key_Right:
        target = cell + 7;
        break;
    case Qt::Key_Up:
        target = cell - 1;
        break;
    case Qt::Key_Down:
        target = cell + 1;
        break;
    case Qt::Key_Home:
        moveFocus(0);
        return;
    case Qt::Key_End:
        moveFocus(int(m_exposed.size()) - 1);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const auto found = std::lower_bound(m_exposed.begin(), m_exposed.end(), target);
    if (found != m_exposed.end() && *found == target)
        moveFocus(int(found - m_exposed.begin()));
}

bool CalendarHeatmapBandView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<int> index = exposedIndexAt(help->pos())) {
            QToolTip::showText(help->globalPos(), dayName(*index), this,
                               cellRect(m_exposed[std::size_t(*index)]).toAlignedRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void CalendarHeatmapBandView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QFont title = titleFont();
    painter.setFont(title);
    painter.setPen(AppColors::secondaryText().resolve(this));
    const int titleHeight = QFontMetrics(title).height();
    painter.drawText(QRect(0, 0, width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     m_band.title);

    // "M", "W" and "F" line up with the rows of Monday, Wednesday and Friday.
    painter.setFont(AppTypography::caption());
    painter.setPen(AppColors::tertiaryText().resolve(this));
    constexpr std::array<std::pair<int, char16_t>, 3> labels{{{0, u'M'}, {2, u'W'}, {4, u'F'}}};
    for (const auto& [row, letter] : labels) {
        painter.drawText(QRectF(0, gridTop() + row * (m_shown.cell + m_shown.spacing),
                                labelColumnWidth, m_shown.cell),
                         Qt::AlignLeft | Qt::AlignVCenter, QString(QChar(letter)));
    }

    for (std::size_t index = 0; index < m_band.cells.size(); ++index) {
        const std::optional<HeatmapDay>& day = m_band.cells[index].day;
        if (!day)
            continue;
        const QRectF cell = cellRect(int(index));
        if (day->isFuture)
            CalendarHeatmapCellPainter::paintFuture(painter, cell, this);
        else
            CalendarHeatmapCellPainter::paintDay(painter, cell, day->intensity(), this);
    }

    if (hasFocus() && m_focused) {
        const QRectF cell = CalendarHeatmapCellPainter::snapped(
            cellRect(m_exposed[std::size_t(*m_focused)]), painter);
        painter.setPen(QPen(AppColors::primaryText().resolve(this), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(continuousRoundedRect(cell.adjusted(-2, -2, 2, 2),
                                               CalendarHeatmapCellPainter::microRadius + 2));
    }
}

} // namespace brevanta
