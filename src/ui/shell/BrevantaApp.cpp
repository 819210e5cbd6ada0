// SPDX-License-Identifier: MIT
#include "ui/shell/BrevantaApp.h"

#include "core/editing/PracticePreferences.h"
#include "core/model/BrevantaError.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "ui/design/AppAlert.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppKeyboard.h"
#include "ui/design/AppStyle.h"
#include "ui/design/BrevantaBrandMark.h"
#include "ui/editing/PracticeSessionWorkspaceView.h"
#include "ui/import/PracticeImportView.h"
#include "ui/insights/HomeView.h"
#include "ui/insights/InsightsView.h"
#include "ui/journal/SessionsView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/PracticeView.h"
#include "ui/shell/AfterFirstPaint.h"
#include "ui/shell/AppAppearance.h"
#include "ui/shell/AppNotificationCenter.h"
#include "ui/shell/BrevantaCommandLine.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/BrevantaSettingsView.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/JournalSearchWarmUp.h"
#include "ui/shell/PracticeHistoryFileChooser.h"
#include "ui/shell/QuitSignals.h"
#include "ui/shell/RecoveredSessionOffer.h"
#include "ui/shell/SingleInstanceChannel.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace brevanta {

namespace {

// The first window's size on a roomy screen; on a smaller one the window takes what there is.
constexpr QSize preferredWindowSize(1280, 840);
constexpr int cascadeOffset = 28;
// How long the rows wait for the first window to paint, when it is slow to (opened minimised).
constexpr int rowLoadingPatienceMs = 500;

const auto storeFailurePreamble = QStringLiteral("Brevanta could not open its data store.");
const auto storeFailureReason =
    QStringLiteral("The app stopped to avoid hiding persistence failure: ");

// Running on without the journal would hide that nothing the user does can be kept.
int stopForStoreFailure(const QString& description) {
    const QString message =
        storeFailurePreamble + QLatin1Char(' ') + storeFailureReason + description + u'\n';
    std::fputs(message.toLocal8Bit().constData(), stderr);
    return EXIT_FAILURE;
}

// The user's preferences. Like the journal they are the owner's alone, whatever the umask: made
// owner-only here before the first write (which keeps the mode of the file it replaces), and
// narrowed if an earlier build left them readable to others.
std::unique_ptr<QSettings> ownerOnlySettings() {
    auto settings =
        std::make_unique<QSettings>(QStringLiteral("Brevanta"), QStringLiteral("Brevanta"));
    const QFileInfo info(settings->fileName());
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    if (!info.exists()) {
        const QFileInfo folder(info.absolutePath());
        if (!folder.exists() && QDir().mkpath(folder.absoluteFilePath()))
            QFile::setPermissions(folder.absoluteFilePath(), ownerOnly | QFile::ExeOwner);
        QFile(info.filePath()).open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly);
    } else if (info.permissions() & ~(ownerOnly | QFile::ReadUser | QFile::WriteUser)) {
        QFile::setPermissions(info.filePath(), info.permissions() & ownerOnly);
    }
    return settings;
}

// A second launch racing this one may hold the journal before it listens; it gets this long.
constexpr int handOverPatienceMs = 5000;
constexpr int handOverRetryMs = 100;

// Reaches the instance at `socketPath` while it starts up: the lock is taken before it listens.
bool handOverWhileItStarts(const QString& socketPath, const QStringList& filePaths) {
    for (int waited = 0; waited < handOverPatienceMs; waited += handOverRetryMs) {
        if (SingleInstanceChannel::handOver(socketPath, filePaths))
            return true;
        QThread::msleep(handOverRetryMs);
    }
    return false;
}

// The journal a command line opens: UI testing keeps its own in memory.
StoreConfiguration storeConfigurationFor(const BrevantaCommandLine& commandLine) {
    return commandLine.isUiTesting ? StoreConfiguration::inMemory() : StoreConfiguration{};
}

QRect initialGeometry(int windowsOpen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 840);
    const QSize size =
        preferredWindowSize.boundedTo(available.size())
            .expandedTo(QSize(ContentView::minimumWidth, ContentView::minimumHeight));
    QRect geometry(QPoint(), size);
    geometry.moveCenter(available.center());
    geometry.translate(windowsOpen * cascadeOffset, windowsOpen * cascadeOffset);
    return geometry;
}

} // namespace

BrevantaApp::BrevantaApp(const StoreConfiguration& storeConfiguration, Environment environment,
                         QObject* parent)
    : QObject(parent)
    , m_clock(std::move(environment.clock))
    , m_activeSessionController(m_clock)
    // The window does not wait for the rows: the screens show them when they are in.
    , m_store(JournalStore::open(storeConfiguration, JournalStore::RowLoading::whenAsked,
                                 environment.journalLock.get()))
    , m_settings(environment.settings ? std::move(environment.settings) : ownerOnlySettings())
    , m_fileChooser(environment.fileChooser ? std::move(environment.fileChooser)
                                            : std::make_shared<DialogPracticeHistoryFileChooser>())
    , m_notifications(new AppNotificationCenter(this))
    , m_appearance(new AppAppearance(*m_settings, environment.platformPalette, this))
    , m_commands(new BrevantaCommands(this))
    , m_searchWarmUp(new JournalSearchWarmUp(*m_store, &Calendar::current, this))
    // Read while the window is built, the rows would compete with it for the processor and
    // memory; they start the moment it is on screen.
    , m_rowLoading(new AfterFirstPaint([this] { m_store->loadInBackground(); },
                                       rowLoadingPatienceMs, this)) {
    // The style first: installing a style resets the palette the appearance then installs.
    if (!qobject_cast<AppStyle*>(QApplication::style()))
        QApplication::setStyle(new AppStyle);
    AppKeyboard::install();
    m_appearance->apply();
    QApplication::setWindowIcon(BrevantaBrandMark::icon());
    connect(m_commands, &BrevantaCommands::settingsRequested, this, [this] { showSettings(); });
    connect(m_commands, &BrevantaCommands::quitRequested, qApp, &QApplication::closeAllWindows);
    connect(m_store.get(), &JournalStore::loadFailed, this, &BrevantaApp::stopForUnreadableRows);

    // Read only now that the journal's lock is ours: no other process touches the file.
    if (!storeConfiguration.isStoredInMemoryOnly) {
        ActivePracticeSessionRecovery recovery(ActivePracticeSessionRecovery::filePathBeside(
            QFileInfo(storeConfiguration.resolvedFilePath()).absoluteFilePath()));
        ActivePracticeSessionRecovery::ReadResult found = recovery.read();
        m_recoverySetAside = std::move(found.setAside);
        m_recovered = std::move(found.recovered);
        if (m_recovered)
            m_activeSessionController.restore(m_recovered->sessionAsOfLastWrite());
        m_recorder = new ActivePracticeSessionRecorder(m_activeSessionController,
                                                       std::move(recovery), m_clock, this);
        connect(m_recorder, &ActivePracticeSessionRecorder::failed, this, [](const QString& path) {
            const QString message =
                QStringLiteral("brevanta: the running practice session could not be written to "
                               "%1; it would not survive a crash.\n")
                    .arg(QDir::toNativeSeparators(path));
            std::fputs(message.toLocal8Bit().constData(), stderr);
        });
    }
}

BrevantaApp::~BrevantaApp() {
    // A session still running at exit stays in the recovery file for the next launch.
    delete m_recorder;
    delete m_instanceChannel;
    delete m_searchWarmUp;
    delete m_rowLoading;
    // Windows hold the controller, the store and the notification centre: they go first.
    for (const QPointer<ContentView>& window : std::as_const(m_mainWindows))
        delete window;
    delete m_settingsView;
    delete m_commands;
    delete m_appearance;
    delete m_notifications;
}

std::unique_ptr<JournalLockAhead> BrevantaApp::lockJournalAhead(const QStringList& arguments) {
    const BrevantaCommandLine commandLine =
        BrevantaCommandLine::parse(arguments, QDir::currentPath());
    const StoreConfiguration configuration = storeConfigurationFor(commandLine);
    if (commandLine.request != BrevantaCommandLine::Request::run ||
        commandLine.showsDesignGallery || configuration.isStoredInMemoryOnly)
        return nullptr;
    return std::make_unique<JournalLockAhead>(configuration);
}

int BrevantaApp::run(QApplication& application, const BrevantaCommandLine& commandLine,
                     std::unique_ptr<JournalLockAhead> journalLock) {
    const QPalette platformPalette = QApplication::palette();
    // A logout, `kill` or Ctrl+C quits as the Quit command does; the store then closes.
    const QuitSignals quitSignals([] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    const StoreConfiguration configuration = storeConfigurationFor(commandLine);
    // The in-memory journal of UI testing is private to its process: no hand-over, no recovery.
    QString socketPath;
    if (!configuration.isStoredInMemoryOnly) {
        socketPath = SingleInstanceChannel::socketPath(configuration.resolvedFilePath());
        if (SingleInstanceChannel::handOver(socketPath, commandLine.filePaths))
            return EXIT_SUCCESS;
    }
    std::unique_ptr<BrevantaApp> app;
    try {
        Environment environment;
        environment.platformPalette = platformPalette;
        environment.journalLock = std::move(journalLock);
        app = std::make_unique<BrevantaApp>(configuration, std::move(environment));
    } catch (const JournalStore::OpenError& error) {
        if (error.errorCase() == JournalStore::OpenError::alreadyOpen && !socketPath.isEmpty() &&
            handOverWhileItStarts(socketPath, commandLine.filePaths))
            return EXIT_SUCCESS;
        return stopForStoreFailure(error.description());
    } catch (const BrevantaError& error) {
        return stopForStoreFailure(error.description());
    } catch (const std::exception& error) {
        return stopForStoreFailure(QString::fromLocal8Bit(error.what()));
    }
    if (!socketPath.isEmpty())
        app->listenForOtherLaunches(socketPath);
    ContentView* window = app->openMainWindow();
    if (!commandLine.filePaths.isEmpty())
        app->takeHandOver(commandLine.filePaths);
    app->presentRecovery(window);
    const int status = application.exec();
    // The journal closes as always; only freeing its records one by one is left to the system.
    app->store().leaveRecordsAtExit();
    return status;
}

void BrevantaApp::stopForUnreadableRows(const QString& description) {
    stopForStoreFailure(description);
    const QList<ContentView*> windows = mainWindows();
    if (windows.isEmpty()) {
        QCoreApplication::exit(EXIT_FAILURE);
        return;
    }
    // The window is already there: it says so before the app stops. A running session stays in
    // its recovery file.
    QMessageBox* alert =
        AppAlert::make(windows.constLast(), storeFailurePreamble, storeFailureReason + description);
    alert->setObjectName(QStringLiteral("journal-unreadable"));
    AppAlert::addButton(alert, QStringLiteral("Quit"), AppButtonRole::primary,
                        QMessageBox::AcceptRole);
    connect(alert, &QDialog::finished, this, [] {
        QApplication::closeAllWindows();
        QCoreApplication::exit(EXIT_FAILURE);
    });
    alert->open();
}

bool BrevantaApp::listenForOtherLaunches(const QString& socketPath) {
    delete m_instanceChannel;
    m_instanceChannel = new SingleInstanceChannel(socketPath, this);
    connect(m_instanceChannel, &SingleInstanceChannel::handedOver, this,
            &BrevantaApp::takeHandOver);
    return m_instanceChannel->listen();
}

void BrevantaApp::takeHandOver(const QStringList& filePaths) {
    const QList<ContentView*> windows = mainWindows();
    ContentView* window = windows.isEmpty() ? openMainWindow() : windows.constLast();
    for (ContentView* open : windows) {
        if (open->isActiveWindow())
            window = open;
    }
    if (!window->takeHandOver(filePaths))
        openMainWindow()->takeHandOver(filePaths);
}

void BrevantaApp::presentRecovery(ContentView* window) {
    if (m_recoverySetAside && !m_recoveryPresented) {
        const QString title = QStringLiteral("Practice Session Not Recovered");
        auto* box = new QMessageBox(window);
        box->setObjectName(QStringLiteral("recovery-set-aside"));
        box->setWindowTitle(title);
        box->setText(title);
        box->setInformativeText(m_recoverySetAside->description);
        box->setIconPixmap(BrevantaBrandMark::pixmap(48, window->devicePixelRatioF()));
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A plain button: the platform's stock one carries an icon that is not ours.
        QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        ok->setFocusPolicy(Qt::TabFocus);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    const std::optional<ActivePracticeSession>& session = m_activeSessionController.activeSession();
    if (m_recovered && !m_recoveryPresented && session && session->id == m_recovered->session.id) {
        auto* offer = new RecoveredSessionOffer(*m_recovered, Calendar::current(), window);
        offer->setAttribute(Qt::WA_DeleteOnClose);
        connect(offer, &QDialog::finished, this,
                [this, offer, target = QPointer<ContentView>(window)] {
                    // Closed without a choice: the session stays, paused, and nothing is lost.
                    const std::optional<RecoveredSessionOffer::Choice> choice = offer->choice();
                    if (!choice)
                        return;
                    switch (*choice) {
                    case RecoveredSessionOffer::Choice::resume:
                        m_activeSessionController.resume(m_clock.now());
                        if (target)
                            target->openPracticeRoom();
                        return;
                    case RecoveredSessionOffer::Choice::finish:
                        if (target)
                            target->showFinish();
                        return;
                    case RecoveredSessionOffer::Choice::discard:
                        m_activeSessionController.discard();
                        return;
                    }
                });
        offer->open();
    }
    m_recoveryPresented = true;
}

ContentView* BrevantaApp::openMainWindow() {
    const QRect geometry = initialGeometry(int(mainWindows().size()));
    auto* window = new ContentView({.activeSessionController = m_activeSessionController,
                                    .notifications = *m_notifications,
                                    .clock = m_clock,
                                    .fileChooser = m_fileChooser,
                                    .screens = screenFactory(),
                                    .openingWidth = geometry.width()});
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_commands->attach(window, window->practiceCommands());
    window->setGeometry(geometry);
    m_mainWindows.append(window);
    m_rowLoading->watch(window);
    window->show();
    window->activateWindow();
    // From the first window on. Each chunk waits for the window system's pending events, so the
    // window paints and takes input between chunks.
    m_searchWarmUp->start();
    return window;
}

QList<ContentView*> BrevantaApp::mainWindows() const {
    QList<ContentView*> windows;
    for (const QPointer<ContentView>& window : m_mainWindows) {
        if (window)
            windows.append(window);
    }
    return windows;
}

BrevantaSettingsView* BrevantaApp::showSettings() {
    if (!m_settingsView) {
        m_settingsView = new BrevantaSettingsView(*m_notifications, *m_appearance);
        m_settingsView->setAttribute(Qt::WA_DeleteOnClose);
        auto* close = new QShortcut(QKeySequence::Close, m_settingsView);
        connect(close, &QShortcut::activated, m_settingsView, &QWidget::close);
    }
    m_settingsView->show();
    m_settingsView->raise();
    m_settingsView->activateWindow();
    return m_settingsView;
}

BrevantaSettingsView* BrevantaApp::settingsView() const {
    return m_settingsView;
}

ScreenFactory BrevantaApp::screenFactory() {
    // Each screen is plugged in here as it lands; until then its place stays empty. A closure
    // captures what its screen reads from the application and takes the navigation it needs
    // from the window. Screens read the user's calendar when they are made.
    ScreenFactory screens;
    screens.home = [this](const ScreenFactory::HomeActions& actions) {
        auto* home = new HomeView(*m_store, m_clock, Calendar::current());
        QObject::connect(home, &HomeView::startRequested, home, actions.onStart);
        QObject::connect(home, &HomeView::logRequested, home, actions.onLog);
        return HostedScreen{home};
    };
    screens.insights = [this] {
        return HostedScreen{new InsightsView(*m_store, m_clock, Calendar::current())};
    };
    screens.practiceRoom = [this](const ScreenFactory::PracticeRoomActions& actions) {
        auto* room = new PracticeView(m_activeSessionController, m_clock, Calendar::current());
        QObject::connect(room, &PracticeView::startRequested, room, actions.onStart);
        QObject::connect(room, &PracticeView::finishRequested, room, actions.onFinish);
        QObject::connect(room, &PracticeView::discardRequested, room, actions.onDiscard);
        return HostedScreen{room};
    };
    screens.workspace = [this](const SessionWorkspaceRoute& route,
                               const ScreenFactory::WorkspaceActions& actions) {
        const PracticeSessionWorkspaceMode mode =
            route.kind() == SessionWorkspaceRoute::Kind::edit
                ? PracticeSessionWorkspaceMode::edit(route.session())
                : PracticeSessionWorkspaceMode::log();
        auto* workspace = new PracticeSessionWorkspaceView(
            mode, *m_store, Calendar::current(), m_clock, PracticePreferences(*m_settings));
        QObject::connect(workspace, &PracticeSessionWorkspaceView::cancelled, workspace,
                         actions.onCancel);
        QObject::connect(workspace, &PracticeSessionWorkspaceView::saved, workspace,
                         actions.onSaved);
        return HostedScreen{workspace};
    };
    screens.journal = [this](const ScreenFactory::JournalActions& actions) {
        auto* journal = new SessionsView(*m_store, Calendar::current(), m_clock,
                                         PracticePreferences(*m_settings),
                                         {.onLogPractice = actions.onLogPractice,
                                          .onImportPractice = actions.onImportPractice,
                                          .onEditSession = actions.onEditSession});
        return HostedScreen{journal, journal->toolbarItems()};
    };
    screens.finishSheet = [this](QWidget* window) -> QDialog* {
        return new FinishPracticeSessionView(m_activeSessionController, *m_store, m_clock, window);
    };
    screens.importReview = [this](QWidget* window, const QStringList& filePaths,
                                  std::function<void()> onViewJournal) -> QDialog* {
        return new PracticeImportView(filePaths, *m_store, Calendar::current(), m_clock,
                                      std::move(onViewJournal), window);
    };
    return screens;
}

} // namespace brevanta
