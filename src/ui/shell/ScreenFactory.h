// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "ui/shell/SessionWorkspaceRoute.h"

#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

namespace brevanta {

/// A screen as the main window hosts it: the page, and optionally the controls it puts into the
/// window's toolbar while it is on show (a search field, an options menu). The window takes
/// ownership of both.
struct HostedScreen {
    QWidget* content = nullptr;
    QWidget* toolbarItems = nullptr;
};

/// How a main window gets the screens it hosts. Every screen is plugged in here, in a few lines
/// where the application builds its factory (BrevantaApp::screenFactory): the closure captures
/// what the screen reads (store, controller, clock, calendar, settings) and receives from the
/// window only the callbacks that move the window's navigation.
///
/// A member left empty, or returning a null content, leaves that place in the window plainly
/// empty; a sheet factory left empty means the sheet does not open.
///
/// - home: the Home destination, created once per window when first shown.
/// - journal: the Journal destination, likewise; onEditSession opens the edit form.
/// - insights: the Insights destination, likewise.
/// - practiceRoom: the page of the `active` route, created each time the route is entered.
/// - workspace: the log or edit form of the `log` and `edit` routes, created each time the route
///   is entered (so every visit starts from a fresh draft); the route says which.
/// - finishSheet: the finishing sheet; the window presents it window-modal and deletes it when
///   it closes.
/// - importReview: the import sheet for the chosen files; onViewJournal selects the journal. The
///   window presents and deletes it like the finishing sheet.
struct ScreenFactory {
    struct HomeActions {
        std::function<void()> onStart;
        std::function<void()> onLog;
    };
    struct JournalActions {
        std::function<void()> onLogPractice;
        std::function<void()> onImportPractice;
        std::function<void(const PracticeSessionPtr&)> onEditSession;
    };
    struct PracticeRoomActions {
        std::function<void()> onStart;
        std::function<void()> onFinish;
        std::function<void()> onDiscard;
    };
    struct WorkspaceActions {
        std::function<void()> onCancel;
        std::function<void(const PracticeSessionPtr&)> onSaved;
    };

    std::function<HostedScreen(const HomeActions&)> home;
    std::function<HostedScreen(const JournalActions&)> journal;
    std::function<HostedScreen()> insights;
    std::function<HostedScreen(const PracticeRoomActions&)> practiceRoom;
    std::function<HostedScreen(const SessionWorkspaceRoute&, const WorkspaceActions&)> workspace;
    std::function<QDialog*(QWidget* window)> finishSheet;
    std::function<QDialog*(QWidget* window, const QStringList& filePaths,
                           std::function<void()> onViewJournal)>
        importReview;
};

} // namespace brevanta
