// SPDX-License-Identifier: MIT
#include "ui/shell/BrevantaApp.h"

#include "core/editing/PracticePreferences.h"
#include "core/model/BrevantaError.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "ui/design/AppKeyboard.h"
#include "ui/design/AppStyle.h"
#include "ui/design/BrevantaBrandMark.h"
#include "ui/editing/PracticeSessionWorkspaceView.h"
#include "ui/journal/SessionsView.h"
#include "ui/import/PracticeImportView.h"
#include "ui/insights/HomeView.h"
#include "ui/insights/InsightsView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/PracticeView.h"
#include "ui/shell/AppAppearance.h"
#include "ui/shell/AppNotificationCenter.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/BrevantaSettingsView.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/JournalSearchWarmUp.h"
#include "ui/shell/PracticeHistoryFileChooser.h"
#include "ui/shell/QuitSignals.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QSettings>
#include <QShortcut>

#include <cstdio>
#include <cstdlib>

namespace brevanta {

namespace {

// The first window's size on a roomy screen; on a smaller one the window takes what there is.
constexpr QSize preferredWindowSize(1280, 840);
constexpr int cascadeOffset = 28;

// Running on without the journal would hide that nothing the user does can be kept.
int stopForStoreFailure(const QString& description) {
    const QString message = QStringLiteral("Brevanta could not open its data store. The app "
                                           "stopped to avoid hiding persistence failure: ") +
                            description + QLatin1Char('\n');
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
        if (!folder.exists() && QDir().mkpath(folder.absolutePath()))
            QDir().mkdir(folder.filePath(), ownerOnly | QFile::ExeOwner);
        QFile(info.filePath()).open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly);
    } else if (info.permissions() & ~(ownerOnly | QFile::ReadUser | QFile::WriteUser)) {
        QFile::setPermissions(info.filePath(), info.permissions() & ownerOnly);
    }
    return settings;
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512})
        icon.addPixmap(BrevantaBrandMark::pixmap(size));
    return icon;
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
    , m_store(JournalStore::open(storeConfiguration))
    , m_settings(environment.settings ? std::move(environment.settings) : ownerOnlySettings())
    , m_fileChooser(environment.fileChooser ? std::move(environment.fileChooser)
                                            : std::make_shared<DialogPracticeHistoryFileChooser>())
    , m_notifications(new AppNotificationCenter(this))
    , m_appearance(new AppAppearance(*m_settings, environment.platformPalette, this))
    , m_commands(new BrevantaCommands(this))
    , m_searchWarmUp(new JournalSearchWarmUp(*m_store, &Calendar::current, this)) {
    // The style first: installing a style resets the palette the appearance then installs.
    if (!qobject_cast<AppStyle*>(QApplication::style()))
        QApplication::setStyle(new AppStyle);
    AppKeyboard::install();
    m_appearance->apply();
    QApplication::setWindowIcon(applicationIcon());
    connect(m_commands, &BrevantaCommands::settingsRequested, this, [this] { showSettings(); });
    connect(m_commands, &BrevantaCommands::quitRequested, qApp, &QApplication::closeAllWindows);
}

BrevantaApp::~BrevantaApp() {
    delete m_searchWarmUp;
    // Windows hold the controller, the store and the notification centre: they go first.
    for (const QPointer<ContentView>& window : std::as_const(m_mainWindows))
        delete window;
    delete m_settingsView;
    delete m_commands;
    delete m_appearance;
    delete m_notifications;
}

int BrevantaApp::run(QApplication& application) {
    const QPalette platformPalette = QApplication::palette();
    // A logout, `kill` or Ctrl+C quits as the Quit command does; the store then closes.
    const QuitSignals quitSignals([] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    std::unique_ptr<BrevantaApp> app;
    try {
        Environment environment;
        environment.platformPalette = platformPalette;
        app = std::make_unique<BrevantaApp>(
            StoreConfiguration::fromArguments(QCoreApplication::arguments()),
            std::move(environment));
    } catch (const BrevantaError& error) {
        return stopForStoreFailure(error.description());
    } catch (const std::exception& error) {
        return stopForStoreFailure(QString::fromLocal8Bit(error.what()));
    }
    app->openMainWindow();
    return application.exec();
}

ContentView* BrevantaApp::openMainWindow() {
    auto* window = new ContentView({.activeSessionController = m_activeSessionController,
                                    .notifications = *m_notifications,
                                    .clock = m_clock,
                                    .fileChooser = m_fileChooser,
                                    .screens = screenFactory()});
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_commands->attach(window, window->practiceCommands());
    const int open = int(mainWindows().size());
    window->setGeometry(initialGeometry(open));
    m_mainWindows.append(window);
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
