// SPDX-License-Identifier: MIT
#include "ui/journal/SessionDetailView.h"

#include "core/editing/PracticeSessionDraftSaver.h"
#include "core/journal/PracticePresentation.h"
#include "core/store/JournalStore.h"
#include "core/time/DateFormatting.h"
#include "core/time/PracticeDurationFormatter.h"
#include "core/time/TextServices.h"
#include "ui/design/AppAlert.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppCrossFade.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialInput.h"
#include "ui/design/EditorialRule.h"
#include "ui/design/EditorialSectionHeader.h"
#include "ui/design/FirstFitContainer.h"
#include "ui/editing/DurationInputView.h"
#include "ui/editing/FocusOrder.h"
#include "ui/editing/PracticeFields.h"
#include "ui/editing/PracticeTextInput.h"
#include "ui/editing/SaveErrorAlert.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int pagePaddingAcross = 40;
constexpr int pagePaddingDown = 32;
constexpr int sectionSpaceAbove = 32;
constexpr int sectionSpacing = 16;
constexpr int headerRuleSpace = 24;
constexpr int durationInputMaximumWidth = 230;
// 76 points of digits, plus the editorial input's padding on both sides.
constexpr int entryMinutesWidth = 76 + 24;

bool isCommandReturn(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & Qt::ControlModifier);
}

bool isEscape(const QKeyEvent* event) {
    return event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}

AppButton* pageButton(const QString& title, const QString& symbol, AppButtonRole role,
                      const QString& identifier) {
    auto* button = new AppButton(title, symbol, role);
    button->setObjectName(identifier);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLineEdit* editorialField(const QString& placeholder, const QString& text, const QFont& font) {
    auto* field = new QLineEdit(text);
    field->setPlaceholderText(placeholder);
    field->setFont(font);
    EditorialInput::apply(field);
    PracticeTextInput::mark(field);
    return field;
}

} // namespace

SessionDetailView::ShownState SessionDetailView::ShownState::of(const PracticeSession& session) {
    return {session.startedAt(), session.durationSeconds(), session.notes(), session.updatedAt(),
            session.storedEntries()};
}

SessionDetailView::SessionDetailView(PracticeSessionPtr session, Presentation presentation,
                                     JournalStore& store, Calendar calendar, Clock clock,
                                     PracticePreferences preferences, Actions actions,
                                     QWidget* parent)
    : QWidget(parent)
    , m_session(std::move(session))
    , m_presentation(presentation)
    , m_store(store)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock))
    , m_preferences(preferences)
    , m_actions(std::move(actions))
    , m_draft(*m_session) {
    setObjectName(QStringLiteral("session-detail"));
    // The page can hold focus itself, so Escape and Ctrl+Return reach it while editing.
    setFocusPolicy(Qt::ClickFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("session-detail-scroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_scroll);
    if (m_presentation == Presentation::destination) {
        m_toolbarItems = new QWidget;
        m_toolbarItems->setObjectName(QStringLiteral("session-detail-toolbar"));
        auto* row = new QHBoxLayout(m_toolbarItems);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
    }
    connect(&m_store, &JournalStore::sessionsChanged, this, &SessionDetailView::followStore);
    rebuild();
}

SessionDetailView::~SessionDetailView() {
    // The toolbar items live in the window's toolbar, not under the page.
    if (m_toolbarItems && !m_toolbarItems->parent())
        delete m_toolbarItems;
}

QString SessionDetailView::displayTitle() const {
    if (m_isEditing) {
        for (const PracticeEntryDraft& entry : m_draft.entries) {
            const QString title = entry.trimmedTitle();
            if (!title.isEmpty())
                return title;
        }
    }
    return PracticePresentation::journalTitle(*m_session, m_calendar);
}

void SessionDetailView::edit() {
    if (m_actions.onEdit) {
        m_actions.onEdit();
        return;
    }
    beginEditing();
}

void SessionDetailView::beginEditing() {
    m_draft = PracticeSessionDraft(*m_session);
    m_errorMessage.reset();
    AppCrossFade fade(m_scroll->viewport());
    m_isEditing = true;
    rebuild();
    fade.play(AppCrossFade::editingMilliseconds);
    Q_EMIT editingChanged(true);
}

void SessionDetailView::cancelEditing() {
    m_draft = PracticeSessionDraft(*m_session);
    AppCrossFade fade(m_scroll->viewport());
    m_isEditing = false;
    rebuild();
    fade.play(AppCrossFade::editingMilliseconds);
    Q_EMIT editingChanged(false);
}

bool SessionDetailView::save() {
    PracticeSessionDraftSaver saver(m_store, m_calendar, m_clock, m_preferences);
    try {
        // One change for the screens, however many records the rewrite touches.
        JournalStore::ChangeBatch batch(m_store);
        saver.saveEditedInPlace(m_session, m_draft);
    } catch (const std::exception& error) {
        m_errorMessage = SaveErrorAlert::description(error);
        showFailure(QStringLiteral("Couldn’t Save Changes"));
        return false;
    }
    cancelEditing();
    return true;
}

void SessionDetailView::confirmDelete() {
    if (m_confirmation)
        return;
    QMessageBox* box = AppAlert::make(
        this, QStringLiteral("Delete this practice session?"),
        QStringLiteral("This permanently removes the session from your journal and insights."));
    box->setObjectName(QStringLiteral("delete-session-confirmation"));
    AppButton* remove = AppAlert::addDestructiveChoice(box, QStringLiteral("Delete Session"));
    remove->setObjectName(QStringLiteral("delete-session"));
    connect(box, &QDialog::finished, this, [this, box, remove] {
        if (box->clickedButton() == remove)
            deleteSession();
    });
    m_confirmation = box;
    box->open();
}

bool SessionDetailView::deleteSession() {
    const PracticeSessionPtr session = m_session;
    bool deleted = false;
    {
        // The screens hear of the delete once it is saved or undone, never in between.
        JournalStore::ChangeBatch batch(m_store);
        try {
            m_store.remove(session);
            m_store.save();
            deleted = true;
        } catch (const std::exception& error) {
            m_store.rollback();
            m_errorMessage = SaveErrorAlert::description(error);
        }
    }
    if (!deleted) {
        showFailure(QStringLiteral("Couldn’t Delete Session"));
        return false;
    }
    if (m_actions.onDeleted)
        m_actions.onDeleted();
    else
        Q_EMIT dismissRequested();
    return true;
}

void SessionDetailView::showFailure(const QString& title) {
    if (m_alert)
        m_alert->deleteLater();
    m_alert = SaveErrorAlert::open(this, title, m_errorMessage.value_or(QString()));
    connect(m_alert, &QMessageBox::finished, this, [this] { m_errorMessage.reset(); });
}

void SessionDetailView::addEntry(PracticeCategory category) {
    const auto count = std::count_if(
        m_draft.entries.begin(), m_draft.entries.end(),
        [category](const PracticeEntryDraft& entry) { return entry.category == category; });
    PracticeEntryDraft entry = PracticeEntryDraft::blank(category, std::int64_t(count));
    const QUuid id = entry.id;
    m_draft.entries.push_back(std::move(entry));
    rebuild();
    focusEntry(id);
}

void SessionDetailView::moveEntry(const QUuid& id, PracticeCategory category, int direction) {
    std::vector<std::size_t> positions;
    for (std::size_t index = 0; index < m_draft.entries.size(); ++index) {
        if (m_draft.entries[index].category == category)
            positions.push_back(index);
    }
    const auto found = std::find_if(positions.begin(), positions.end(), [&](std::size_t index) {
        return m_draft.entries[index].id == id;
    });
    if (found == positions.end())
        return;
    const std::ptrdiff_t target = (found - positions.begin()) + direction;
    if (target < 0 || target >= std::ptrdiff_t(positions.size()))
        return;
    std::swap(m_draft.entries[*found], m_draft.entries[positions[std::size_t(target)]]);
    rebuild();
    focusEntry(id);
}

void SessionDetailView::removeEntry(const QUuid& id) {
    std::erase_if(m_draft.entries,
                  [&id](const PracticeEntryDraft& entry) { return entry.id == id; });
    rebuild();
}

std::vector<PracticeEntryPtr> SessionDetailView::savedEntries(PracticeCategory category) const {
    std::vector<PracticeEntryPtr> entries;
    for (const PracticeEntryPtr& entry : m_session->storedEntries()) {
        if (entry->category() == category)
            entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PracticeEntryPtr& left, const PracticeEntryPtr& right) {
                         return left->sortOrder() < right->sortOrder();
                     });
    return entries;
}

std::vector<PracticeEntryDraft> SessionDetailView::draftEntries(PracticeCategory category) const {
    std::vector<PracticeEntryDraft> entries;
    for (const PracticeEntryDraft& entry : m_draft.entries) {
        if (entry.category == category)
            entries.push_back(entry);
    }
    return entries;
}

QString SessionDetailView::emptyCopy(PracticeCategory category) {
    switch (category.value()) {
    case PracticeCategory::haveFun:
        return QStringLiteral("Nothing playful today.");
    case PracticeCategory::lookBack:
        return QStringLiteral("No review notes recorded.");
    case PracticeCategory::lookForward:
        return QStringLiteral("Nothing planned for next time yet.");
    }
    return {};
}

void SessionDetailView::followStore() {
    // A deleted page is about to be replaced; a page being edited keeps the user's draft.
    if (m_session->isDeleted() || m_isEditing || ShownState::of(*m_session) == m_shown)
        return;
    rebuild();
}

void SessionDetailView::rebuild() {
    const int scrolled = m_scroll->verticalScrollBar()->value();
    m_titleLabels.clear();
    m_shown = ShownState::of(*m_session);

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("session-detail-page"));
    page->setAutoFillBackground(false);
    auto* across = new QHBoxLayout(page);
    across->setContentsMargins(pagePaddingAcross, pagePaddingDown, pagePaddingAcross,
                               pagePaddingDown);
    auto* column = new QWidget;
    column->setMaximumWidth(maximumColumnWidth);
    auto* down = new QVBoxLayout(column);
    down->setContentsMargins(0, 0, 0, 0);
    down->setSpacing(0);
    down->addWidget(buildHeader());
    down->addSpacing(headerRuleSpace);
    down->addWidget(new EditorialRule);
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        if (!m_isEditing && savedEntries(category).empty())
            continue;
        down->addSpacing(sectionSpaceAbove);
        down->addWidget(buildGroupSection(category));
    }
    if (m_isEditing || m_session->notes()) {
        down->addSpacing(sectionSpaceAbove);
        down->addWidget(buildNotesSection());
    }
    down->addStretch(1);
    // The column keeps to its measure and stands centred in a wide pane.
    across->addStretch(1);
    across->addWidget(column, 1000);
    across->addStretch(1);

    QWidget* old = m_scroll->takeWidget();
    m_scroll->setWidget(page);
    if (old)
        old->deleteLater();
    FocusOrder::arrange(page);
    m_scroll->verticalScrollBar()->setValue(scrolled);
    setAccessibleName(displayTitle());
}

QWidget* SessionDetailView::buildTitleBlock() {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* title = new AppLabel(displayTitle(), AppTypography::editorialTitle());
    title->setObjectName(QStringLiteral("session-detail-title"));
    title->setWordWrap(true);
    title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_titleLabels.append(title);
    const QString metadata = DateFormatting::completeDate(m_session->startedAt(), m_calendar) +
                             QStringLiteral("  ·  ") +
                             PracticeDurationFormatter::compact(m_session->durationSeconds());
    auto* meta =
        new AppLabel(metadata, AppTypography::editorialMetadata(), AppColors::secondaryText());
    meta->setObjectName(QStringLiteral("session-detail-metadata"));
    meta->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(meta);
    if (!m_isEditing) {
        // Read as one line: the title, then the date and duration.
        block->setAccessibleName(displayTitle() + QStringLiteral(", ") + metadata);
    }
    return block;
}

QWidget* SessionDetailView::buildActions(bool compact) {
    auto* actions = new QWidget;
    auto* row = new QHBoxLayout(actions);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    if (m_isEditing) {
        auto* cancel = pageButton(QStringLiteral("Cancel"), QString(), AppButtonRole::secondary,
                                  QStringLiteral("session-cancel-editing"));
        auto* done = pageButton(QStringLiteral("Done"), QStringLiteral("checkmark"),
                                AppButtonRole::primary, QStringLiteral("session-done"));
        done->setToolTip(QStringLiteral("Done (Ctrl+Return)"));
        connect(cancel, &QPushButton::clicked, this, [this] {
            QMetaObject::invokeMethod(
                this, [this] { cancelEditing(); }, Qt::QueuedConnection);
        });
        connect(done, &QPushButton::clicked, this, [this] {
            QMetaObject::invokeMethod(
                this, [this] { save(); }, Qt::QueuedConnection);
        });
        row->addWidget(cancel);
        row->addWidget(done);
        return actions;
    }
    auto* editButton = pageButton(QStringLiteral("Edit"), QStringLiteral("pencil"),
                                  AppButtonRole::secondary, QStringLiteral("session-edit"));
    connect(editButton, &QPushButton::clicked, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { edit(); }, Qt::QueuedConnection);
    });
    row->addWidget(editButton);
    if (!compact) {
        auto* remove = pageButton(QStringLiteral("Delete"), QStringLiteral("trash"),
                                  AppButtonRole::destructive, QStringLiteral("session-delete"));
        connect(remove, &QPushButton::clicked, this, &SessionDetailView::confirmDelete);
        row->addWidget(remove);
        return actions;
    }
    auto* more = pageButton(QStringLiteral("More"), QStringLiteral("ellipsis.circle"),
                            AppButtonRole::toolbar, QStringLiteral("session-more"));
    more->setIconOnly(true);
    more->setAccessibleName(QStringLiteral("Session actions"));
    more->setToolTip(QStringLiteral("Session actions"));
    auto* menu = new QMenu(more);
    QAction* remove = menu->addAction(AppIcons::icon(u"trash", AppColors::destructive()),
                                      QStringLiteral("Delete Session"));
    remove->setObjectName(QStringLiteral("session-delete-menu-item"));
    connect(remove, &QAction::triggered, this, &SessionDetailView::confirmDelete);
    more->setMenu(menu);
    row->addWidget(more);
    return actions;
}

QWidget* SessionDetailView::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("session-detail-header"));
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(sectionSpacing);
    if (m_presentation == Presentation::embedded) {
        // Beside the title when they fit, else beneath it in their compact form.
        auto* fit = new FirstFitContainer;
        auto* beside = new QWidget;
        auto* besideRow = new QHBoxLayout(beside);
        besideRow->setContentsMargins(0, 0, 0, 0);
        besideRow->setSpacing(20);
        QWidget* titleBeside = buildTitleBlock();
        m_titleLabels.last()->setWordWrap(false);
        besideRow->addWidget(titleBeside, 1);
        besideRow->addWidget(buildActions(false), 0, Qt::AlignTop);
        auto* below = new QWidget;
        auto* belowColumn = new QVBoxLayout(below);
        belowColumn->setContentsMargins(0, 0, 0, 0);
        belowColumn->setSpacing(sectionSpacing);
        belowColumn->addWidget(buildTitleBlock());
        belowColumn->addWidget(buildActions(true), 0, Qt::AlignLeft);
        fit->addVariant(beside);
        fit->addVariant(below);
        layout->addWidget(fit);
    } else {
        layout->addWidget(buildTitleBlock());
        if (auto* row = qobject_cast<QHBoxLayout*>(m_toolbarItems->layout())) {
            while (QLayoutItem* item = row->takeAt(0)) {
                if (item->widget())
                    item->widget()->deleteLater();
                delete item;
            }
            row->addWidget(buildActions(false));
        }
    }
    if (m_isEditing)
        layout->addWidget(buildEditingControls());
    return header;
}

QWidget* SessionDetailView::buildEditingControls() {
    auto* controls = new QWidget;
    controls->setObjectName(QStringLiteral("session-detail-editing-controls"));
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto* date = new CapsuleDateEdit;
    date->setObjectName(QStringLiteral("session-practice-date"));
    date->setAccessibleName(QStringLiteral("Practice date"));
    const DateComponents day = m_calendar.components(m_draft.date);
    date->setDate(QDate(day.year, day.month, day.day));
    connect(date, &QDateEdit::dateChanged, this, [this](QDate chosen) {
        // Only the calendar day counts; noon of it lies on that day whatever the clock changes.
        if (const std::optional<Instant> instant =
                m_calendar.makeInstant({chosen.year(), chosen.month(), chosen.day(), 12}))
            m_draft.date = *instant;
    });
    auto* duration = new DurationInputView(m_draft.duration);
    duration->setObjectName(QStringLiteral("session-duration-input"));
    duration->setMaximumWidth(durationInputMaximumWidth);
    connect(duration, &DurationInputView::durationInputChanged, this,
            [this](const DurationInput& input) { m_draft.duration = input; });
    row->addWidget(date, 0, Qt::AlignTop);
    row->addWidget(duration, 0, Qt::AlignTop);
    row->addStretch(1);
    return controls;
}

QWidget* SessionDetailView::buildGroupSection(PracticeCategory category) {
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("session-group-") + category.rawValue());
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(sectionSpacing);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    heading->addWidget(new EditorialSectionHeader(category.title(), category.symbolName(),
                                                  AppColors::category(category)));
    heading->addStretch(1);
    if (m_isEditing) {
        auto* add = pageButton(QStringLiteral("Add Entry"), QStringLiteral("plus"),
                               AppButtonRole::compactIcon, QStringLiteral("session-add-entry"));
        add->setIconOnly(true);
        const QString help = QStringLiteral("Add a ") + category.title() + QStringLiteral(" entry");
        add->setToolTip(help);
        add->setAccessibleDescription(help);
        connect(add, &QPushButton::clicked, this, [this, category] {
            QMetaObject::invokeMethod(
                this, [this, category] { addEntry(category); }, Qt::QueuedConnection);
        });
        heading->addWidget(add);
    }
    layout->addLayout(heading);
    if (!m_isEditing) {
        for (const PracticeEntryPtr& entry : savedEntries(category))
            layout->addWidget(buildSavedEntry(*entry));
        return section;
    }
    const std::vector<PracticeEntryDraft> drafts = draftEntries(category);
    if (drafts.empty()) {
        auto* empty = new AppLabel(emptyCopy(category), AppTypography::editorialBody(),
                                   AppColors::tertiaryText());
        empty->setObjectName(QStringLiteral("session-group-empty"));
        layout->addWidget(empty);
    }
    for (const PracticeEntryDraft& entry : drafts)
        layout->addWidget(buildDraftEntry(entry));
    return section;
}

QWidget* SessionDetailView::buildSavedEntry(const PracticeEntry& entry) {
    auto* item = new QWidget;
    item->setObjectName(QStringLiteral("session-entry"));
    auto* layout = new QVBoxLayout(item);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    const QString titleText =
        entry.title().isEmpty() ? QStringLiteral("Untitled entry") : entry.title();
    auto* title = new AppLabel(
        titleText, AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
    title->setObjectName(QStringLiteral("session-entry-title"));
    title->setWordWrap(true);
    title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(title, 1, Qt::AlignBaseline);
    QString spoken = titleText;
    if (entry.durationSeconds()) {
        const QString minutes = PracticeDurationFormatter::compact(*entry.durationSeconds());
        auto* duration =
            new AppLabel(minutes, AppTypography::withMonospacedDigits(AppTypography::caption()),
                         AppColors::secondaryText());
        duration->setObjectName(QStringLiteral("session-entry-duration"));
        top->addWidget(duration, 0, Qt::AlignBaseline);
        spoken += QStringLiteral(", ") + minutes;
    }
    layout->addLayout(top);
    if (entry.notes()) {
        auto* notes = new AppLabel(*entry.notes(), AppTypography::secondaryBody(),
                                   AppColors::secondaryText());
        notes->setObjectName(QStringLiteral("session-entry-notes"));
        notes->setWordWrap(true);
        notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(notes);
        spoken += QStringLiteral(", ") + *entry.notes();
    }
    item->setAccessibleName(spoken);
    return item;
}

QWidget* SessionDetailView::buildDraftEntry(const PracticeEntryDraft& entry) {
    auto* item = new QWidget;
    item->setObjectName(QStringLiteral("session-entry-editor"));
    auto* layout = new QVBoxLayout(item);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    const QUuid id = entry.id;
    const PracticeCategory category = entry.category;

    auto* title = editorialField(QStringLiteral("What did you practise?"), entry.title,
                                 AppTypography::editorialBody());
    title->setObjectName(QStringLiteral("session-entry-title-field"));
    title->setAccessibleName(QStringLiteral("Entry title"));
    auto* minutes = editorialField(QStringLiteral("Minutes"), entry.durationMinutesText,
                                   AppTypography::withMonospacedDigits(AppTypography::body()));
    minutes->setObjectName(QStringLiteral("session-entry-minutes-field"));
    minutes->setAccessibleName(QStringLiteral("Allocated minutes"));
    minutes->setFixedWidth(entryMinutesWidth);
    auto* actions = pageButton(QStringLiteral("Entry actions"), QStringLiteral("ellipsis.circle"),
                               AppButtonRole::compactIcon, QStringLiteral("session-entry-actions"));
    actions->setIconOnly(true);
    auto* menu = new QMenu(actions);
    const auto later = [this](auto&& work) {
        // The menu's button goes with the rebuild; let the menu close first.
        QMetaObject::invokeMethod(this, std::forward<decltype(work)>(work), Qt::QueuedConnection);
    };
    QAction* up = menu->addAction(AppIcons::icon(u"chevron.up", AppColors::primaryText()),
                                  QStringLiteral("Move Up"));
    connect(up, &QAction::triggered, this, [this, later, id, category] {
        later([this, id, category] { moveEntry(id, category, -1); });
    });
    QAction* down = menu->addAction(AppIcons::icon(u"chevron.down", AppColors::primaryText()),
                                    QStringLiteral("Move Down"));
    connect(down, &QAction::triggered, this, [this, later, id, category] {
        later([this, id, category] { moveEntry(id, category, 1); });
    });
    menu->addSeparator();
    QAction* remove = menu->addAction(AppIcons::icon(u"trash", AppColors::destructive()),
                                      QStringLiteral("Delete Entry"));
    connect(remove, &QAction::triggered, this,
            [this, later, id] { later([this, id] { removeEntry(id); }); });
    actions->setMenu(menu);

    auto* note = editorialField(QStringLiteral("Note (optional)"), entry.notes,
                                AppTypography::secondaryBody());
    note->setObjectName(QStringLiteral("session-entry-note-field"));
    note->setAccessibleName(QStringLiteral("Note"));

    // Fields repeated per entry say which entry they belong to.
    const auto describe = [title, minutes, actions, note](const QString& text) {
        const QString owner = text.trimmed().isEmpty() ? QStringLiteral("Untitled entry")
                                                       : QStringLiteral("Entry: ") + text.trimmed();
        for (QWidget* widget : {static_cast<QWidget*>(minutes), static_cast<QWidget*>(actions),
                                static_cast<QWidget*>(note)})
            widget->setAccessibleDescription(owner);
        title->setAccessibleDescription(owner);
    };
    describe(entry.title);
    connect(title, &QLineEdit::textChanged, this, [this, id, describe](const QString& text) {
        if (PracticeEntryDraft* draft = entryFor(id))
            draft->title = text;
        describe(text);
        refreshTitle();
    });
    connect(minutes, &QLineEdit::textChanged, this, [this, id](const QString& text) {
        if (PracticeEntryDraft* draft = entryFor(id))
            draft->durationMinutesText = text;
    });
    connect(note, &QLineEdit::textChanged, this, [this, id](const QString& text) {
        if (PracticeEntryDraft* draft = entryFor(id))
            draft->notes = text;
    });

    row->addWidget(title, 1);
    row->addWidget(minutes);
    row->addWidget(actions);
    layout->addLayout(row);
    layout->addWidget(note);
    item->setProperty("entryId", id);
    return item;
}

QWidget* SessionDetailView::buildNotesSection() {
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("session-notes-section"));
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(sectionSpacing);
    layout->addWidget(new EditorialSectionHeader(QStringLiteral("Personal Notes"), QString(),
                                                 AppColors::primaryText()));
    if (m_isEditing) {
        auto* notes = new GrowingTextEdit(QStringLiteral("Anything worth remembering?"),
                                          AppTypography::editorialBody(), 3, 12, 6);
        notes->setObjectName(QStringLiteral("session-notes-field"));
        notes->setAccessibleName(QStringLiteral("Personal notes"));
        EditorialInput::apply(notes);
        PracticeTextInput::mark(notes);
        notes->setText(m_draft.notes);
        connect(notes, &QTextEdit::textChanged, this,
                [this, notes] { m_draft.notes = notes->text(); });
        layout->addWidget(notes);
        return section;
    }
    auto* notes = new AppLabel(*m_session->notes(), AppTypography::editorialBody());
    notes->setObjectName(QStringLiteral("session-notes"));
    notes->setWordWrap(true);
    notes->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(notes);
    return section;
}

void SessionDetailView::refreshTitle() {
    const QString title = displayTitle();
    for (AppLabel* label : std::as_const(m_titleLabels))
        label->setText(title);
    setAccessibleName(title);
}

PracticeEntryDraft* SessionDetailView::entryFor(const QUuid& id) {
    const auto found =
        std::find_if(m_draft.entries.begin(), m_draft.entries.end(),
                     [&id](const PracticeEntryDraft& entry) { return entry.id == id; });
    return found == m_draft.entries.end() ? nullptr : &*found;
}

void SessionDetailView::focusEntry(const QUuid& id) {
    const auto editors =
        m_scroll->widget()->findChildren<QWidget*>(QStringLiteral("session-entry-editor"));
    for (QWidget* editor : editors) {
        if (editor->property("entryId").toUuid() != id)
            continue;
        if (auto* field =
                editor->findChild<QLineEdit*>(QStringLiteral("session-entry-title-field")))
            field->setFocus(Qt::OtherFocusReason);
        m_scroll->ensureWidgetVisible(editor);
    }
}

bool SessionDetailView::event(QEvent* event) {
    // While editing, claimed before any window-wide shortcut sees them: Escape cancels and
    // Ctrl+Return is Done, whatever else the window binds to those keys.
    if (m_isEditing &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isCommandReturn(key) || isEscape(key)) {
            if (event->type() == QEvent::KeyPress) {
                if (isCommandReturn(key))
                    save();
                else
                    cancelEditing();
            }
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace brevanta
