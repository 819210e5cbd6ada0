// SPDX-License-Identifier: MIT
#include "ui/shell/RecoveredSessionOffer.h"

#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandMark.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace brevanta {

namespace {

// Beyond this the offer names how many more there are instead of growing off the screen.
constexpr int thoughtsShown = 6;
constexpr int preferredWidth = 480;

AppLabel* wrapped(AppLabel* label) {
    label->setWordWrap(true);
    return label;
}

} // namespace

RecoveredSessionOffer::RecoveredSessionOffer(
    const ActivePracticeSessionRecovery::Recovered& recovered, const Calendar& calendar,
    QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("recovered-session-offer"));
    const QString titleText = QStringLiteral("Continue Your Practice Session?");
    setWindowTitle(titleText);
    setMinimumWidth(420);
    setMaximumWidth(560);

    const ActivePracticeSession& session = recovered.session;
    const double practised = recovered.sessionAsOfLastWrite().accumulatedActiveDuration;

    auto* mark = new BrevantaBrandMark(40);
    auto* title = wrapped(new AppLabel(
        titleText, AppTypography::withWeight(AppTypography::title2Style(), QFont::Bold)));
    auto* message = wrapped(new AppLabel(
        QStringLiteral("Brevanta closed while this session was open. It’s kept, paused at its "
                       "last save: resume it, finish it into your journal, or discard it."),
        AppTypography::secondaryBody(), AppColors::secondaryText()));

    auto* started = wrapped(
        new AppLabel(QStringLiteral("Started %1")
                         .arg(DateFormatting::completeDateShortTime(session.startedAt, calendar)),
                     AppTypography::body()));
    started->setObjectName(QStringLiteral("recovered-session-started"));
    auto* duration =
        wrapped(new AppLabel(QStringLiteral("%1 of practice by its last save, at %2")
                                 .arg(PracticeDurationFormatter::timer(practised),
                                      DateFormatting::shortTime(recovered.writtenAt, calendar)),
                             AppTypography::body()));
    duration->setObjectName(QStringLiteral("recovered-session-duration"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(12);
    heading->addWidget(mark, 0, Qt::AlignTop);
    auto* headingText = new QVBoxLayout;
    headingText->setSpacing(4);
    headingText->addWidget(title);
    headingText->addWidget(message);
    heading->addLayout(headingText, 1);
    layout->addLayout(heading);
    layout->addSpacing(4);
    layout->addWidget(started);
    layout->addWidget(duration);

    if (!session.thoughts.empty()) {
        layout->addSpacing(4);
        layout->addWidget(new AppLabel(QStringLiteral("Thoughts"), AppTypography::cardTitle()));
        auto* list = new QVBoxLayout;
        list->setSpacing(6);
        int shown = 0;
        for (const ActiveThoughtDraft& thought : session.thoughts) {
            if (shown == thoughtsShown)
                break;
            auto* line = wrapped(new AppLabel(QStringLiteral("•  ") + thought.trimmedText(),
                                              AppTypography::secondaryBody()));
            line->setObjectName(QStringLiteral("recovered-session-thought"));
            line->setAccessibleName(thought.trimmedText());
            list->addWidget(line);
            ++shown;
        }
        if (const auto more = session.thoughts.size() - std::size_t(shown); more > 0) {
            layout->addWidget(new AppLabel(more == 1 ? QStringLiteral("and 1 more")
                                                     : QStringLiteral("and %1 more").arg(more),
                                           AppTypography::caption(), AppColors::secondaryText()));
        }
        layout->addLayout(list);
    }

    m_discard = new AppButton(QStringLiteral("Discard"), AppButtonRole::destructive);
    m_discard->setObjectName(QStringLiteral("recovered-session-discard"));
    m_discard->setAccessibleName(QStringLiteral("Discard the recovered session"));
    m_finish = new AppButton(QStringLiteral("Finish…"), AppButtonRole::secondary);
    m_finish->setObjectName(QStringLiteral("recovered-session-finish"));
    m_resume = new AppButton(QStringLiteral("Resume"), AppButtonRole::primary);
    m_resume->setObjectName(QStringLiteral("recovered-session-resume"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(m_discard);
    buttons->addStretch(1);
    buttons->addWidget(m_finish);
    buttons->addWidget(m_resume);
    // Room the window gives beyond the text goes below it, not between the lines.
    layout->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    for (AppButton* button : {m_discard, m_finish, m_resume}) {
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
    }
    // Return resumes, the choice that keeps everything; Discard needs a deliberate press.
    m_resume->setDefault(true);
    connect(m_resume, &QAbstractButton::clicked, this, [this] { choose(Choice::resume); });
    connect(m_finish, &QAbstractButton::clicked, this, [this] { choose(Choice::finish); });
    connect(m_discard, &QAbstractButton::clicked, this, [this] { choose(Choice::discard); });
    setTabOrder(m_resume, m_finish);
    setTabOrder(m_finish, m_discard);
    m_resume->setFocus();
    // Wrapped text: the height follows from the width, which a window does not work out itself.
    resize(preferredWidth, std::max(minimumSizeHint().height(), heightForWidth(preferredWidth)));
}

AppButton* RecoveredSessionOffer::button(Choice choice) const {
    switch (choice) {
    case Choice::resume:
        return m_resume;
    case Choice::finish:
        return m_finish;
    case Choice::discard:
        return m_discard;
    }
    return nullptr;
}

void RecoveredSessionOffer::choose(Choice choice) {
    m_choice = choice;
    accept();
}

} // namespace brevanta
