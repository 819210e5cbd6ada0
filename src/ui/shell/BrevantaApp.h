// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSessionController.h"
#include "core/practice/ActivePracticeSessionRecovery.h"
#include "core/store/JournalLock.h"
#include "core/store/StoreConfiguration.h"
#include "core/time/Clock.h"
#include "ui/shell/ScreenFactory.h"

#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>

#include <memory>
#include <optional>

class QApplication;
class QSettings;

namespace brevanta {

class AppAppearance;
class AppNotificationCenter;
class BrevantaCommands;
struct BrevantaCommandLine;
class BrevantaSettingsView;
class ContentView;
class JournalSearchWarmUp;
class AfterFirstPaint;
class JournalStore;
class PracticeHistoryFileChooser;
class SingleInstanceChannel;

/// The application: it owns what lives as long as the process (the one practice session
/// controller, the journal store, the notification centre, the menu commands and the
/// appearance) and opens the main windows and the settings window on them.
class BrevantaApp final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaApp)

public:
    /// What the application takes from its surroundings; tests pass their own.
    struct Environment {
        Clock clock = Clock::system();
        /// Where main windows ask for import files; null means the platform's file dialog.
        std::shared_ptr<PracticeHistoryFileChooser> fileChooser;
        /// The user's preferences; null means the user's own ("Brevanta", "Brevanta").
        std::unique_ptr<QSettings> settings;
        /// The palette the platform gave the application, which "system" appearance follows.
        QPalette platformPalette;
        /// The journal's lock when it was taken ahead (see lockJournalAhead()); null means the
        /// store takes it as it opens.
        std::unique_ptr<JournalLockAhead> journalLock;
    };

    /// Creates the controller, then opens the journal of `storeConfiguration`, then installs the
    /// chosen appearance. Throws the store's error when the journal cannot be opened; nothing
    /// is shown then. A journal on disk keeps the running session in a recovery file beside it:
    /// a session found there from an earlier process is taken back, paused, for the offer.
    explicit BrevantaApp(const StoreConfiguration& storeConfiguration, Environment environment,
                         QObject* parent = nullptr);
    ~BrevantaApp() override;

    /// The whole life of the process after the application object exists: start up from the
    /// parsed `commandLine` (a run), show one main window and run. When Brevanta already runs on
    /// the same journal, the files of the command line go to it, its window comes to the front and
    /// this process ends. When the journal cannot be opened the process stops there with its
    /// message, before any window opens.
    static int run(QApplication& application, const BrevantaCommandLine& commandLine,
                   std::unique_ptr<JournalLockAhead> journalLock = {});
    /// Starts taking the lock of the journal the command line `arguments` will open, for run():
    /// null when the command line opens none (an answer such as --help, the design gallery, or
    /// UI testing's journal in memory). Needs no application object.
    static std::unique_ptr<JournalLockAhead> lockJournalAhead(const QStringList& arguments);

    ActivePracticeSessionController& activeSessionController() { return m_activeSessionController; }
    JournalStore& store() { return *m_store; }
    AppNotificationCenter& notifications() { return *m_notifications; }
    BrevantaCommands& commands() { return *m_commands; }
    AppAppearance& appearance() { return *m_appearance; }
    /// Writes the journal search's dates in idle time from the first main window on.
    JournalSearchWarmUp& searchWarmUp() { return *m_searchWarmUp; }
    QSettings& settings() { return *m_settings; }

    /// Opens and shows another main window on the shared controller and store. The journal's
    /// rows start loading once the first one has painted; it also starts the search warm-up.
    ContentView* openMainWindow();
    QList<ContentView*> mainWindows() const;
    /// Shows the settings window, creating it on first use.
    BrevantaSettingsView* showSettings();
    /// The settings window while it is open.
    BrevantaSettingsView* settingsView() const;

    /// Where every screen of a main window is plugged in.
    ScreenFactory screenFactory();

    /// The session found in the recovery file at start-up, and what was set aside instead.
    const std::optional<ActivePracticeSessionRecovery::Recovered>& recoveredSession() const {
        return m_recovered;
    }
    const std::optional<ActivePracticeSessionRecovery::SetAside>& recoverySetAside() const {
        return m_recoverySetAside;
    }
    /// Over `window`: the notice about a recovery file that was set aside, then the offer of the
    /// recovered session. Each is shown once.
    void presentRecovery(ContentView* window);
    /// Answers other launches on the socket at `socketPath`; false when it cannot listen.
    bool listenForOtherLaunches(const QString& socketPath);
    /// Another launch asked for Brevanta: the window in front comes forward and reviews
    /// `filePaths` for import (a new window does when that one is already reviewing an import).
    void takeHandOver(const QStringList& filePaths);

private:
    /// The rows of the journal could not be read after the window opened: the fatal stop, said
    /// in the window.
    void stopForUnreadableRows(const QString& description);

    Clock m_clock;
    ActivePracticeSessionController m_activeSessionController;
    std::unique_ptr<JournalStore> m_store;
    std::unique_ptr<QSettings> m_settings;
    std::shared_ptr<PracticeHistoryFileChooser> m_fileChooser;
    AppNotificationCenter* m_notifications = nullptr;
    AppAppearance* m_appearance = nullptr;
    BrevantaCommands* m_commands = nullptr;
    JournalSearchWarmUp* m_searchWarmUp = nullptr;
    AfterFirstPaint* m_rowLoading = nullptr;
    ActivePracticeSessionRecorder* m_recorder = nullptr;
    std::optional<ActivePracticeSessionRecovery::Recovered> m_recovered;
    std::optional<ActivePracticeSessionRecovery::SetAside> m_recoverySetAside;
    SingleInstanceChannel* m_instanceChannel = nullptr;
    bool m_recoveryPresented = false;
    QList<QPointer<ContentView>> m_mainWindows;
    QPointer<BrevantaSettingsView> m_settingsView;
};

} // namespace brevanta
