// SPDX-License-Identifier: MIT
#include "ui/shell/ContentView.h"

#include "core/practice/ActivePracticeSessionController.h"
#include "ui/design/AppAlert.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppResponsiveLayout.h"
#include "ui/design/AppSheet.h"
#include "ui/editing/FocusOrder.h"
#include "ui/editing/PracticeTextInput.h"
#include "ui/shell/ActiveQuickThoughtView.h"
#include "ui/shell/ActiveSessionTransport.h"
#include "ui/shell/AppNotificationCenter.h"
#include "ui/shell/BottomSlidePresenter.h"
#include "ui/shell/ContentSidebar.h"
#include "ui/shell/PracticeCommandPublication.h"
#include "ui/shell/PracticeHistoryFileChooser.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace brevanta {

namespace {

// The transport bar keeps 20 points from the sides of the detail area and 16 from its bottom.
const QMargins transportPadding(20, 14, 20, 16);
constexpr int toolbarHeight = 44;

QWidget* emptyPlace(const QString& place) {
    // Where a screen will stand; until it is plugged in, the place stays plainly empty.
    auto* widget = new QWidget;
    widget->setObjectName(QStringLiteral("empty-") + place);
    return widget;
}

QString workspacePlace(const SessionWorkspaceRoute& route) {
    switch (route.kind()) {
    case SessionWorkspaceRoute::Kind::active:
        return QStringLiteral("practice-room");
    case SessionWorkspaceRoute::Kind::log:
        return QStringLiteral("log-workspace");
    case SessionWorkspaceRoute::Kind::edit:
        return QStringLiteral("edit-workspace");
    }
    return QStringLiteral("workspace");
}

/// The hairline between the sidebar and the detail area.
class DividerHandle final : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), AppColors::border().resolve(this));
    }
};

class ContentSplit final : public QSplitter {
public:
    using QSplitter::QSplitter;

protected:
    QSplitterHandle* createHandle() override { return new DividerHandle(orientation(), this); }
};

} // namespace

ContentView::ContentView(Environment environment, QWidget* parent)
    : QMainWindow(parent)
    , m_controller(environment.activeSessionController)
    , m_notifications(environment.notifications)
    , m_clock(std::move(environment.clock))
    , m_fileChooser(std::move(environment.fileChooser))
    , m_screens(std::move(environment.screens))
    , m_practiceCommands(new PracticeCommandPublication(this)) {
    setObjectName(QStringLiteral("content-view"));
    setWindowTitle(QString());
    // The title bar stays clear, but assistive technology needs the window's name.
    setAccessibleName(QStringLiteral("Brevanta"));
    setMinimumSize(minimumWidth, minimumHeight);

    m_sidebar = new ContentSidebar;
    m_sidebar->setMinimumWidth(sidebarMinimumWidth);
    m_sidebar->setMaximumWidth(sidebarMaximumWidth);
    m_split = new ContentSplit(Qt::Horizontal);
    m_split->setObjectName(QStringLiteral("content-split"));
    m_split->setChildrenCollapsible(false);
    m_split->setHandleWidth(1);
    setCentralWidget(m_split);
    QWidget* detailColumn = buildDetailColumn();

    connect(m_sidebar, &ContentSidebar::destinationChosen, this, &ContentView::chooseDestination);
    connect(&m_controller, &ActivePracticeSessionController::activeSessionChanged, this,
            &ContentView::followController);
    connect(&m_notifications, &AppNotificationCenter::posted, this,
            &ContentView::receiveNotification);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool suppresses =
            now && now->window() == this && PracticeTextInput::suppressesPracticeShortcuts(now);
        if (suppresses == m_suppressesPracticeShortcuts)
            return;
        m_suppressesPracticeShortcuts = suppresses;
        publishPracticeCommands();
    });

    m_sidebar->setSelection(m_selection);
    updateSidebarToggle();
    if (environment.openingWidth)
        adaptNavigation(*environment.openingWidth);
    showDetail();
    // The split measures what it holds as each part arrives, and measuring text needs the
    // desktop's fonts, still being read while the first window is built. Both columns join it
    // once everything is built, so building does not wait for them.
    m_split->addWidget(m_sidebar);
    m_split->addWidget(detailColumn);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({sidebarIdealWidth, 1000});
    FocusOrder::arrange(this);
    // Most launches have no session: the bar is not built until one starts.
    if (m_controller.hasActiveSession())
        transportPresenter()->setPresented(true, false);
    publishPracticeCommands();
}

ContentView::~ContentView() {
    // Tearing the widgets down moves focus; nothing may reach this half-destroyed window then.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(&m_controller, nullptr, this, nullptr);
    // Sheets may call back into the window while they close; let them go while it is whole.
    delete m_finishSheet;
    delete m_quickThought;
    delete m_discardConfirmation;
    delete m_importSheet;
}

QWidget* ContentView::buildDetailColumn() {
    auto* detail = new QWidget;
    detail->setObjectName(QStringLiteral("detail-column"));
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* toolbar = new QWidget;
    toolbar->setObjectName(QStringLiteral("window-toolbar"));
    toolbar->setFixedHeight(toolbarHeight);
    auto* toolbarRow = new QHBoxLayout(toolbar);
    toolbarRow->setContentsMargins(10, 6, 16, 0);
    toolbarRow->setSpacing(8);
    // A bordered button, plainly a control on the page in either appearance.
    m_sidebarToggle = new AppButton(QStringLiteral("Hide Sidebar"), QStringLiteral("sidebar.left"),
                                    AppButtonRole::secondary);
    m_sidebarToggle->setObjectName(QStringLiteral("sidebar-toggle"));
    connect(m_sidebarToggle, &QAbstractButton::clicked, this, [this] {
        setColumnVisibility(m_columnVisibility == ColumnVisibility::all
                                ? ColumnVisibility::detailOnly
                                : ColumnVisibility::all);
    });
    toolbarRow->addWidget(m_sidebarToggle, 0, Qt::AlignVCenter);
    toolbarRow->addStretch(1);
    m_toolbarItems = new QHBoxLayout;
    m_toolbarItems->setContentsMargins(0, 0, 0, 0);
    m_toolbarItems->setSpacing(8);
    toolbarRow->addLayout(m_toolbarItems);
    column->addWidget(toolbar);

    m_navigationArea = new QStackedWidget;
    m_navigationArea->setObjectName(QStringLiteral("navigation-area"));
    column->addWidget(m_navigationArea, 1);

    // The session's bar joins the column's foot when there first is a session.
    m_detailColumn = column;
    return detail;
}

BottomSlidePresenter* ContentView::transportPresenter() {
    if (!m_transportPresenter) {
        m_transport = new ActiveSessionTransport(m_controller, m_clock,
                                                 {.onOpen = [this] { openPracticeRoom(); },
                                                  .onAddThought = [this] { showAddThought(); },
                                                  .onFinish = [this] { showFinish(); }});
        m_transportPresenter = new BottomSlidePresenter(m_transport, transportPadding);
        m_transportPresenter->setObjectName(QStringLiteral("active-session-transport-presenter"));
        m_detailColumn->addWidget(m_transportPresenter);
    }
    return m_transportPresenter;
}

ActiveSessionTransport* ContentView::transport() {
    transportPresenter();
    return m_transport;
}

void ContentView::setSelection(std::optional<AppDestination> selection) {
    if (selection == m_selection)
        return;
    m_selection = selection;
    m_workspaceRoute.reset();
    m_sidebar->setSelection(m_selection);
    showDetail();
    publishPracticeCommands();
    Q_EMIT navigationChanged();
}

void ContentView::chooseDestination(AppDestination destination) {
    if (m_selection == destination && !m_workspaceRoute) {
        m_sidebar->setSelection(m_selection);
        return;
    }
    m_selection = destination;
    m_workspaceRoute.reset();
    m_sidebar->setSelection(m_selection);
    showDetail();
    publishPracticeCommands();
    Q_EMIT navigationChanged();
}

void ContentView::setWorkspaceRoute(std::optional<SessionWorkspaceRoute> route) {
    if (route == m_workspaceRoute)
        return;
    m_workspaceRoute = std::move(route);
    showDetail();
    publishPracticeCommands();
    Q_EMIT navigationChanged();
}

void ContentView::setColumnVisibility(ColumnVisibility visibility) {
    if (visibility == m_columnVisibility)
        return;
    m_columnVisibility = visibility;
    m_sidebar->setVisible(visibility == ColumnVisibility::all);
    updateSidebarToggle();
    Q_EMIT navigationChanged();
}

void ContentView::updateSidebarToggle() {
    const QString title = m_columnVisibility == ColumnVisibility::all
                              ? QStringLiteral("Hide Sidebar")
                              : QStringLiteral("Show Sidebar");
    m_sidebarToggle->setText(title);
    m_sidebarToggle->setAccessibleName(title);
    // Icon-only buttons show their title as the tooltip; keep it in step.
    m_sidebarToggle->setIconOnly(true);
}

void ContentView::adaptNavigation(double width) {
    // Only a crossing of the threshold changes the sidebar, so one the user showed or hid by
    // hand is left alone while the window is resized on the same side.
    const bool narrow = AppResponsiveLayout::usesCollapsedSidebar(width);
    if (m_adaptedToNarrowWidth == narrow)
        return;
    m_adaptedToNarrowWidth = narrow;
    if (narrow && m_columnVisibility == ColumnVisibility::all)
        setColumnVisibility(ColumnVisibility::detailOnly);
    else if (!narrow && m_columnVisibility == ColumnVisibility::detailOnly)
        setColumnVisibility(ColumnVisibility::all);
}

void ContentView::startPractice() {
    m_controller.start(m_clock.now());
    setWorkspaceRoute(SessionWorkspaceRoute::active());
}

void ContentView::logPractice() {
    setWorkspaceRoute(SessionWorkspaceRoute::log());
}

void ContentView::editSession(const PracticeSessionPtr& session) {
    if (session)
        setWorkspaceRoute(SessionWorkspaceRoute::edit(session));
}

void ContentView::openPracticeRoom() {
    setWorkspaceRoute(SessionWorkspaceRoute::active());
}

void ContentView::togglePause() {
    m_controller.togglePause(m_clock.now());
}

void ContentView::showFinish() {
    if (m_finishSheet || !m_screens.finishSheet)
        return;
    QDialog* sheet = m_screens.finishSheet(this);
    if (!sheet)
        return;
    presentSheet(sheet, m_finishSheet);
}

void ContentView::showAddThought() {
    if (m_quickThought)
        return;
    auto* sheet = new ActiveQuickThoughtView(
        [this](const QString& text) {
            m_controller.addThought(text);
            if (m_quickThought)
                m_quickThought->accept();
        },
        this);
    presentSheet(sheet, m_quickThought);
}

void ContentView::confirmDiscard() {
    if (m_discardConfirmation)
        return;
    QMessageBox* box =
        AppAlert::make(this, QStringLiteral("Discard this practice session?"),
                       QStringLiteral("The elapsed time, entries, and notes will not be saved."));
    box->setObjectName(QStringLiteral("discard-confirmation"));
    AppButton* discard = AppAlert::addDestructiveChoice(box, QStringLiteral("Discard Session"));
    discard->setObjectName(QStringLiteral("discard-session"));
    connect(box, &QDialog::finished, this, [this, box, discard] {
        if (box->clickedButton() == discard)
            discardSession();
    });
    presentSheet(box, m_discardConfirmation);
}

void ContentView::discardSession() {
    m_controller.discard();
    setWorkspaceRoute(std::nullopt);
}

void ContentView::selectImportFiles() {
    // One chooser at a time, and none while an import is already under review.
    if (m_isSelectingImportFiles || m_importSheet || !m_fileChooser)
        return;
    m_isSelectingImportFiles = true;
    QPointer<ContentView> window(this);
    m_fileChooser->chooseFiles(this, [window](const QStringList& filePaths) {
        if (window)
            window->finishChoosingFiles(filePaths);
    });
}

void ContentView::finishChoosingFiles(const QStringList& filePaths) {
    m_isSelectingImportFiles = false;
    const QStringList csvFiles = PracticeHistoryFileChooser::csvFilesOnly(filePaths);
    if (!csvFiles.isEmpty())
        showImport(csvFiles);
}

void ContentView::showImport(const QStringList& filePaths) {
    if (m_importSheet || filePaths.isEmpty())
        return;
    m_importedFiles = filePaths;
    if (!m_screens.importReview)
        return;
    QDialog* sheet = m_screens.importReview(this, filePaths,
                                            [this] { chooseDestination(AppDestination::journal); });
    if (!sheet)
        return;
    presentSheet(sheet, m_importSheet);
}

bool ContentView::takeHandOver(const QStringList& filePaths) {
    if (!filePaths.isEmpty() && (m_isSelectingImportFiles || m_importSheet))
        return false;
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    showImport(PracticeHistoryFileChooser::csvFilesOnly(filePaths));
    return true;
}

void ContentView::presentSheet(QDialog* sheet, QPointer<QDialog>& slot) {
    if (sheet->parentWidget() != this)
        sheet->setParent(this, sheet->windowFlags() | Qt::Dialog);
    slot = sheet;
    AppSheet::fitToWindow(sheet, this);
    connect(sheet, &QDialog::finished, this, [&slot, sheet] {
        if (slot == sheet)
            slot = nullptr;
        sheet->deleteLater();
    });
    sheet->open();
}

QWidget* ContentView::shownScreen() const {
    return m_navigationArea->currentWidget();
}

QWidget* ContentView::shownToolbarItems() const {
    if (m_workspaceRoute)
        return m_workspaceScreen.toolbarItems;
    const auto found = m_destinationScreens.find(m_selection.value_or(AppDestination::home));
    return found == m_destinationScreens.end() ? nullptr : found->second.toolbarItems;
}

HostedScreen ContentView::destinationScreen(AppDestination destination) {
    auto found = m_destinationScreens.find(destination.value());
    if (found == m_destinationScreens.end()) {
        found =
            m_destinationScreens.emplace(destination.value(), makeDestinationScreen(destination))
                .first;
        adoptScreen(found->second);
    }
    return found->second;
}

HostedScreen ContentView::makeDestinationScreen(AppDestination destination) {
    HostedScreen screen;
    switch (destination.value()) {
    case AppDestination::home:
        if (m_screens.home)
            screen = m_screens.home(
                {.onStart = [this] { startPractice(); }, .onLog = [this] { logPractice(); }});
        break;
    case AppDestination::journal:
        if (m_screens.journal)
            screen = m_screens.journal(
                {.onLogPractice = [this] { logPractice(); },
                 .onImportPractice = [this] { selectImportFiles(); },
                 .onEditSession =
                     [this](const PracticeSessionPtr& session) { editSession(session); }});
        break;
    case AppDestination::insights:
        if (m_screens.insights)
            screen = m_screens.insights();
        break;
    }
    if (!screen.content)
        screen.content = emptyPlace(destination.id());
    return screen;
}

HostedScreen ContentView::makeWorkspaceScreen(const SessionWorkspaceRoute& route) {
    HostedScreen screen;
    if (route.kind() == SessionWorkspaceRoute::Kind::active) {
        if (m_screens.practiceRoom)
            screen = m_screens.practiceRoom({.onStart = [this] { startPractice(); },
                                             .onFinish = [this] { showFinish(); },
                                             .onDiscard = [this] { confirmDiscard(); }});
    } else if (m_screens.workspace) {
        const auto close = [this] { setWorkspaceRoute(std::nullopt); };
        screen = m_screens.workspace(
            route, {.onCancel = close, .onSaved = [close](const PracticeSessionPtr&) { close(); }});
    }
    if (!screen.content)
        screen.content = emptyPlace(workspacePlace(route));
    return screen;
}

void ContentView::adoptScreen(const HostedScreen& screen) {
    m_navigationArea->addWidget(screen.content);
    if (screen.toolbarItems) {
        screen.toolbarItems->hide();
        m_toolbarItems->addWidget(screen.toolbarItems);
    }
}

void ContentView::showDetail() {
    QWidget* focusBefore = focusWidget();
    const bool focusWasOnPage = focusBefore && m_navigationArea->isAncestorOf(focusBefore);
    HostedScreen shown;
    if (m_workspaceRoute) {
        if (m_workspaceScreenRoute != m_workspaceRoute) {
            dropWorkspaceScreen();
            m_workspaceScreen = makeWorkspaceScreen(*m_workspaceRoute);
            m_workspaceScreenRoute = m_workspaceRoute;
            adoptScreen(m_workspaceScreen);
        }
        shown = m_workspaceScreen;
    } else {
        dropWorkspaceScreen();
        shown = destinationScreen(m_selection.value_or(AppDestination::home));
    }
    m_navigationArea->setCurrentWidget(shown.content);
    for (const auto& [destination, screen] : m_destinationScreens) {
        if (screen.toolbarItems)
            screen.toolbarItems->setVisible(screen.toolbarItems == shown.toolbarItems);
    }
    if (m_workspaceScreen.toolbarItems)
        m_workspaceScreen.toolbarItems->setVisible(m_workspaceScreen.toolbarItems ==
                                                   shown.toolbarItems);
    // Tab follows the window as it reads: sidebar, toolbar, the page, the transport bar.
    FocusOrder::arrange(this);
    if (focusWasOnPage)
        keepFocusOffControls(shown.content);
}

void ContentView::keepFocusOffControls(QWidget* page) {
    // A page that went away with the focus would hand it to the next control in the chain, often
    // a button, which would then take the next Space from the window's pause command. The page
    // on show keeps focus it gave itself (the practice room's thought field); otherwise the
    // navigation area holds it. Its policy stays NoFocus: no Tab stop, and a click on a button
    // of a page never moves the focus to it.
    QWidget* focus = focusWidget();
    if (focus && focus->isVisible() && page && page->isAncestorOf(focus))
        return;
    m_navigationArea->setFocus(Qt::OtherFocusReason);
}

void ContentView::dropWorkspaceScreen() {
    m_workspaceScreenRoute.reset();
    if (!m_workspaceScreen.content)
        return;
    // The workspace may be closing itself from one of its own buttons: delete it later.
    m_navigationArea->removeWidget(m_workspaceScreen.content);
    m_workspaceScreen.content->hide();
    m_workspaceScreen.content->deleteLater();
    if (m_workspaceScreen.toolbarItems) {
        m_workspaceScreen.toolbarItems->hide();
        m_workspaceScreen.toolbarItems->deleteLater();
    }
    m_workspaceScreen = {};
}

void ContentView::followController() {
    if (m_transportPresenter || m_controller.hasActiveSession())
        transportPresenter()->setPresented(m_controller.hasActiveSession(), isVisible());
    publishPracticeCommands();
}

void ContentView::receiveNotification(const QString& name) {
    if (name == AppNotificationCenter::importPracticeHistory && isVisible())
        selectImportFiles();
}

void ContentView::publishPracticeCommands() {
    const auto& session = m_controller.activeSession();
    const bool running = session.has_value();
    const bool paused = running && session->isPaused;
    PracticeCommandValues values;
    values.startPracticeAction =
        PracticeCommandAction{QStringLiteral("Start Practice"), true, [this] { startPractice(); }};
    values.logPracticeAction =
        PracticeCommandAction{QStringLiteral("Log Practice"), true, [this] { logPractice(); }};
    values.importPracticeHistoryAction = PracticeCommandAction{
        QStringLiteral("Import Practice History"), true, [this] { selectImportFiles(); }};
    values.toggleActiveSessionAction = PracticeCommandAction{
        paused ? QStringLiteral("Resume Session") : QStringLiteral("Pause Session"), running,
        [this] { togglePause(); }};
    values.finishActiveSessionAction =
        PracticeCommandAction{QStringLiteral("Finish Session"), running, [this] { showFinish(); }};
    if (m_suppressesPracticeShortcuts)
        values.suppressesPracticeShortcuts = true;
    m_practiceCommands->publish(std::move(values));
}

void ContentView::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        adaptNavigation(event->size().width());
}

void ContentView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    adaptNavigation(width());
}

void ContentView::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The menu follows the window in front; tell it when that may have changed.
    if (event->type() == QEvent::ActivationChange)
        publishPracticeCommands();
}

} // namespace brevanta
