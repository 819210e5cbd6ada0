// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeSessionWorkspaceView.h"

#include "core/editing/PracticeSessionDraftSaver.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppChoiceKeyboard.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/FocusOrder.h"
#include "ui/editing/PracticeFields.h"
#include "ui/editing/PracticeWorkspacePage.h"
#include "ui/editing/RowTransition.h"
#include "ui/editing/SaveErrorAlert.h"
#include "ui/editing/WorkspaceActivityRow.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>

#include <algorithm>
#include <limits>

namespace brevanta {

namespace {

constexpr int customMinutesWidth = 84;
constexpr int quickSpacing = 8;

AppLabel* eyebrowLabel(const QString& text, const AppColor& color) {
    return new AppLabel(text,
                        AppTypography::withTracking(
                            AppTypography::withWeight(AppTypography::caption(), QFont::Bold), 1.5),
                        color);
}

/// A whole number written exactly as it stands: an optional sign and ASCII digits, nothing
/// else, within the signed 64-bit range.
std::optional<std::int64_t> exactInteger(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    qsizetype index = 0;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        index = 1;
    }
    if (index == text.size())
        return std::nullopt;
    // Accumulated as a negative number, whose range is the larger one.
    std::int64_t value = 0;
    for (; index < text.size(); ++index) {
        const char16_t character = text[index].unicode();
        if (character < u'0' || character > u'9')
            return std::nullopt;
        if (__builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, std::int64_t(character - u'0'), &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return -value;
}

bool isCommandReturn(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & Qt::ControlModifier);
}

bool isEscape(const QKeyEvent* event) {
    return event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}

} // namespace

PracticeSessionWorkspaceView::PracticeSessionWorkspaceView(PracticeSessionWorkspaceMode mode,
                                                           JournalStore& store, Calendar calendar,
                                                           Clock clock,
                                                           PracticePreferences preferences,
                                                           QWidget* parent)
    : QWidget(parent)
    , m_mode(std::move(mode))
    , m_store(store)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock))
    , m_preferences(preferences)
    , m_draft(m_mode.isEdit() ? PracticeSessionDraft(*m_mode.session())
                              : PracticeSessionDraft(m_clock.now())) {
    setObjectName(m_mode.accessibilityIdentifier());
    setAccessibleName(m_mode.title());
    // The page itself can hold focus, so Escape and Ctrl+Return reach it before any field does.
    setFocusPolicy(Qt::ClickFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_notes = new PracticeWorkspaceNotes(m_mode.notesTitle());
    m_notes->setNotes(m_draft.notes);
    connect(m_notes, &PracticeWorkspaceNotes::notesChanged, this,
            [this](const QString& notes) { m_draft.notes = notes; });
    m_page = new PracticeWorkspacePage(buildHeader(), buildContent(), m_notes, buildActions());
    layout->addWidget(m_page);
    refreshDuration();
    FocusOrder::arrange(this);
}

PracticeSessionWorkspaceView::~PracticeSessionWorkspaceView() = default;

QWidget* PracticeSessionWorkspaceView::buildHeader() {
    auto* header = new QWidget;
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    layout->addWidget(eyebrowLabel(m_mode.eyebrow(), readableAccent()));
    auto* title = new AppLabel(m_mode.title(), AppTypography::editorialTitle());
    AppAccessibility::exposeAsHeading(title);
    title->setWordWrap(true);
    layout->addWidget(title);

    m_hero = new AppLabel(
        QString(), AppTypography::withMonospacedDigits(AppTypography::system(56, QFont::Medium)),
        AppColors::primaryText());
    m_hero->setObjectName(QStringLiteral("duration-hero"));
    layout->addSpacing(6);
    layout->addWidget(m_hero);

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(8);
    dateRow->addWidget(
        new AppSymbolView(QStringLiteral("calendar"), 15, AppColors::secondaryText()));
    m_date = new CapsuleDateEdit;
    m_date->setObjectName(QStringLiteral("practice-date"));
    m_date->setAccessibleName(QStringLiteral("Practice date"));
    m_date->setCalendarPopup(true);
    const QLocale locale(m_calendar.localeName());
    m_date->setLocale(locale);
    m_date->setDisplayFormat(locale.dateFormat(QLocale::LongFormat));
    m_date->setMinimumDate(QDate(100, 1, 1));
    m_date->setDate(dateOfDraft());
    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (const std::optional<Instant> instant = instantForDate(date))
            m_draft.date = *instant;
    });
    dateRow->addWidget(m_date);
    dateRow->addStretch(1);
    layout->addLayout(dateRow);

    QList<AdaptiveArrangement::Item> wide;
    QList<AdaptiveArrangement::Item> stacked;
    QList<QWidget*> chips;
    auto* keyboard = new AppChoiceKeyboard(header);
    for (std::size_t index = 0; index < quickMinutes.size(); ++index) {
        const int minutes = quickMinutes[index];
        auto* chip = new CapsuleChip(quickMinutesTitle(minutes), QString(), readableAccent(),
                                     WorkspaceChipStyle::look());
        chip->setObjectName(QStringLiteral("quick-duration-chip"));
        connect(chip, &QAbstractButton::clicked, this,
                [this, minutes] { setMinutesText(QString::number(minutes)); });
        m_quickChips[index] = chip;
        keyboard->addButton(chip);
        chips.append(chip);
        wide.append(AdaptiveArrangement::item(chip, 0, Qt::AlignVCenter));
        stacked.append(AdaptiveArrangement::item(chip, 0, Qt::AlignLeft));
    }
    m_customMinutes = new CapsuleLineEdit(QStringLiteral("Minutes"), customMinutesWidth);
    m_customMinutes->setObjectName(QStringLiteral("custom-duration"));
    m_customMinutes->setAccessibleName(QStringLiteral("Custom duration in minutes"));
    m_customMinutes->setAccessibleDescription(m_customMinutes->placeholderText());
    m_customMinutes->setText(m_draft.duration.minutesText());
    connect(m_customMinutes, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_draft.duration.setMinutesText(text);
        refreshDuration();
    });
    wide.append(AdaptiveArrangement::item(m_customMinutes, 0, Qt::AlignVCenter));
    wide.append(AdaptiveArrangement::flexibleSpace());
    stacked.append(AdaptiveArrangement::item(m_customMinutes, 0, Qt::AlignLeft));
    auto* quick = new AdaptiveArrangement;
    quick->addArrangement(Qt::Horizontal, quickSpacing, wide);
    quick->addArrangement(Qt::Vertical, quickSpacing,
                          {AdaptiveArrangement::row(chips, quickSpacing),
                           AdaptiveArrangement::item(m_customMinutes, 0, Qt::AlignLeft)});
    quick->addArrangement(Qt::Vertical, quickSpacing, stacked);
    layout->addSpacing(4);
    layout->addWidget(quick);
    return header;
}

QWidget* PracticeSessionWorkspaceView::buildContent() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);

    auto* heading = new QVBoxLayout;
    heading->setSpacing(4);
    auto* headingTitle =
        new AppLabel(QStringLiteral("What did you practise?"), AppTypography::editorialSection());
    AppAccessibility::exposeAsHeading(headingTitle);
    heading->addWidget(headingTitle);
    auto* hint = new AppLabel(
        QStringLiteral("Start with one thought. Add another only when it helps tell the story."),
        AppTypography::secondaryBody(), AppColors::secondaryText());
    hint->setWordWrap(true);
    heading->addWidget(hint);
    layout->addLayout(heading);

    m_rowsBox = new QWidget;
    auto* rows = new QVBoxLayout(m_rowsBox);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(18);
    layout->addWidget(m_rowsBox);
    for (const PracticeEntryDraft& entry : m_draft.entries)
        addRow(entry);
    refreshRemoveButtons();

    auto* add = new AppButton(QStringLiteral("Add Another"), QStringLiteral("plus"),
                              AppButtonRole::toolbar);
    add->setObjectName(QStringLiteral("add-activity"));
    connect(add, &QAbstractButton::clicked, this, &PracticeSessionWorkspaceView::addEntry);
    layout->addWidget(add, 0, Qt::AlignLeft);
    return content;
}

QWidget* PracticeSessionWorkspaceView::buildActions() {
    m_cancel = new AppButton(QStringLiteral("Cancel"), AppButtonRole::toolbar);
    m_cancel->setObjectName(QStringLiteral("workspace-cancel"));
    connect(m_cancel, &QAbstractButton::clicked, this, &PracticeSessionWorkspaceView::cancelled);
    m_save = new AppButton(m_mode.saveTitle(), QStringLiteral("checkmark"), AppButtonRole::primary);
    m_save->setObjectName(QStringLiteral("workspace-save"));
    m_save->setControlSize(AppButton::ControlSize::large);
    connect(m_save, &QAbstractButton::clicked, this, [this] { save(); });

    auto* actions = new AdaptiveArrangement;
    actions->addArrangement(Qt::Horizontal, 16,
                            {AdaptiveArrangement::item(m_cancel, 0, Qt::AlignVCenter),
                             AdaptiveArrangement::flexibleSpace(),
                             AdaptiveArrangement::item(m_save, 0, Qt::AlignVCenter)});
    actions->addArrangement(Qt::Vertical, 12,
                            {AdaptiveArrangement::item(m_save, 0, Qt::AlignLeft),
                             AdaptiveArrangement::item(m_cancel, 0, Qt::AlignLeft)});
    return actions;
}

QDate PracticeSessionWorkspaceView::dateOfDraft() const {
    const DateComponents day = m_calendar.components(m_draft.date);
    return QDate(day.year, day.month, day.day);
}

std::optional<Instant> PracticeSessionWorkspaceView::instantForDate(QDate date) const {
    // Only the calendar day of the draft's date counts; noon of it is on that day whatever the
    // clock changes of the zone.
    return m_calendar.makeInstant({date.year(), date.month(), date.day(), 12});
}

QString PracticeSessionWorkspaceView::durationHeroText(const QString& minutesText) {
    const std::int64_t minutes = exactInteger(minutesText).value_or(0);
    std::int64_t seconds = 0;
    if (__builtin_mul_overflow(minutes, 60, &seconds))
        seconds = minutes < 0 ? std::numeric_limits<std::int64_t>::min()
                              : std::numeric_limits<std::int64_t>::max();
    return PracticeDurationFormatter::compact(seconds);
}

QString PracticeSessionWorkspaceView::quickMinutesTitle(int minutes) {
    return minutes == 60 ? QStringLiteral("1 hour") : QStringLiteral("%1 min").arg(minutes);
}

void PracticeSessionWorkspaceView::setMinutesText(const QString& text) {
    m_draft.duration.setMinutesText(text);
    if (m_customMinutes->text() != text)
        m_customMinutes->setText(text);
    refreshDuration();
}

void PracticeSessionWorkspaceView::refreshDuration() {
    const QString& text = m_draft.duration.minutesText();
    const QString hero = durationHeroText(text);
    m_hero->setText(hero);
    m_hero->setAccessibleName(QStringLiteral("Practice duration, ") + hero);
    for (std::size_t index = 0; index < quickMinutes.size(); ++index)
        m_quickChips[index]->setChecked(text == QString::number(quickMinutes[index]));
}

PracticeCategory PracticeSessionWorkspaceView::rememberedCategory() const {
    return m_preferences.lastPracticeCategory();
}

void PracticeSessionWorkspaceView::prepareWorkspace() {
    if (!m_mode.isLog() || m_draft.entries.empty())
        return;
    PracticeEntryDraft& first = m_draft.entries.front();
    first.category = rememberedCategory();
    WorkspaceActivityRow* row = rowFor(first.id);
    row->setCategory(first.category);
    row->titleField()->setFocus(Qt::OtherFocusReason);
}

void PracticeSessionWorkspaceView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window coming back from being minimised shows its pages again; that is no new visit.
    if (!event->spontaneous()) {
        prepareWorkspace();
        if (!focusWidget() || !isAncestorOf(focusWidget()))
            setFocus(Qt::OtherFocusReason);
    }
}

WorkspaceActivityRow* PracticeSessionWorkspaceView::addRow(const PracticeEntryDraft& entry) {
    auto* row = new WorkspaceActivityRow(entry);
    connect(row, &WorkspaceActivityRow::titleEdited, this,
            [this](const QUuid& id, const QString& title) {
                if (PracticeEntryDraft* draft = entryFor(id))
                    draft->title = title;
            });
    connect(row, &WorkspaceActivityRow::categoryChosen, this,
            [this](const QUuid& id, PracticeCategory category) {
                if (PracticeEntryDraft* draft = entryFor(id)) {
                    draft->category = category;
                    rowFor(id)->setCategory(category);
                }
            });
    connect(row, &WorkspaceActivityRow::minutesEdited, this,
            [this](const QUuid& id, const QString& minutes) {
                if (PracticeEntryDraft* draft = entryFor(id))
                    draft->durationMinutesText = minutes;
            });
    connect(row, &WorkspaceActivityRow::noteEdited, this,
            [this](const QUuid& id, const QString& note) {
                if (PracticeEntryDraft* draft = entryFor(id))
                    draft->notes = note;
            });
    connect(row, &WorkspaceActivityRow::removeRequested, this,
            &PracticeSessionWorkspaceView::removeEntry);
    m_rowsBox->layout()->addWidget(row);
    m_rows.push_back(row);
    return row;
}

WorkspaceActivityRow* PracticeSessionWorkspaceView::rowFor(const QUuid& id) const {
    const auto found =
        std::find_if(m_rows.begin(), m_rows.end(),
                     [&id](const WorkspaceActivityRow* row) { return row->entryId() == id; });
    return found == m_rows.end() ? nullptr : *found;
}

PracticeEntryDraft* PracticeSessionWorkspaceView::entryFor(const QUuid& id) {
    const auto found =
        std::find_if(m_draft.entries.begin(), m_draft.entries.end(),
                     [&id](const PracticeEntryDraft& entry) { return entry.id == id; });
    return found == m_draft.entries.end() ? nullptr : &*found;
}

void PracticeSessionWorkspaceView::addEntry() {
    const PracticeCategory category =
        m_draft.entries.empty() ? rememberedCategory() : m_draft.entries.back().category;
    const PracticeEntryDraft entry =
        PracticeEntryDraft::blank(category, std::int64_t(m_draft.entries.size()));
    m_draft.entries.push_back(entry);
    WorkspaceActivityRow* row = addRow(entry);
    refreshRemoveButtons();
    FocusOrder::arrange(this);
    RowTransition::enter(row, entryAnimationMilliseconds);
    row->titleField()->setFocus(Qt::OtherFocusReason);
    m_page->ensureVisible(row->titleField());
}

void PracticeSessionWorkspaceView::removeEntry(const QUuid& id) {
    std::erase_if(m_draft.entries,
                  [&id](const PracticeEntryDraft& entry) { return entry.id == id; });
    if (WorkspaceActivityRow* row = rowFor(id)) {
        const bool hadFocus = row->isAncestorOf(focusWidget());
        std::erase(m_rows, row);
        RowTransition::leave(row, entryAnimationMilliseconds);
        if (hadFocus && !m_rows.empty())
            m_rows.back()->titleField()->setFocus(Qt::OtherFocusReason);
    }
    refreshRemoveButtons();
}

void PracticeSessionWorkspaceView::refreshRemoveButtons() {
    const bool removable = m_rows.size() >= 2;
    for (WorkspaceActivityRow* row : m_rows)
        row->setRemovable(removable);
}

bool PracticeSessionWorkspaceView::save() {
    try {
        const PracticeSessionDraftSaver saver(m_store, m_calendar, m_clock, m_preferences);
        PracticeSessionPtr session;
        if (m_mode.isLog()) {
            session = saver.saveLogged(m_draft);
        } else {
            saver.saveEdited(m_mode.session(), m_draft);
            session = m_mode.session();
        }
        Q_EMIT saved(session);
        return true;
    } catch (const std::exception& error) {
        m_errorMessage = SaveErrorAlert::description(error);
    }
    showSaveAlert();
    return false;
}

void PracticeSessionWorkspaceView::showSaveAlert() {
    if (m_alert)
        m_alert->deleteLater();
    m_alert = SaveErrorAlert::open(this, m_errorMessage.value_or(QString()));
    connect(m_alert, &QMessageBox::finished, this, [this] { m_errorMessage.reset(); });
}

bool PracticeSessionWorkspaceView::event(QEvent* event) {
    // Claimed before any window-wide shortcut sees them: on this page Escape cancels and
    // Ctrl+Return saves, whatever else the window binds to those keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isCommandReturn(key) || isEscape(key)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void PracticeSessionWorkspaceView::keyPressEvent(QKeyEvent* event) {
    if (isCommandReturn(event)) {
        save();
        return;
    }
    if (isEscape(event)) {
        Q_EMIT cancelled();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace brevanta
