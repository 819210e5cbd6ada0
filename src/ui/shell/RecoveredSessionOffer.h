// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSessionRecovery.h"
#include "core/time/Calendar.h"

#include <QDialog>

#include <optional>

namespace brevanta {

class AppButton;

/// Offers back the practice session that was running when Brevanta last ended: when it started,
/// how long it had run by its last save and its thoughts, with Resume, Finish… and Discard.
/// Closing the offer without a choice keeps the session, paused, so nothing is lost by a slip.
class RecoveredSessionOffer final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecoveredSessionOffer)

public:
    enum class Choice { resume, finish, discard };

    RecoveredSessionOffer(const ActivePracticeSessionRecovery::Recovered& recovered,
                          const Calendar& calendar, QWidget* parent = nullptr);

    /// What the user chose; none while open or when closed without a choice.
    std::optional<Choice> choice() const { return m_choice; }

    AppButton* button(Choice choice) const;

private:
    void choose(Choice choice);

    std::optional<Choice> m_choice;
    AppButton* m_resume = nullptr;
    AppButton* m_finish = nullptr;
    AppButton* m_discard = nullptr;
};

} // namespace brevanta
