// SPDX-License-Identifier: MIT
#include "ui/journal/SessionRowView.h"

#include "core/journal/PracticePresentation.h"
#include "core/journal/SessionDayGrouping.h"
#include "core/time/DateFormatting.h"
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
constexpr int historyLineSpacing = 12;
constexpr int homeLineSpacing = 4;
constexpr int minimumGap = 12;
constexpr qreal selectionRadius = 8;
constexpr qreal selectionOpacity = 0.1;

struct RowFonts {
    QFont dayTitle = AppTypography::withWeight(AppTypography::caption(), QFont::DemiBold);
    QFont title = AppTypography::withWeight(AppTypography::body(), QFont::DemiBold);
    QFont historyDuration = AppTypography::withMonospacedDigits(AppTypography::caption());
    QFont preview = AppTypography::caption();
    QFont homeTitle = AppTypography::cardTitle();
    QFont homeDuration = AppTypography::withMonospacedDigits(AppTypography::cardTitle());
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
        if (entry->notes())
            return entry->notes();
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

SessionRowView::SessionRowView(PracticeSessionPtr session, Context context, Calendar calendar,
                               Clock clock, QWidget* parent)
    : QWidget(parent)
    , m_session(std::move(session))
    , m_context(context)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock)) {
    setObjectName(QStringLiteral("practice-session-row"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    updateAccessibility();
}

void SessionRowView::setSelected(bool selected) {
    if (m_isSelected == selected)
        return;
    m_isSelected = selected;
    updateAccessibility();
    update();
}

void SessionRowView::updateAccessibility() {
    QString text = accessibleText(*m_session, m_context, m_clock.now(), m_calendar);
    setAccessibleName(text);
    setAccessibleDescription(m_isSelected ? QStringLiteral("Selected") : QString());
}

QString SessionRowView::previewText(const PracticeSession& session) {
    if (session.notes())
        return *session.notes();
    if (const std::optional<QString> notes = firstEntryNotes(session))
        return *notes;
    const std::vector<PracticeEntryPtr> entries = session.entries();
    if (!entries.empty())
        return entries.front()->title();
    return QStringLiteral("A quiet page in your journal");
}

QString SessionRowView::secondLine(const PracticeSession& session, const Calendar& calendar) {
    if (session.notes())
        return *session.notes();
    if (const std::optional<QString> notes = firstEntryNotes(session))
        return *notes;
    return DateFormatting::abbreviatedDate(session.startedAt(), calendar);
}

QString SessionRowView::accessibleText(const PracticeSession& session, Context context, Instant now,
                                       const Calendar& calendar) {
    const QString title = PracticePresentation::journalTitle(session, calendar);
    const QString duration = PracticeDurationFormatter::compact(session.durationSeconds());
    if (context == Context::home)
        return title + QStringLiteral(", ") + oneLine(secondLine(session, calendar)) +
               QStringLiteral(", ") + duration;
    return SessionDayGrouping::title(session.startedAt(), now, calendar) + QStringLiteral(", ") +
           title + QStringLiteral(", ") + duration + QStringLiteral(", ") +
           oneLine(previewText(session));
}

int SessionRowView::rowHeight(Context context) {
    const RowFonts fonts;
    if (context == Context::home)
        return 2 * verticalPadding + QFontMetrics(fonts.homeTitle).height() + homeLineSpacing +
               QFontMetrics(fonts.preview).height();
    return 2 * verticalPadding + QFontMetrics(fonts.dayTitle).height() + historyLineSpacing +
           QFontMetrics(fonts.title).height() + historyLineSpacing +
           QFontMetrics(fonts.preview).height();
}

void SessionRowView::paint(QPainter& painter, const QRect& rect, const PracticeSession& session,
                           Context context, bool isSelected, Instant now, const Calendar& calendar,
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

    // The title row: the title on the left, the duration on the right, on one baseline.
    const auto titleRow = [&](int top, const QFont& titleFont, const QFont& durationFont,
                              const QColor& durationColor) {
        const QFontMetrics titleMetrics(titleFont);
        const QFontMetrics durationMetrics(durationFont);
        const int baseline = top + std::max(titleMetrics.ascent(), durationMetrics.ascent());
        const int durationWidth = durationMetrics.horizontalAdvance(duration);
        painter.setFont(durationFont);
        painter.setPen(durationColor);
        painter.drawText(QPoint(content.right() + 1 - durationWidth, baseline), duration);
        drawElided(painter, titleFont, primary, content.left(), baseline,
                   content.width() - durationWidth - minimumGap, title);
        return top + std::max(titleMetrics.height(), durationMetrics.height());
    };

    int top = content.top();
    if (context == Context::history) {
        const QFontMetrics dayMetrics(fonts.dayTitle);
        const QColor dayColor = isSelected ? readableAccent().resolve(widget) : secondary;
        drawElided(painter, fonts.dayTitle, dayColor, content.left(), top + dayMetrics.ascent(),
                   content.width(), SessionDayGrouping::title(session.startedAt(), now, calendar));
        top += dayMetrics.height() + historyLineSpacing;
        top = titleRow(top, fonts.title, fonts.historyDuration, secondary);
        top += historyLineSpacing;
        drawElided(painter, fonts.preview, tertiary, content.left(),
                   top + QFontMetrics(fonts.preview).ascent(), content.width(),
                   previewText(session));
    } else {
        top = titleRow(top, fonts.homeTitle, fonts.homeDuration, secondary);
        top += homeLineSpacing;
        drawElided(painter, fonts.preview, tertiary, content.left(),
                   top + QFontMetrics(fonts.preview).ascent(), content.width(),
                   secondLine(session, calendar));
    }
    painter.restore();
}

QSize SessionRowView::sizeHint() const {
    return {320, rowHeight(m_context)};
}

void SessionRowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect(), *m_session, m_context, m_isSelected, m_clock.now(), m_calendar, this);
}

} // namespace brevanta
