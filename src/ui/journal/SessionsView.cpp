// SPDX-License-Identifier: MIT
#include "ui/journal/SessionsView.h"

#include "core/store/JournalStore.h"
#include "core/time/TextServices.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppEmptyState.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppLoadingState.h"
#include "ui/design/AppResponsiveLayout.h"
#include "ui/design/AppScreenHeader.h"
#include "ui/design/EditorialInput.h"
#include "ui/design/EditorialRule.h"
#include "ui/editing/PracticeTextInput.h"
#include "ui/journal/SessionDetailView.h"
#include "ui/journal/SessionListModel.h"
#include "ui/journal/SessionListView.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>

namespace brevanta {

namespace {

constexpr int searchFieldWidth = 240;
const QMargins headerMargins(24, 22, 24, 18);

} // namespace

SessionsView::SessionsView(JournalStore& store, Calendar calendar, Clock clock,
                           PracticePreferences preferences, Actions actions, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock))
    , m_preferences(preferences)
    , m_actions(std::move(actions))
    // Made before this screen listens to the store, so it has heard of a change first.
    , m_index(JournalSearchIndex::of(store)) {
    setObjectName(QStringLiteral("sessions-view"));
    setAccessibleName(QStringLiteral("Journal"));
    m_model = new SessionListModel(m_calendar, m_clock, this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_listPane = buildListPane();
    m_divider = new EditorialRule(Qt::Vertical);
    m_detailPane = buildDetailPane();
    layout->addWidget(m_listPane);
    layout->addWidget(m_divider);
    layout->addWidget(m_detailPane, 1);
    buildToolbarItems();

    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    connect(&m_store, &JournalStore::sessionsChanged, this, &SessionsView::followStore);
    applySearch();
}

SessionsView::~SessionsView() {
    // The toolbar items stand in the window's toolbar; when the window never took them, they
    // go with the screen.
    if (m_toolbarItems && !m_toolbarItems->parent())
        delete m_toolbarItems;
}

QWidget* SessionsView::buildListPane() {
    auto* pane = new QWidget;
    pane->setObjectName(QStringLiteral("journal-list-pane"));
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* header =
        new AppScreenHeader(QStringLiteral("Journal"), QStringLiteral("Pages from your practice"));
    header->setObjectName(QStringLiteral("journal-header"));
    header->setContentsMargins(headerMargins);
    column->addWidget(header);
    column->addWidget(new EditorialRule);

    m_list = new SessionListView;
    m_list->setItemDelegate(new SessionListDelegate(m_calendar, m_clock, m_list));
    m_list->setSessionModel(m_model);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { followCurrentRow(current.row()); });
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (const PracticeSessionPtr session = m_model->session(index.row()))
            select(session);
    });
    connect(m_list, &SessionListView::openRequested, this, [this] {
        if (m_selected)
            select(m_selected);
    });
    connect(m_list, &SessionListView::deleteRequested, this, [this] {
        if (m_detail)
            m_detail->confirmDelete();
    });

    m_emptyJournal = new AppEmptyState(QStringLiteral("Your journal is waiting"),
                                       QStringLiteral("Finish a timer or log practice to begin."),
                                       QStringLiteral("book.closed"));
    m_emptyJournal->setObjectName(QStringLiteral("journal-empty"));
    auto* log = new AppButton(QStringLiteral("Log Practice"), AppButtonRole::primary);
    log->setObjectName(QStringLiteral("journal-log-practice"));
    log->setFocusPolicy(Qt::TabFocus);
    connect(log, &QPushButton::clicked, this, [this] {
        if (m_actions.onLogPractice)
            m_actions.onLogPractice();
    });
    m_emptyJournal->setAction(log);
    m_noMatches =
        new AppEmptyState(QStringLiteral("No matching sessions"),
                          QStringLiteral("Try another search."), QStringLiteral("magnifyingglass"));
    m_noMatches->setObjectName(QStringLiteral("journal-no-matches"));

    m_loading =
        new AppLoadingState(QStringLiteral("Opening your journal…"), QStringLiteral("book.closed"));
    m_loading->setObjectName(QStringLiteral("journal-loading"));
    m_loading->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    m_listStack = new QStackedWidget;
    m_listStack->addWidget(m_list);
    // The empty states, and the wait for the rows, stand in the upper part of the pane, where
    // the list would begin.
    for (QWidget* state : std::initializer_list<QWidget*>{m_emptyJournal, m_noMatches, m_loading}) {
        auto* holder = new QWidget;
        auto* holderColumn = new QVBoxLayout(holder);
        holderColumn->setContentsMargins(0, 48, 0, 0);
        holderColumn->addWidget(state);
        holderColumn->addStretch(1);
        m_listStack->addWidget(holder);
    }
    column->addWidget(m_listStack, 1);
    return pane;
}

QWidget* SessionsView::buildDetailPane() {
    auto* pane = new QWidget;
    pane->setObjectName(QStringLiteral("journal-detail-pane"));
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_back = new AppButton(QStringLiteral("Back to Journal"), QStringLiteral("chevron.left"),
                           AppButtonRole::toolbar);
    m_back->setObjectName(QStringLiteral("journal-back-to-list"));
    m_back->setFocusPolicy(Qt::TabFocus);
    connect(m_back, &QPushButton::clicked, this, &SessionsView::showList);
    auto* backRow = new QHBoxLayout;
    backRow->setContentsMargins(20, 12, 20, 0);
    backRow->addWidget(m_back);
    backRow->addStretch(1);
    column->addLayout(backRow);

    m_placeholder = new AppEmptyState(QString(), QString(), QStringLiteral("music.note.list"));
    m_placeholder->setObjectName(QStringLiteral("journal-detail-empty"));
    m_detailStack = new QStackedWidget;
    auto* holder = new QWidget;
    auto* holderColumn = new QVBoxLayout(holder);
    holderColumn->addStretch(1);
    holderColumn->addWidget(m_placeholder);
    holderColumn->addStretch(2);
    m_detailStack->addWidget(holder);
    column->addWidget(m_detailStack, 1);
    return pane;
}

void SessionsView::buildToolbarItems() {
    m_toolbarItems = new QWidget;
    m_toolbarItems->setObjectName(QStringLiteral("journal-toolbar"));
    auto* row = new QHBoxLayout(m_toolbarItems);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("journal-search"));
    m_search->setPlaceholderText(QStringLiteral("Search journal"));
    m_search->setAccessibleName(QStringLiteral("Search journal"));
    m_search->setClearButtonEnabled(true);
    m_search->setFixedWidth(searchFieldWidth);
    QAction* glass = m_search->addAction(
        AppIcons::icon(u"magnifyingglass", AppColors::secondaryText()), QLineEdit::LeadingPosition);
    // The field's icons are buttons to a screen reader: each says what it is.
    for (auto* button : m_search->findChildren<QToolButton*>()) {
        const bool isGlass = button->defaultAction() == glass;
        button->setAccessibleName(isGlass ? QStringLiteral("Search")
                                          : QStringLiteral("Clear search"));
    }
    EditorialInput::apply(m_search);
    m_search->setTextMargins(4, 3, 4, 3);
    // Typing a space here searches; it must not pause the running session.
    PracticeTextInput::mark(m_search);
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &SessionsView::setSearchText);

    m_options = new AppButton(QStringLiteral("Journal options"), QStringLiteral("ellipsis.circle"),
                              AppButtonRole::toolbar);
    m_options->setObjectName(QStringLiteral("journal-options"));
    m_options->setIconOnly(true);
    m_options->setFocusPolicy(Qt::TabFocus);
    auto* menu = new QMenu(m_options);
    QAction* import =
        menu->addAction(AppIcons::icon(u"square.and.arrow.down", AppColors::primaryText()),
                        QStringLiteral("Import Practice History…"));
    import->setObjectName(QStringLiteral("journal-import-practice"));
    connect(import, &QAction::triggered, this, [this] {
        if (m_actions.onImportPractice)
            m_actions.onImportPractice();
    });
    m_options->setMenu(menu);

    row->addWidget(m_search);
    row->addWidget(m_options);
}

QString SessionsView::searchText() const {
    return m_searchText;
}

void SessionsView::setSearchText(const QString& text) {
    if (text == m_searchText)
        return;
    m_searchText = text;
    if (m_search->text() != text)
        m_search->setText(text);
    applySearch();
}

PickedSessions SessionsView::filteredSessions() const {
    return PickedSessions(&m_store.sessions(), m_matches ? &m_matches->positions : nullptr,
                          m_index.listStarts());
}

std::optional<QUuid> SessionsView::selectedSessionID() const {
    if (!m_selected)
        return std::nullopt;
    return m_selected->id();
}

bool SessionsView::usesSplitLayout() const {
    return AppResponsiveLayout::usesSplitJournal(width());
}

void SessionsView::followStore() {
    // The index has started over: any matches are found afresh.
    applySearch();
}

void SessionsView::applySearch() {
    const QString query = TextServices::trimmed(m_searchText);
    bool changed = true;
    if (query.isEmpty()) {
        m_matches.reset();
    } else if (m_matches && m_index.isCurrent(*m_matches) && m_matches->query.trimmed == query) {
        changed = false;
    } else if (!m_matches || !m_index.narrow(*m_matches, query, &changed)) {
        m_matches = m_index.find(query, m_calendar);
    }
    if (changed)
        showVisible();
}

void SessionsView::showVisible() {
    m_followingSelection = true;
    m_model->setSessions(filteredSessions());
    m_followingSelection = false;
    reconcileSelection();
    const bool journalEmpty = m_store.sessions().empty();
    const bool nothingVisible = filteredSessions().empty();
    if (!m_store.isLoaded()) {
        // A journal still loading is neither empty nor without matches yet, and no session
        // can be chosen for the detail pane.
        m_listStack->setCurrentIndex(3);
    } else if (nothingVisible) {
        m_listStack->setCurrentIndex(journalEmpty ? 1 : 2);
        m_placeholder->setTitle(QStringLiteral("Nothing to show"));
        m_placeholder->setMessage(
            QStringLiteral("Your matching practice sessions will appear here."));
    } else {
        m_listStack->setCurrentIndex(0);
        m_placeholder->setTitle(QStringLiteral("Select a session"));
        m_placeholder->setMessage(
            QStringLiteral("Choose a session to revisit what you practised."));
    }
    m_placeholder->setVisible(m_store.isLoaded());
    updatePanes();
}

void SessionsView::reconcileSelection() {
    const PickedSessions visible = filteredSessions();
    if (visible.empty() || !m_store.isLoaded())
        setSelected(nullptr);
    else if (m_selected && m_model->rowOf(*m_selected) >= 0)
        setSelected(m_selected);
    else
        setSelected(visible.front());
}

void SessionsView::selectAfterDeleting(const QUuid& id) {
    PracticeSessionPtr next;
    for (const PracticeSessionPtr& session : filteredSessions()) {
        if (session->id() != id) {
            next = session;
            break;
        }
    }
    setSelected(next);
    if (!next)
        m_showsNarrowDetail = false;
    updatePanes();
}

void SessionsView::select(const PracticeSessionPtr& session) {
    setSelected(session);
    m_showsNarrowDetail = true;
    updatePanes();
}

void SessionsView::showList() {
    m_showsNarrowDetail = false;
    updatePanes();
    m_list->setFocus(Qt::OtherFocusReason);
}

void SessionsView::setSelected(const PracticeSessionPtr& session) {
    m_selected = session;
    const int row = session ? m_model->rowOf(*session) : -1;
    m_followingSelection = true;
    if (row < 0) {
        m_list->selectionModel()->clearSelection();
        m_list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const QModelIndex index = m_model->index(row, 0);
        if (m_list->currentIndex() != index || !m_list->selectionModel()->isSelected(index))
            m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(index);
    }
    m_followingSelection = false;
    showPageFor(session);
}

void SessionsView::followCurrentRow(int row) {
    if (m_followingSelection)
        return;
    // Moving through the list with the keyboard or the mouse selects; opening the page in the
    // narrow layout waits for a click or Return.
    if (const PracticeSessionPtr session = m_model->session(row))
        setSelected(session);
}

void SessionsView::showPageFor(const PracticeSessionPtr& session) {
    if (m_detail && m_detail->session() == session)
        return;
    if (m_detail) {
        // The page may be the one asking for this (its delete); let it finish first.
        m_detailStack->removeWidget(m_detail);
        m_detail->hide();
        m_detail->deleteLater();
        m_detail = nullptr;
    }
    if (!session) {
        m_detailStack->setCurrentIndex(0);
        return;
    }
    const QUuid id = session->id();
    SessionDetailView::Actions actions;
    actions.onDeleted = [this, id] { selectAfterDeleting(id); };
    actions.onEdit = [this, weak = std::weak_ptr<PracticeSession>(session)] {
        if (const PracticeSessionPtr edited = weak.lock(); edited && m_actions.onEditSession)
            m_actions.onEditSession(edited);
    };
    m_detail = new SessionDetailView(session, SessionDetailView::Presentation::embedded, m_store,
                                     m_calendar, m_clock, m_preferences, std::move(actions));
    m_detailStack->addWidget(m_detail);
    m_detailStack->setCurrentWidget(m_detail);
}

void SessionsView::updatePanes() {
    const bool split = usesSplitLayout();
    const bool narrowDetail = !split && m_showsNarrowDetail && m_selected;
    if (split) {
        m_listPane->setFixedWidth(listPaneWidth);
    } else {
        m_listPane->setMinimumWidth(0);
        m_listPane->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    const bool wasShowingList = m_listPane->isVisibleTo(this);
    // Read before the list hides: hiding it hands its focus on down the window's chain.
    const bool listHadFocus = m_list->hasFocus();
    m_listPane->setVisible(split || !narrowDetail);
    m_divider->setVisible(split);
    m_detailPane->setVisible(split || narrowDetail);
    m_back->setVisible(narrowDetail);
    if (narrowDetail && wasShowingList && listHadFocus)
        m_back->setFocus(Qt::OtherFocusReason);
}

void SessionsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updatePanes();
}

bool SessionsView::eventFilter(QObject* watched, QEvent* event) {
    // Down from the search field goes on into the results.
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier &&
            m_listStack->currentIndex() == 0 && m_listPane->isVisible()) {
            m_list->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brevanta
