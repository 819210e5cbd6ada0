// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QTimer>
#include <QUuid>
#include <QWidget>

#include <vector>

class QLineEdit;
class QVBoxLayout;

namespace brevanta {

class ActivePracticeSessionController;
class AppButton;
class AppLabel;
class FirstFitContainer;
class PracticeWorkspaceNotes;
class PracticeWorkspacePage;

/// The room of a running practice session: the large clock, the composer for thoughts, the list
/// of thoughts, the session's notes and the Pause/Resume, Discard and Finish controls.
///
/// The room keeps its own copies of the notes and thoughts and hands every change to the
/// controller at once. Changes that reach the controller by another path while the room is open
/// (a thought from the window's quick-thought sheet, or the room of another window) are merged
/// into the room's copies by ThoughtReconciliation, so neither side overwrites the other.
class ActivePracticeRoom : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActivePracticeRoom)

public:
    static constexpr int clockIntervalMilliseconds = 1000;
    static constexpr int thoughtAnimationMilliseconds = 180;

    /// Opens the room on the controller's running session; there must be one.
    ActivePracticeRoom(ActivePracticeSessionController& controller, Clock clock, Calendar calendar,
                       QWidget* parent = nullptr);

    /// The running session this room belongs to.
    QUuid sessionId() const { return m_sessionId; }
    const std::vector<ActiveThoughtDraft>& thoughts() const { return m_thoughts; }
    QString notes() const;

    /// Adds the composer's text as a thought, trimmed; blank text adds nothing.
    void addThought();
    void removeThought(const QUuid& id);
    /// Pauses a running clock or resumes a paused one, at the clock's current instant.
    void togglePause();
    /// Redraws the clock for the current instant; the room's ticker calls it every second.
    void refreshClock();
    /// The ticker that redraws the clock while the room is shown; tests fire it by hand.
    QTimer& clockTicker() { return m_ticker; }

Q_SIGNALS:
    /// Asks the window to present the finishing sheet; the room has synchronised first.
    void finishRequested();
    /// Asks the window to confirm and discard the session.
    void discardRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHeader(const ActivePracticeSession& session);
    QWidget* buildContent();
    QWidget* buildActions();
    QWidget* makeThoughtRow(const ActiveThoughtDraft& thought);
    QWidget* rowFor(const QUuid& id) const;
    void appendRow(const ActiveThoughtDraft& thought, bool animated);
    void setThoughts(std::vector<ActiveThoughtDraft> thoughts);

    /// Hands the room's notes and thoughts to the controller.
    void sync();
    void followController();
    void refreshState();

    ActivePracticeSessionController& m_controller;
    Clock m_clock;
    Calendar m_calendar;
    QUuid m_sessionId;
    std::vector<ActiveThoughtDraft> m_thoughts;
    // The controller's notes and thoughts as the room last saw them, to tell its own changes
    // from changes made elsewhere.
    std::vector<ActiveThoughtDraft> m_baseThoughts;
    QString m_baseNotes;
    bool m_syncing = false;
    QTimer m_ticker;

    PracticeWorkspacePage* m_page = nullptr;
    QWidget* m_header = nullptr;
    AppLabel* m_eyebrow = nullptr;
    FirstFitContainer* m_clockFit = nullptr;
    AppLabel* m_clockLarge = nullptr;
    AppLabel* m_clockSmall = nullptr;
    AppLabel* m_started = nullptr;
    QLineEdit* m_thoughtField = nullptr;
    AppButton* m_addThought = nullptr;
    QWidget* m_thoughtList = nullptr;
    QVBoxLayout* m_thoughtRows = nullptr;
    std::vector<QWidget*> m_rows;
    PracticeWorkspaceNotes* m_notes = nullptr;
    AppButton* m_pause = nullptr;
    AppButton* m_discard = nullptr;
    AppButton* m_finish = nullptr;
};

} // namespace brevanta
