// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticeEntryDraft.h"
#include "core/model/BrevantaError.h"
#include "core/model/PracticeSession.h"
#include "core/practice/ActivePracticeSession.h"
#include "core/time/Clock.h"
#include "core/time/Instant.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>
#include <vector>

namespace brevanta {

/// Owns the one practice session that may be running: starts, pauses and resumes its clock,
/// keeps its notes and thoughts, and turns it into a journal session once, on finish. Shared by
/// every window; main thread only. Instants are passed in by the callers; the clock given here
/// only stamps the creation of a finished session.
///
/// Listeners hear of a change only when the observed value really differs.
class ActivePracticeSessionController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActivePracticeSessionController)

public:
    enum class StartResult { started, alreadyActive };

    class FinishError : public BrevantaError {
    public:
        enum Case { noActiveSession, sessionAlreadySaved };

        explicit FinishError(Case errorCase)
            : m_case(errorCase) {}
        Case errorCase() const { return m_case; }
        QString description() const override;

    private:
        Case m_case;
    };

    /// Stores a finished session; throws when it cannot (the error reaches finish's caller).
    using SaveAction = std::function<void(const PracticeSessionPtr&)>;

    explicit ActivePracticeSessionController(Clock clock, QObject* parent = nullptr);

    /// The running or paused session; none when idle.
    const std::optional<ActivePracticeSession>& activeSession() const { return m_activeSession; }
    bool hasActiveSession() const { return m_activeSession.has_value(); }
    /// The id of the session the last finish saved, until the next start or discard: it keeps
    /// the same run from being saved twice.
    const std::optional<QUuid>& savedSessionId() const { return m_savedSessionId; }

    /// Starts a new session at `instant`, unless one is running or paused already; then nothing
    /// changes and the result says so.
    StartResult start(Instant instant);
    /// Banks the active time up to `instant` and stops the clock; only while running.
    void pause(Instant instant);
    /// Starts the clock again at `instant`; only while paused.
    void resume(Instant instant);
    /// Pauses a running session or resumes a paused one at `instant`; nothing when idle. What the
    /// pause/resume buttons and the Space command do.
    void togglePause(Instant instant);
    /// Appends `text`, trimmed, as a new thought; blank text adds nothing.
    void addThought(const QString& text);
    /// Takes the practice room's notes as they are and its thoughts in their order, numbered
    /// again from 0.
    void update(const QString& notes, std::vector<ActiveThoughtDraft> thoughts);

    /// Saves the session as a timed journal session through `save` and returns it.
    ///
    /// The duration is the active time at `capturedAt` rounded to whole seconds (halves away
    /// from zero), at least 1. The notes are `notes` when given, else the session's own. Each
    /// practice group of `entries` is numbered from 0 in list order.
    ///
    /// Throws FinishError, the entries' and the session's validation errors, and whatever `save`
    /// throws. On any failure nothing changes: the session keeps running as it was.
    PracticeSessionPtr finish(Instant capturedAt, const std::optional<QString>& notes,
                              const std::vector<PracticeEntryDraft>& entries,
                              const SaveAction& save);

    /// Forgets the running session without storing anything.
    void discard();

    /// Takes back a session that was running when the process last ended, unless one is running
    /// or paused already; true when it was taken. Clears the saved-session guard like start.
    bool restore(const ActivePracticeSession& session);

Q_SIGNALS:
    void activeSessionChanged();
    void savedSessionIdChanged();

private:
    void setActiveSession(std::optional<ActivePracticeSession> session);
    void setSavedSessionId(std::optional<QUuid> id);

    Clock m_clock;
    std::optional<ActivePracticeSession> m_activeSession;
    std::optional<QUuid> m_savedSessionId;
};

} // namespace brevanta
