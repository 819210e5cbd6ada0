// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/PracticeAnalytics.h"
#include "ui/insights/LivePracticePage.h"

#include <array>

namespace brevanta {

class AdaptiveArrangement;
class AppLabel;
class BiographyFact;

/// The third destination of a main window: the practice history told as a story — the total
/// time, the sessions, the longest run of practice days, the month the journal began — and the
/// year in practice. It has no actions.
class InsightsView final : public LivePracticePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InsightsView)

public:
    InsightsView(JournalStore& store, Clock clock, Calendar calendar, QWidget* parent = nullptr);
    ~InsightsView() override;

    /// The three facts as shown, value above label: the sessions, the longest run and the month
    /// the story began ("—" without sessions).
    struct Fact {
        QString value;
        QString label;
    };
    static std::array<Fact, 3> facts(const PracticeBiographySummary& biography,
                                     const Calendar& calendar);

    AdaptiveArrangement* factsArrangement() const { return m_factsRow; }

protected:
    void refresh(const std::vector<PracticeSessionPtr>& sessions, Instant now) override;

private:
    QWidget* buildJourneyHeader();
    QWidget* buildStory();

    QWidget* m_emptyStory = nullptr;
    QWidget* m_story = nullptr;
    AppLabel* m_total = nullptr;
    std::array<BiographyFact*, 3> m_facts{};
    AdaptiveArrangement* m_factsRow = nullptr;
};

} // namespace brevanta
