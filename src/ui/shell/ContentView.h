// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Clock.h"
#include "ui/shell/AppDestination.h"
#include "ui/shell/ScreenFactory.h"
#include "ui/shell/SessionWorkspaceRoute.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>

class QHBoxLayout;
class QSplitter;
class QStackedWidget;
class QVBoxLayout;

namespace brevanta {

class ActivePracticeSessionController;
class ActiveSessionTransport;
class AppButton;
class AppNotificationCenter;
class BottomSlidePresenter;
class ContentSidebar;
class PracticeCommandPublication;
class PracticeHistoryFileChooser;

/// A main window: the sidebar of destinations beside the detail area, where a session workspace
/// can take the place of the selected destination and the transport bar sits at the bottom while
/// a session runs. The window owns its navigation and the sheets any of its screens can ask for,
/// and publishes its practice commands for the menu. It holds no journal data: the screens read
/// the store themselves and the running session lives in the shared controller.
///
/// Screens come from the ScreenFactory in the environment; see there for the plug points.
class ContentView final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentView)
    /// The files of the last import, also for tools that look at a running app from outside.
    Q_PROPERTY(QStringList importedFiles READ importedFiles)

public:
    enum class ColumnVisibility { all, detailOnly };

    struct Environment {
        ActivePracticeSessionController& activeSessionController;
        AppNotificationCenter& notifications;
        /// The current instant for starting, pausing and the running clock.
        Clock clock;
        std::shared_ptr<PracticeHistoryFileChooser> fileChooser;
        ScreenFactory screens;
        /// The width the window will open at, when known: a window too narrow for the sidebar
        /// starts without it, and never measures its text.
        std::optional<int> openingWidth;
    };

    static constexpr int minimumWidth = 720;
    static constexpr int minimumHeight = 560;
    static constexpr int sidebarMinimumWidth = 200;
    static constexpr int sidebarIdealWidth = 234;
    static constexpr int sidebarMaximumWidth = 270;

    explicit ContentView(Environment environment, QWidget* parent = nullptr);
    ~ContentView() override;

    // Navigation state.
    std::optional<AppDestination> selection() const { return m_selection; }
    ColumnVisibility columnVisibility() const { return m_columnVisibility; }
    const std::optional<SessionWorkspaceRoute>& workspaceRoute() const { return m_workspaceRoute; }
    bool isShowingFinish() const { return !m_finishSheet.isNull(); }
    bool isAddingThought() const { return !m_quickThought.isNull(); }
    bool isConfirmingDiscard() const { return !m_discardConfirmation.isNull(); }
    bool isSelectingImportFiles() const { return m_isSelectingImportFiles; }
    const QStringList& importedFiles() const { return m_importedFiles; }
    bool isShowingImport() const { return !m_importSheet.isNull(); }

    /// Sets the selection; a change closes any workspace.
    void setSelection(std::optional<AppDestination> selection);
    /// The user chose a destination in the sidebar: it is selected and any workspace closes,
    /// even when it was selected already.
    void chooseDestination(AppDestination destination);
    void setWorkspaceRoute(std::optional<SessionWorkspaceRoute> route);
    void setColumnVisibility(ColumnVisibility visibility);
    /// Folds the sidebar away when the window becomes narrower than 900 points and brings it back
    /// when it becomes 900 or wider; a sidebar shown or hidden by hand stays so until then.
    void adaptNavigation(double width);

    // What the screens, the transport bar and the menu ask the window to do.
    void startPractice();
    void logPractice();
    void editSession(const PracticeSessionPtr& session);
    void openPracticeRoom();
    void togglePause();
    void showFinish();
    void showAddThought();
    void confirmDiscard();
    void selectImportFiles();
    /// Opens the import sheet for `filePaths`.
    void showImport(const QStringList& filePaths);
    /// Another launch of Brevanta asked for a window: this one comes to the front and opens the
    /// import sheet for `filePaths`, if any. False, with nothing opened, when the window is
    /// already choosing or reviewing an import.
    bool takeHandOver(const QStringList& filePaths);

    PracticeCommandPublication* practiceCommands() const { return m_practiceCommands; }
    ContentSidebar* sidebar() const { return m_sidebar; }
    /// The running session's bar at the foot of the detail area, made the first time there is
    /// a session (or when asked for).
    ActiveSessionTransport* transport();
    BottomSlidePresenter* transportPresenter();
    /// The page the detail area shows now.
    QWidget* shownScreen() const;
    /// The toolbar items of the page on show, if it has any.
    QWidget* shownToolbarItems() const;

Q_SIGNALS:
    void navigationChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildDetailColumn();
    HostedScreen destinationScreen(AppDestination destination);
    HostedScreen makeDestinationScreen(AppDestination destination);
    HostedScreen makeWorkspaceScreen(const SessionWorkspaceRoute& route);
    void adoptScreen(const HostedScreen& screen);
    void showDetail();
    void dropWorkspaceScreen();
    void keepFocusOffControls(QWidget* page);
    void followController();
    void receiveNotification(const QString& name);
    void finishChoosingFiles(const QStringList& filePaths);
    void discardSession();
    void publishPracticeCommands();
    /// Opens `sheet` window-modal over the window; `slot` holds it until it closes.
    void presentSheet(QDialog* sheet, QPointer<QDialog>& slot);
    void updateSidebarToggle();

    ActivePracticeSessionController& m_controller;
    AppNotificationCenter& m_notifications;
    Clock m_clock;
    std::shared_ptr<PracticeHistoryFileChooser> m_fileChooser;
    ScreenFactory m_screens;

    std::optional<AppDestination> m_selection = AppDestination::home;
    ColumnVisibility m_columnVisibility = ColumnVisibility::all;
    std::optional<SessionWorkspaceRoute> m_workspaceRoute;
    bool m_isSelectingImportFiles = false;
    QStringList m_importedFiles;
    bool m_suppressesPracticeShortcuts = false;
    /// Which side of the collapsing width the window was on when navigation last adapted.
    std::optional<bool> m_adaptedToNarrowWidth;

    ContentSidebar* m_sidebar = nullptr;
    QSplitter* m_split = nullptr;
    AppButton* m_sidebarToggle = nullptr;
    QHBoxLayout* m_toolbarItems = nullptr;
    QStackedWidget* m_navigationArea = nullptr;
    QVBoxLayout* m_detailColumn = nullptr;
    ActiveSessionTransport* m_transport = nullptr;
    BottomSlidePresenter* m_transportPresenter = nullptr;
    PracticeCommandPublication* m_practiceCommands = nullptr;

    std::map<AppDestination::Value, HostedScreen> m_destinationScreens;
    std::optional<SessionWorkspaceRoute> m_workspaceScreenRoute;
    HostedScreen m_workspaceScreen;

    QPointer<QDialog> m_finishSheet;
    QPointer<QDialog> m_quickThought;
    QPointer<QDialog> m_discardConfirmation;
    QPointer<QDialog> m_importSheet;
};

} // namespace brevanta
