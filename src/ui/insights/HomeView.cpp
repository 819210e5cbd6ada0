// SPDX-License-Identifier: MIT
#include "ui/insights/HomeView.h"

#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandSignature.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/PracticeFields.h"
#include "ui/insights/CalendarYearContributionHeatmap.h"
#include "ui/insights/InsightsAccessibility.h"

#include <QBoxLayout>
#include <QPainter>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int sectionSpacing = 40;
constexpr int sectionWidth = 820;
constexpr int homeColumnWidth = 1100;
constexpr int dotSize = 16;

const std::array<QString, 7> weekdayNames{QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                          QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                          QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                          QStringLiteral("Sunday")};

QWidget* section(int spacing, int verticalPadding, QVBoxLayout*& layout) {
    auto* widget = new QWidget;
    widget->setMaximumWidth(sectionWidth);
    layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, verticalPadding, 0, verticalPadding);
    layout->setSpacing(spacing);
    return widget;
}

AppLabel* wrapped(AppLabel* label) {
    label->setWordWrap(true);
    return label;
}

} // namespace

/// One day of the week's strip: a circle, filled when the day has practice, above its letter.
class PracticeDayDot final : public QWidget {
public:
    PracticeDayDot(const QString& name, QChar letter)
        : m_letter(letter) {
        setObjectName(QStringLiteral("home-practice-day"));
        setAccessibleName(name);
        InsightsAccessibility::setRole(this, QAccessible::StaticText);
        setFont(AppTypography::caption());
        setPractised(false);
    }

    void setPractised(bool practised) {
        m_practised = practised;
        setAccessibleDescription(practised ? QStringLiteral("Practised")
                                           : QStringLiteral("No practice recorded"));
        update();
    }
    bool isPractised() const { return m_practised; }

    QSize sizeHint() const override {
        return {std::max(dotSize, fontMetrics().horizontalAdvance(m_letter)),
                dotSize + letterGap + fontMetrics().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF circle((width() - dotSize) / 2.0, 0, dotSize, dotSize);
        if (m_practised) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(readableAccent().resolve(this));
            painter.drawEllipse(circle);
        } else {
            painter.setPen(QPen(AppColors::border().resolve(this), 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        painter.setPen(AppColors::tertiaryText().resolve(this));
        painter.drawText(QRectF(0, dotSize + letterGap, width(), fontMetrics().height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString(m_letter));
    }

private:
    static constexpr int letterGap = 6;
    QChar m_letter;
    bool m_practised = false;
};

HomeView::HomeView(JournalStore& store, Clock clock, Calendar calendar, QWidget* parent)
    : LivePracticePage(store, std::move(clock), std::move(calendar), homeColumnWidth, parent) {
    setObjectName(QStringLiteral("home-view"));
    column()->setSpacing(sectionSpacing);
    column()->addWidget(buildInvitation());
    setJournalFigures(
        [this] { return buildWeeklyPulse(); },
        {QStringLiteral("home-year-practice-heatmap"), CalendarHeatmapPresentation::hero, 32});
    column()->addStretch(1);
}

HomeView::~HomeView() = default;

QWidget* HomeView::buildInvitation() {
    QVBoxLayout* layout = nullptr;
    QWidget* invitation = section(24, 32, layout);

    auto* signature = new BrevantaBrandSignature;
    signature->setObjectName(QStringLiteral("home-brand-signature"));
    signature->setOpacity(0.86);
    layout->addWidget(signature, 0, Qt::AlignLeft);

    m_greeting = eyebrow({}, 1.5);
    m_greeting->setObjectName(QStringLiteral("home-greeting"));
    layout->addWidget(m_greeting);

    auto* question = wrapped(new AppLabel(QStringLiteral("What do you want to play?"),
                                          AppTypography::system(48, QFont::Bold)));
    question->setObjectName(QStringLiteral("home-invitation"));
    InsightsAccessibility::setRole(question, QAccessible::Heading);
    layout->addWidget(question);
    layout->addWidget(wrapped(new AppLabel(
        QStringLiteral("The next page of your practice story starts whenever you\u2019re ready."),
        AppTypography::editorialBody())));

    auto* start = new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                                AppButtonRole::primary);
    start->setObjectName(QStringLiteral("home-start-practice"));
    auto* log = new AppButton(QStringLiteral("Log Practice"), QStringLiteral("square.and.pencil"),
                              AppButtonRole::toolbar);
    log->setObjectName(QStringLiteral("home-log-practice"));
    for (AppButton* button : {start, log})
        button->setFocusPolicy(Qt::TabFocus);
    connect(start, &QAbstractButton::clicked, this, &HomeView::startRequested);
    connect(log, &QAbstractButton::clicked, this, &HomeView::logRequested);
    auto* actions = new AdaptiveArrangement;
    actions->setObjectName(QStringLiteral("home-actions"));
    actions->addArrangement(Qt::Horizontal, 16,
                            {AdaptiveArrangement::item(start, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::item(log, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::flexibleSpace()});
    actions->addArrangement(Qt::Vertical, 12,
                            {AdaptiveArrangement::item(start, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(log, 0, Qt::AlignLeft)});
    layout->addWidget(actions);
    return invitation;
}

QWidget* HomeView::buildWeeklyPulse() {
    QVBoxLayout* layout = nullptr;
    QWidget* pulse = section(20, 24, layout);
    pulse->setObjectName(QStringLiteral("home-weekly-pulse"));

    AppLabel* caption = eyebrow(QStringLiteral("THIS WEEK"), 1.4);
    InsightsAccessibility::setRole(caption, QAccessible::Heading);
    layout->addWidget(caption);

    m_weeklyCopy = wrapped(new AppLabel({}, AppTypography::editorialBody()));
    m_weeklyCopy->setObjectName(QStringLiteral("home-weekly-copy"));
    m_weeklyCopy->setMaximumWidth(540);
    layout->addWidget(m_weeklyCopy);

    m_weeklyTotal = new AppLabel(
        {}, AppTypography::withMonospacedDigits(AppTypography::system(34, QFont::Bold)));
    m_weeklyTotal->setObjectName(QStringLiteral("home-weekly-total"));
    layout->addWidget(m_weeklyTotal);

    m_comparison = wrapped(new AppLabel({}, AppTypography::body(), AppColors::secondaryText()));
    m_comparison->setObjectName(QStringLiteral("home-weekly-comparison"));
    m_comparison->hide();
    layout->addWidget(m_comparison);

    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("home-practice-days"));
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    const QString letters = QStringLiteral("MTWTFSS");
    for (std::size_t index = 0; index < m_days.size(); ++index) {
        m_days[index] = new PracticeDayDot(weekdayNames[index], letters[qsizetype(index)]);
        row->addWidget(m_days[index]);
    }
    row->addStretch(1);
    layout->addWidget(strip);
    return pulse;
}

QString HomeView::greeting(int hour) {
    if (hour < 12)
        return QStringLiteral("Good morning");
    if (hour < 18)
        return QStringLiteral("Good afternoon");
    return QStringLiteral("Good evening");
}

QString HomeView::weeklyCopy(int practisedDays) {
    if (practisedDays <= 0)
        return QStringLiteral("The week is open. Play when the moment feels right.");
    if (practisedDays == 1)
        return QStringLiteral("One day of music is already part of this week.");
    return QStringLiteral("You\u2019ve made room for music on ") + QString::number(practisedDays) +
           QStringLiteral(" days this week.");
}

std::optional<QString> HomeView::comparisonCopy(std::optional<std::int64_t> comparisonSeconds) {
    if (!comparisonSeconds)
        return std::nullopt;
    return PracticeDurationFormatter::compact(*comparisonSeconds) +
           QStringLiteral(" by this point last week");
}

void HomeView::refreshWhileLoading(Instant now) {
    m_greeting->setText(greeting(calendar().components(now).hour));
}

void HomeView::refresh(const std::vector<PracticeSessionPtr>& sessions, Instant now) {
    refreshWhileLoading(now);

    const WeeklyEncouragementSummary week =
        PracticeAnalytics::weeklyEncouragement(sessions, now, calendar());
    const int practisedDays =
        int(std::count(week.practicedDays.begin(), week.practicedDays.end(), true));
    m_weeklyCopy->setText(weeklyCopy(practisedDays));
    const QString total = PracticeDurationFormatter::compact(week.totalSeconds);
    m_weeklyTotal->setText(total);
    m_weeklyTotal->setAccessibleName(QStringLiteral("Practice time this week, ") + total);
    const std::optional<QString> comparison = comparisonCopy(week.comparisonSeconds);
    m_comparison->setText(comparison.value_or(QString()));
    m_comparison->setVisible(comparison.has_value());
    for (std::size_t index = 0; index < m_days.size(); ++index)
        m_days[index]->setPractised(week.practicedDays[index]);

    showYear(sessions, now);
}

Instant HomeView::nextBoundary(Instant now) const {
    // The greeting turns at noon and at six as well as at midnight.
    Instant boundary = LivePracticePage::nextBoundary(now);
    DateComponents today = calendar().components(now);
    today.minute = 0;
    today.second = 0;
    for (const int hour : {12, 18}) {
        today.hour = hour;
        if (const std::optional<Instant> turn = calendar().makeInstant(today);
            turn && *turn > now && *turn < boundary)
            boundary = *turn;
    }
    return boundary;
}

} // namespace brevanta
