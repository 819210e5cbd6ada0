// SPDX-License-Identifier: MIT
#pragma once

#include "core/insights/PracticeAnalytics.h"
#include "ui/insights/LivePracticePage.h"

#include <QString>

#include <array>
#include <optional>

namespace brevanta {

class AdaptiveArrangement;
class AppButton;
class AppLabel;
class PracticeDayDot;

/// The first destination of a main window: a greeting and an invitation to play, this week's
/// practice against the same point of last week, and the year in practice. Starting and logging
/// practice are the window's business; the view only asks.
class HomeView final : public LivePracticePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HomeView)

public:
    HomeView(JournalStore& store, Clock clock, Calendar calendar, QWidget* parent = nullptr);
    ~HomeView() override;

    /// "Good morning" up to 11:59, "Good afternoon" from 12:00, "Good evening" from 18:00.
    static QString greeting(int hour);
    /// The line about this week for `practisedDays` days with practice so far.
    static QString weeklyCopy(int practisedDays);
    /// "<time> by this point last week", or nothing when last week had no practice by then.
    static std::optional<QString> comparisonCopy(std::optional<std::int64_t> comparisonSeconds);

Q_SIGNALS:
    void startRequested();
    void logRequested();

protected:
    void refresh(const std::vector<PracticeSessionPtr>& sessions, Instant now) override;
    void refreshWhileLoading(Instant now) override;
    Instant nextBoundary(Instant now) const override;

private:
    QWidget* buildInvitation();
    QWidget* buildWeeklyPulse();

    AppLabel* m_greeting = nullptr;
    AppLabel* m_weeklyCopy = nullptr;
    AppLabel* m_weeklyTotal = nullptr;
    AppLabel* m_comparison = nullptr;
    std::array<PracticeDayDot*, 7> m_days{};
};

} // namespace brevanta
