// SPDX-License-Identifier: MIT
#include "ui/insights/InsightsView.h"

#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/PracticeFields.h"
#include "ui/insights/CalendarYearContributionHeatmap.h"
#include "ui/insights/InsightsAccessibility.h"

#include <QBoxLayout>
#include <QPainter>

namespace brevanta {

namespace {

constexpr int insightsColumnWidth = 980;
constexpr int sectionSpacing = 24;
constexpr int factLineGap = 4;
constexpr int factSpacing = 24;
constexpr int ruleHeight = 48;

AppLabel* wrapped(AppLabel* label) {
    label->setWordWrap(true);
    return label;
}

} // namespace

/// A figure above its caption, painted as one piece so a screen reader reads the two together.
/// In a row, the facts after the first draw a thin rule before them: drawn, not a widget, so
/// assistive technology never meets it.
class BiographyFact final : public QWidget {
public:
    explicit BiographyFact(bool rulesRoom)
        : m_rulesRoom(rulesRoom) {
        setObjectName(QStringLiteral("insights-fact"));
        InsightsAccessibility::setRole(this, QAccessible::StaticText);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    void setFact(const InsightsView::Fact& fact) {
        m_fact = fact;
        setAccessibleName(fact.value + u", " + fact.label);
        updateGeometry();
        update();
    }
    void setLeadingRule(bool shown) {
        m_leadingRule = shown;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override {
        const QFontMetrics value(valueFont());
        const QFontMetrics label(AppTypography::caption());
        const int textHeight = value.height() + factLineGap + label.height();
        // The rule's room is always asked for, so the row measures the same whichever
        // arrangement is on show and never flips back and forth.
        return {(m_rulesRoom ? 1 + factSpacing : 0) +
                    std::max(value.horizontalAdvance(m_fact.value),
                             label.horizontalAdvance(m_fact.label)),
                m_leadingRule ? std::max(ruleHeight, textHeight) : textHeight};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (m_leadingRule) {
            painter.fillRect(QRectF(0, (height() - ruleHeight) / 2.0, 1, ruleHeight),
                             AppColors::border().withOpacity(0.7).resolve(this));
        }
        const QFontMetrics value(valueFont());
        const QFontMetrics label(AppTypography::caption());
        const int top = (height() - value.height() - factLineGap - label.height()) / 2;
        painter.setFont(valueFont());
        painter.setPen(AppColors::primaryText().resolve(this));
        painter.drawText(QRect(textLeft(), top, width() - textLeft(), value.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, m_fact.value);
        painter.setFont(AppTypography::caption());
        painter.setPen(AppColors::secondaryText().resolve(this));
        painter.drawText(QRect(textLeft(), top + value.height() + factLineGap, width() - textLeft(),
                               label.height()),
                         Qt::AlignLeft | Qt::AlignTop, m_fact.label);
    }

private:
    static QFont valueFont() {
        return AppTypography::withWeight(AppTypography::title2Style(), QFont::DemiBold);
    }

    int textLeft() const { return m_leadingRule ? 1 + factSpacing : 0; }

    bool m_rulesRoom;
    InsightsView::Fact m_fact;
    bool m_leadingRule = false;
};

InsightsView::InsightsView(JournalStore& store, Clock clock, Calendar calendar, QWidget* parent)
    : LivePracticePage(store, std::move(clock), std::move(calendar), insightsColumnWidth, parent) {
    setObjectName(QStringLiteral("insights-view"));
    column()->setSpacing(sectionSpacing);
    column()->addWidget(buildJourneyHeader());
    setJournalFigures([this] { return buildStory(); },
                      {QStringLiteral("insights-year-practice-heatmap"),
                       CalendarHeatmapPresentation::prominent, 24});
    column()->addStretch(1);
}

InsightsView::~InsightsView() = default;

QWidget* InsightsView::buildJourneyHeader() {
    auto* header = new QWidget;
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(eyebrow(QStringLiteral("YOUR JOURNEY"), 1.5));
    auto* title = wrapped(
        new AppLabel(QStringLiteral("Your musical story"), AppTypography::editorialTitle()));
    InsightsAccessibility::setRole(title, QAccessible::Heading);
    layout->addWidget(title);
    layout->addWidget(
        wrapped(new AppLabel(QStringLiteral("Every session is a page you chose to write."),
                             AppTypography::editorialBody())));
    return header;
}

QWidget* InsightsView::buildStory() {
    auto* story = new QWidget;
    auto* layout = new QVBoxLayout(story);
    layout->setContentsMargins(0, 24, 0, 24);
    layout->setSpacing(0);

    m_emptyStory = new QWidget;
    m_emptyStory->setObjectName(QStringLiteral("insights-empty-story"));
    auto* empty = new QVBoxLayout(m_emptyStory);
    empty->setContentsMargins(0, 0, 0, 0);
    empty->setSpacing(12);
    empty->addWidget(
        wrapped(new AppLabel(QStringLiteral("Your first session will begin the story."),
                             AppTypography::system(34, QFont::Bold))));
    empty->addWidget(
        wrapped(new AppLabel(QStringLiteral("Nothing to catch up on. Just somewhere to begin."),
                             AppTypography::editorialBody(), AppColors::secondaryText())));
    layout->addWidget(m_emptyStory);

    m_story = new QWidget;
    m_story->setObjectName(QStringLiteral("insights-story"));
    auto* told = new QVBoxLayout(m_story);
    told->setContentsMargins(0, 0, 0, 0);
    told->setSpacing(20);
    m_total = new AppLabel({}, AppTypography::withMonospacedDigits(AppTypography::editorialHero()),
                           readableAccent());
    m_total->setObjectName(QStringLiteral("insights-total-practice"));
    told->addWidget(m_total);

    QList<AdaptiveArrangement::Item> row;
    QList<AdaptiveArrangement::Item> stacked;
    for (std::size_t index = 0; index < m_facts.size(); ++index) {
        m_facts[index] = new BiographyFact(index > 0);
        row.append(AdaptiveArrangement::item(m_facts[index], 0, Qt::AlignVCenter));
        stacked.append(AdaptiveArrangement::item(m_facts[index], 0, Qt::AlignLeft));
    }
    row.append(AdaptiveArrangement::flexibleSpace());
    m_factsRow = new AdaptiveArrangement;
    m_factsRow->setObjectName(QStringLiteral("insights-facts"));
    m_factsRow->addArrangement(Qt::Horizontal, factSpacing, row);
    m_factsRow->addArrangement(Qt::Vertical, 20, stacked);
    const auto followArrangement = [this] {
        const bool inRow = m_factsRow->currentOrientation() == Qt::Horizontal;
        for (std::size_t index = 1; index < m_facts.size(); ++index)
            m_facts[index]->setLeadingRule(inRow);
    };
    connect(m_factsRow, &FirstFitContainer::currentVariantChanged, this, followArrangement);
    followArrangement();
    told->addWidget(m_factsRow);
    layout->addWidget(m_story);
    return story;
}

std::array<InsightsView::Fact, 3> InsightsView::facts(const PracticeBiographySummary& biography,
                                                      const Calendar& calendar) {
    return {Fact{QString::number(biography.sessionCount), biography.sessionCount == 1
                                                              ? QStringLiteral("session")
                                                              : QStringLiteral("sessions")},
            Fact{QString::number(biography.longestRunDays) + QStringLiteral("-day"),
                 QStringLiteral("longest run")},
            Fact{biography.firstPracticeDate
                     ? DateFormatting::wideMonthYear(*biography.firstPracticeDate, calendar)
                     : QStringLiteral("\u2014"),
                 QStringLiteral("your story began")}};
}

void InsightsView::refresh(const std::vector<PracticeSessionPtr>& sessions, Instant now) {
    const PracticeBiographySummary biography = PracticeAnalytics::biography(sessions, calendar());
    const bool told = biography.sessionCount > 0;
    m_emptyStory->setVisible(!told);
    m_story->setVisible(told);
    if (told) {
        const QString total = PracticeDurationFormatter::compact(biography.totalSeconds);
        m_total->setText(total);
        m_total->setAccessibleName(QStringLiteral("Total practice time, ") + total);
        const std::array<Fact, 3> shown = facts(biography, calendar());
        for (std::size_t index = 0; index < m_facts.size(); ++index)
            m_facts[index]->setFact(shown[index]);
    }
    showYear(sessions, now);
}

} // namespace brevanta
