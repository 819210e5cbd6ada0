// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QPointer>
#include <QWidget>

class QStackedLayout;

namespace brevanta {

class ActivePracticeRoom;
class ActivePracticeSessionController;

/// What the window shows for the practice room route: an invitation to start while no session
/// runs, the practice room while one runs or is paused. It follows the controller, so it turns
/// to the room as soon as a session starts and back when the session is finished or discarded.
/// Starting, finishing and discarding are the window's business; the view only asks.
class PracticeView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeView)

public:
    /// `clock` gives the current instant for the running clock and for pausing; `calendar`
    /// writes the start time in the user's locale.
    PracticeView(ActivePracticeSessionController& controller, Clock clock, Calendar calendar,
                 QWidget* parent = nullptr);

    /// The room on show, or null while no session runs.
    ActivePracticeRoom* room() const;

Q_SIGNALS:
    /// The user asked to start practising.
    void startRequested();
    /// The user asked to finish: present the finishing sheet.
    void finishRequested();
    /// The user asked to discard: confirm, then discard.
    void discardRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildIdleFace();
    void followController();

    ActivePracticeSessionController& m_controller;
    Clock m_clock;
    Calendar m_calendar;
    QStackedLayout* m_faces = nullptr;
    QWidget* m_idle = nullptr;
    QPointer<ActivePracticeRoom> m_room;
};

} // namespace brevanta
