// SPDX-License-Identifier: MIT
#pragma once

#include "ui/shell/PracticeCommandAction.h"

#include <QObject>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace brevanta {

class PracticeCommandPublication;

/// The practice commands of the menu bar and their shortcuts. The menu knows no window: it reads
/// the commands the main window in front publishes, and when no main window is in front every
/// item is disabled. Space pauses and resumes, unless a practice text input has the focus;
/// text fields keep their spaces either way, and a focused button, chip or list takes Space for
/// itself (AppKeyboard).
///
/// The actions are shared: every main window shows them in its own menu bar (on macOS the
/// menu bar of the window in front is the application's).
class BrevantaCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaCommands)

public:
    explicit BrevantaCommands(QObject* parent = nullptr);
    ~BrevantaCommands() override;

    /// Builds the File and Practice menus in `window`'s menu bar and reads `publication` while
    /// the window, or a sheet of it, is the active window.
    void attach(QMainWindow* window, PracticeCommandPublication* publication);

    /// What the main window in front publishes; all absent when none is in front.
    PracticeCommandValues frontValues() const;

    QAction* startPracticeAction() const { return m_start; }
    QAction* logPracticeAction() const { return m_log; }
    QAction* importPracticeHistoryAction() const { return m_import; }
    QAction* toggleActiveSessionAction() const { return m_toggle; }
    QAction* finishActiveSessionAction() const { return m_finish; }
    QAction* settingsAction() const { return m_settings; }
    QAction* quitAction() const { return m_quit; }

    /// Reads the window in front again and updates every item.
    void refresh();

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();

private:
    struct AttachedWindow {
        // A plain widget pointer: focus changes while a window is being destroyed reach refresh()
        // after its QMainWindow part is gone, and a QPointer<QMainWindow> would downcast then.
        QPointer<QWidget> window;
        QPointer<PracticeCommandPublication> publication;
    };

    using ActionField = std::optional<PracticeCommandAction> PracticeCommandValues::*;

    QAction* makeAction(const QString& text, const QList<QKeySequence>& shortcuts,
                        ActionField field);
    PracticeCommandPublication* frontPublication() const;
    void run(ActionField field) const;
    static bool canRun(const PracticeCommandValues& values, ActionField field);

    QAction* m_start = nullptr;
    QAction* m_log = nullptr;
    QAction* m_import = nullptr;
    QAction* m_toggle = nullptr;
    QAction* m_finish = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_quit = nullptr;
    std::vector<AttachedWindow> m_windows;
};

} // namespace brevanta
