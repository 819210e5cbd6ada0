// SPDX-License-Identifier: MIT
#include "ui/practice/ActivePracticeRoom.h"

#include "core/practice/ActivePracticeSessionController.h"
#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"
#include "core/time/TextServices.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialInput.h"
#include "ui/design/FirstFitContainer.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/FocusOrder.h"
#include "ui/editing/PracticeFields.h"
#include "ui/editing/PracticeWorkspacePage.h"
#include "ui/editing/RowTransition.h"
#include "ui/practice/ThoughtReconciliation.h"

#include <QBoxLayout>
#include <QFontInfo>
#include <QLineEdit>
#include <QShowEvent>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int largeClockSize = 76;
constexpr int compactClockSize = 54;
constexpr int composerIdealFieldWidth = 320;
const char* const thoughtIdProperty = "thoughtId";

QFont eyebrowFont() {
    return AppTypography::withTracking(
        AppTypography::withWeight(AppTypography::caption(), QFont::Bold), 1.5);
}

AppLabel* clockLabel(int pixelSize) {
    auto* label = new AppLabel(QString(), AppTypography::withMonospacedDigits(
                                              AppTypography::system(pixelSize, QFont::Medium)));
    label->setObjectName(QStringLiteral("practice-clock"));
    label->setAccessibleName(QStringLiteral("Elapsed practice time"));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

} // namespace

ActivePracticeRoom::ActivePracticeRoom(ActivePracticeSessionController& controller, Clock clock,
                                       Calendar calendar, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_clock(std::move(clock))
    , m_calendar(std::move(calendar)) {
    Q_ASSERT(controller.hasActiveSession());
    const ActivePracticeSession session =
        controller.activeSession().value_or(ActivePracticeSession{});
    m_sessionId = session.id;
    m_thoughts = session.thoughts;
    m_baseThoughts = session.thoughts;
    m_baseNotes = session.notes;
    setObjectName(QStringLiteral("session-workspace-active"));

    m_notes = new PracticeWorkspaceNotes(QStringLiteral("Today’s Notes"));
    m_notes->setNotes(session.notes);
    connect(m_notes, &PracticeWorkspaceNotes::notesChanged, this, &ActivePracticeRoom::sync);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_page =
        new PracticeWorkspacePage(buildHeader(session), buildContent(), m_notes, buildActions());
    layout->addWidget(m_page);

    m_ticker.setInterval(clockIntervalMilliseconds);
    connect(&m_ticker, &QTimer::timeout, this, &ActivePracticeRoom::refreshClock);
    connect(&m_controller, &ActivePracticeSessionController::activeSessionChanged, this,
            &ActivePracticeRoom::followController);
    refreshState();
    FocusOrder::arrange(this);
}

QWidget* ActivePracticeRoom::buildHeader(const ActivePracticeSession& session) {
    m_header = new QWidget;
    m_header->setObjectName(QStringLiteral("practice-clock-block"));
    auto* layout = new QVBoxLayout(m_header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    m_eyebrow = new AppLabel(QString(), eyebrowFont());
    layout->addWidget(m_eyebrow);

    m_clockLarge = clockLabel(largeClockSize);
    m_clockSmall = clockLabel(compactClockSize);
    m_clockFit = new FirstFitContainer;
    m_clockFit->addVariant(m_clockLarge);
    m_clockFit->addVariant(m_clockSmall);
    layout->addWidget(m_clockFit);

    m_started = new AppLabel(QStringLiteral("Started ") +
                                 DateFormatting::shortTime(session.startedAt, m_calendar),
                             AppTypography::editorialMetadata(), AppColors::tertiaryText());
    layout->addWidget(m_started);
    return m_header;
}

QWidget* ActivePracticeRoom::buildContent() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);

    auto* composer = new QWidget;
    auto* composerLayout = new QVBoxLayout(composer);
    composerLayout->setContentsMargins(0, 0, 0, 0);
    composerLayout->setSpacing(12);
    auto* heading =
        new AppLabel(QStringLiteral("What are you working on?"), AppTypography::editorialSection());
    AppAccessibility::exposeAsHeading(heading);
    composerLayout->addWidget(heading);

    m_thoughtField = new QLineEdit;
    m_thoughtField->setObjectName(QStringLiteral("thought-field"));
    m_thoughtField->setPlaceholderText(QStringLiteral("A melody, idea, or moment…"));
    m_thoughtField->setAccessibleName(QStringLiteral("What are you working on?"));
    m_thoughtField->setAccessibleDescription(m_thoughtField->placeholderText());
    heading->setBuddy(m_thoughtField);
    m_thoughtField->setFont(AppTypography::editorialBody());
    EditorialInput::apply(m_thoughtField);
    m_addThought = new AppButton(QStringLiteral("Add Thought"), QStringLiteral("plus"),
                                 AppButtonRole::secondary);
    m_addThought->setObjectName(QStringLiteral("add-thought"));
    m_addThought->setEnabled(false);
    connect(m_thoughtField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_addThought->setEnabled(!TextServices::trimmed(text).isEmpty());
    });
    connect(m_thoughtField, &QLineEdit::returnPressed, this, &ActivePracticeRoom::addThought);
    connect(m_addThought, &QAbstractButton::clicked, this, &ActivePracticeRoom::addThought);

    auto* entry = new AdaptiveArrangement;
    entry->addArrangement(
        Qt::Horizontal, 16,
        {AdaptiveArrangement::item(m_thoughtField, 1, Qt::AlignVCenter, composerIdealFieldWidth),
         AdaptiveArrangement::item(m_addThought, 0, Qt::AlignVCenter)});
    entry->addArrangement(Qt::Vertical, 12,
                          {AdaptiveArrangement::item(m_thoughtField),
                           AdaptiveArrangement::item(m_addThought, 0, Qt::AlignLeft)});
    composerLayout->addWidget(entry);
    layout->addWidget(composer);

    m_thoughtList = new QWidget;
    m_thoughtList->setObjectName(QStringLiteral("thought-list"));
    m_thoughtRows = new QVBoxLayout(m_thoughtList);
    m_thoughtRows->setContentsMargins(0, 4, 0, 0);
    m_thoughtRows->setSpacing(16);
    for (const ActiveThoughtDraft& thought : m_thoughts)
        appendRow(thought, false);
    m_thoughtList->setVisible(!m_thoughts.empty());
    layout->addWidget(m_thoughtList);
    return content;
}

QWidget* ActivePracticeRoom::buildActions() {
    m_pause = new AppButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"),
                            AppButtonRole::secondary);
    m_pause->setObjectName(QStringLiteral("pause-resume"));
    connect(m_pause, &QAbstractButton::clicked, this, &ActivePracticeRoom::togglePause);

    m_discard =
        new AppButton(QStringLiteral("Discard"), QStringLiteral("trash"), AppButtonRole::toolbar);
    m_discard->setObjectName(QStringLiteral("discard-practice"));
    m_discard->setDestructive(true);
    connect(m_discard, &QAbstractButton::clicked, this, &ActivePracticeRoom::discardRequested);

    m_finish = new AppButton(QStringLiteral("Finish Practice"), QStringLiteral("checkmark"),
                             AppButtonRole::primary);
    m_finish->setObjectName(QStringLiteral("finish-practice"));
    connect(m_finish, &QAbstractButton::clicked, this, [this] {
        sync();
        Q_EMIT finishRequested();
    });

    auto* actions = new AdaptiveArrangement;
    actions->setObjectName(QStringLiteral("practice-actions"));
    actions->addArrangement(Qt::Horizontal, 16,
                            {AdaptiveArrangement::item(m_pause, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::item(m_discard, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::flexibleSpace(),
                             AdaptiveArrangement::item(m_finish, 0, Qt::AlignVCenter)});
    actions->addArrangement(Qt::Vertical, 12,
                            {AdaptiveArrangement::item(m_finish, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(m_pause, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(m_discard, 0, Qt::AlignLeft)});
    return actions;
}

QWidget* ActivePracticeRoom::makeThoughtRow(const ActiveThoughtDraft& thought) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("thought-row"));
    row->setProperty(thoughtIdProperty, thought.id);
    row->setAccessibleName(thought.text);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    const int captionSize = QFontInfo(AppTypography::caption()).pixelSize();
    auto* mark = new AppSymbolView(QStringLiteral("sparkle"), captionSize, readableAccent());
    layout->addWidget(mark, 0, Qt::AlignTop);
    auto* text = new AppLabel(thought.text, AppTypography::editorialBody());
    text->setObjectName(QStringLiteral("thought-text"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text, 1, Qt::AlignTop);
    auto* remove = new AppButton(QStringLiteral("Remove Thought"), QStringLiteral("xmark"),
                                 AppButtonRole::compactIcon);
    remove->setObjectName(QStringLiteral("remove-thought"));
    remove->setIconOnly(true);
    remove->setAccessibleName(
        AppAccessibility::rowScopedName(QStringLiteral("Remove Thought"), thought.text));
    const QUuid id = thought.id;
    connect(remove, &QAbstractButton::clicked, this, [this, id] { removeThought(id); });
    layout->addWidget(remove, 0, Qt::AlignTop);
    // Line the small symbol and the button up with the first line of the text.
    const int firstLine = QFontMetrics(text->font()).height();
    mark->setFixedHeight(firstLine);
    remove->setMinimumHeight(0);
    return row;
}

QWidget* ActivePracticeRoom::rowFor(const QUuid& id) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&id](const QWidget* row) {
        return row->property(thoughtIdProperty).toUuid() == id;
    });
    return found == m_rows.end() ? nullptr : *found;
}

void ActivePracticeRoom::appendRow(const ActiveThoughtDraft& thought, bool animated) {
    QWidget* row = makeThoughtRow(thought);
    m_thoughtRows->addWidget(row);
    m_rows.push_back(row);
    if (animated) {
        RowTransition::enter(row, thoughtAnimationMilliseconds);
        FocusOrder::arrange(this);
        m_page->ensureVisible(row);
    }
}

QString ActivePracticeRoom::notes() const {
    return m_notes->notes();
}

void ActivePracticeRoom::addThought() {
    const QString text = TextServices::trimmed(m_thoughtField->text());
    if (text.isEmpty())
        return;
    const ActiveThoughtDraft thought{QUuid::createUuid(), text, std::int64_t(m_thoughts.size())};
    m_thoughts.push_back(thought);
    m_thoughtList->setVisible(true);
    appendRow(thought, true);
    m_thoughtField->clear();
    m_thoughtField->setFocus(Qt::OtherFocusReason);
    sync();
}

void ActivePracticeRoom::removeThought(const QUuid& id) {
    std::vector<ActiveThoughtDraft> remaining = m_thoughts;
    std::erase_if(remaining, [&id](const ActiveThoughtDraft& thought) { return thought.id == id; });
    if (remaining.size() == m_thoughts.size())
        return;
    setThoughts(std::move(remaining));
    sync();
}

void ActivePracticeRoom::setThoughts(std::vector<ActiveThoughtDraft> thoughts) {
    for (QWidget* row : std::vector<QWidget*>(m_rows)) {
        const QUuid id = row->property(thoughtIdProperty).toUuid();
        const auto kept = std::find_if(thoughts.begin(), thoughts.end(),
                                       [&id](const ActiveThoughtDraft& t) { return t.id == id; });
        if (kept == thoughts.end()) {
            std::erase(m_rows, row);
            RowTransition::leave(row, thoughtAnimationMilliseconds);
        } else if (auto* text = row->findChild<AppLabel*>(QStringLiteral("thought-text"));
                   text->text() != kept->text) {
            text->setText(kept->text);
            row->setAccessibleName(kept->text);
            row->findChild<AppButton*>(QStringLiteral("remove-thought"))
                ->setAccessibleName(
                    AppAccessibility::rowScopedName(QStringLiteral("Remove Thought"), kept->text));
        }
    }
    // Thoughts only ever join at the end, so new rows are appended in order.
    for (const ActiveThoughtDraft& thought : thoughts) {
        if (!rowFor(thought.id))
            appendRow(thought, true);
    }
    m_thoughts = std::move(thoughts);
    for (std::size_t index = 0; index < m_thoughts.size(); ++index)
        m_thoughts[index].sortOrder = std::int64_t(index);
    if (!m_thoughts.empty())
        m_thoughtList->setVisible(true);
    else if (m_rows.empty())
        // The last row fades before the list itself goes.
        QTimer::singleShot(thoughtAnimationMilliseconds, m_thoughtList,
                           [this] { m_thoughtList->setVisible(!m_thoughts.empty()); });
}

void ActivePracticeRoom::sync() {
    // A room left over from an ended session must never write into the next one.
    const auto& current = m_controller.activeSession();
    if (!current || current->id != m_sessionId)
        return;
    m_syncing = true;
    m_controller.update(m_notes->notes(), m_thoughts);
    m_syncing = false;
    if (const auto& session = m_controller.activeSession(); session && session->id == m_sessionId) {
        m_baseThoughts = session->thoughts;
        m_baseNotes = session->notes;
    }
}

void ActivePracticeRoom::followController() {
    const auto& session = m_controller.activeSession();
    if (!session || session->id != m_sessionId)
        return;
    refreshState();
    if (m_syncing)
        return;
    if (session->thoughts == m_baseThoughts && session->notes == m_baseNotes)
        return;
    // Changed elsewhere: take what changed there, keep what the room changed.
    std::vector<ActiveThoughtDraft> merged =
        ThoughtReconciliation::merged(m_thoughts, m_baseThoughts, session->thoughts);
    if (session->notes != m_baseNotes && m_notes->notes() == m_baseNotes)
        m_notes->setNotes(session->notes);
    m_baseThoughts = session->thoughts;
    m_baseNotes = session->notes;
    setThoughts(std::move(merged));
    if (m_thoughts != session->thoughts || m_notes->notes() != session->notes)
        sync();
}

void ActivePracticeRoom::togglePause() {
    sync();
    m_controller.togglePause(m_clock.now());
}

void ActivePracticeRoom::refreshState() {
    const auto& session = m_controller.activeSession();
    const bool paused = session && session->isPaused;
    m_eyebrow->setText(paused ? QStringLiteral("PAUSED") : QStringLiteral("PRACTISING"));
    m_eyebrow->setColor(paused ? AppColors::secondaryText() : readableAccent());
    m_pause->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    m_pause->setSymbolName(paused ? QStringLiteral("play.fill") : QStringLiteral("pause.fill"));
    refreshClock();
}

void ActivePracticeRoom::refreshClock() {
    const auto& session = m_controller.activeSession();
    if (!session || session->id != m_sessionId)
        return;
    const QString text = PracticeDurationFormatter::timer(session->elapsedDuration(m_clock.now()));
    if (m_clockLarge->text() != text) {
        for (AppLabel* clock : {m_clockLarge, m_clockSmall}) {
            clock->setText(text);
            clock->setAccessibleDescription(text);
        }
    }
    // Assistive technology reads the clock block as one element.
    m_header->setAccessibleName(m_eyebrow->text() + QStringLiteral(", ") + text +
                                QStringLiteral(", ") + m_started->text());
}

void ActivePracticeRoom::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshClock();
    m_ticker.start();
    // Whoever comes to the room comes to jot thoughts: typing goes straight into the field. A
    // window coming back from being minimised is no new visit.
    if (!event->spontaneous())
        m_thoughtField->setFocus(Qt::OtherFocusReason);
}

void ActivePracticeRoom::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_ticker.stop();
}

} // namespace brevanta
