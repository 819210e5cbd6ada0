// SPDX-License-Identifier: MIT
#include "ui/journal/SessionRowView.h"

#include "core/journal/PracticePresentation.h"
#include "core/journal/SessionDayGrouping.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/editing/PracticeFields.h"

#include <QPainter>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 16;
constexpr int lineSpacing = 12;
constexpr int minimumGap = 12;
constexpr qreal selectionRadius = 8;
constexpr qreal selectionOpacity = 0.1;

struct RowFonts {
    QFont dayTitle = AppTypography::withWeight(AppTypography::caption(), QFont::DemiBold);
    QFont title = AppTypography::withWeight(AppTypography::body(), QFont::DemiBold);
    QFont duration = AppTypography::withMonospacedDigits(AppTypography::caption());
    QFont preview = AppTypography::caption();
};

/// A stored text shown on one line: its line breaks read as spaces.
QString oneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QChar(0x2028), QLatin1Char(' '));
    return line;
}

std::optional<QString> firstEntryNotes(const PracticeSession& session) {
    for (const PracticeEntryPtr& entry : session.entries()) {
        if (std::optional<QString> notes = entry->notes())
            return notes;
    }
    return std::nullopt;
}

void drawElided(QPainter& painter, const QFont& font, const QColor& color, int x, int baseline,
                int width, const QString& text) {
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetrics metrics(font);
    painter.drawText(QPoint(x, baseline),
                     metrics.elidedText(oneLine(text), Qt::ElideRight, std::max(0, width)));
}

} // namespace

QString SessionRowView::previewText(const PracticeSession& session) {
    if (const std::optional<QString> notes = session.notes())
        return *notes;
    if (const std::optional<QString> notes = firstEntryNotes(session))
        return *notes;
    const std::vector<PracticeEntryPtr> entries = session.entries();
    if (!entries.empty())
        return entries.front()->title();
    return QStringLiteral("A quiet page in your journal");
}

QString SessionRowView::accessibleText(const PracticeSession& session, Instant now,
                                       const Calendar& calendar) {
    const QString title = PracticePresentation::journalTitle(session, calendar);
    const QString duration = PracticeDurationFormatter::compact(session.durationSeconds());
    return SessionDayGrouping::title(session.startedAt(), now, calendar) + QStringLiteral(", ") +
           title + QStringLiteral(", ") + duration + QStringLiteral(", ") +
           oneLine(previewText(session));
}

int SessionRowView::rowHeight() {
    const RowFonts fonts;
    return 2 * verticalPadding + QFontMetrics(fonts.dayTitle).height() + lineSpacing +
           QFontMetrics(fonts.title).height() + lineSpacing + QFontMetrics(fonts.preview).height();
}

void SessionRowView::paint(QPainter& painter, const QRect& rect, const PracticeSession& session,
                           bool isSelected, Instant now, const Calendar& calendar,
                           const QWidget* widget) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (isSelected)
        painter.fillPath(continuousRoundedRect(QRectF(rect), selectionRadius),
                         AppColors::accent().withOpacity(selectionOpacity).resolve(widget));

    const RowFonts fonts;
    const QRect content =
        rect.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    const QString title = PracticePresentation::journalTitle(session, calendar);
    const QString duration = PracticeDurationFormatter::compact(session.durationSeconds());
    const QColor secondary = AppColors::secondaryText().resolve(widget);
    const QColor tertiary = AppColors::tertiaryText().resolve(widget);
    const QColor primary = AppColors::primaryText().resolve(widget);

    const QFontMetrics dayMetrics(fonts.dayTitle);
    const QColor dayColor = isSelected ? readableAccent().resolve(widget) : secondary;
    int top = content.top();
    drawElided(painter, fonts.dayTitle, dayColor, content.left(), top + dayMetrics.ascent(),
               content.width(), SessionDayGrouping::title(session.startedAt(), now, calendar));
    top += dayMetrics.height() + lineSpacing;

    // The title on the left, the duration on the right, on one baseline.
    const QFontMetrics titleMetrics(fonts.title);
    const QFontMetrics durationMetrics(fonts.duration);
    const int baseline = top + std::max(titleMetrics.ascent(), durationMetrics.ascent());
    const int durationWidth = durationMetrics.horizontalAdvance(duration);
    painter.setFont(fonts.duration);
    painter.setPen(secondary);
    painter.drawText(QPoint(content.right() + 1 - durationWidth, baseline), duration);
    drawElided(painter, fonts.title, primary, content.left(), baseline,
               content.width() - durationWidth - minimumGap, title);
    top += std::max(titleMetrics.height(), durationMetrics.height()) + lineSpacing;

    drawElided(painter, fonts.preview, tertiary, content.left(),
               top + QFontMetrics(fonts.preview).ascent(), content.width(), previewText(session));
    painter.restore();
}

} // namespace brevanta
