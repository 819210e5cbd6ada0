// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSessionController.h"

#include "core/time/TextServices.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brevanta {

namespace {

std::int64_t storedSeconds(double elapsedSeconds) {
    // std::round takes halves away from zero. A run of under half a second still happened.
    const double rounded = std::max(1.0, std::round(elapsedSeconds));
    if (!(rounded < 9223372036854775808.0))
        throw PracticeSession::ValidationError(
            PracticeSession::ValidationError::durationOutOfRange);
    return static_cast<std::int64_t>(rounded);
}

} // namespace

QString ActivePracticeSessionController::FinishError::description() const {
    switch (m_case) {
    case noActiveSession:
        return QStringLiteral("There is no active practice session to finish.");
    case sessionAlreadySaved:
        return QStringLiteral("This practice session has already been saved.");
    }
    Q_UNREACHABLE();
    return {};
}

ActivePracticeSessionController::ActivePracticeSessionController(Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock)) {}

ActivePracticeSessionController::StartResult
ActivePracticeSessionController::start(Instant instant) {
    if (m_activeSession)
        return StartResult::alreadyActive;
    ActivePracticeSession session;
    session.id = QUuid::createUuid();
    session.startedAt = instant;
    session.mostRecentResumeDate = instant;
    setActiveSession(std::move(session));
    setSavedSessionId(std::nullopt);
    return StartResult::started;
}

void ActivePracticeSessionController::pause(Instant instant) {
    if (!m_activeSession || m_activeSession->isPaused)
        return;
    ActivePracticeSession session = *m_activeSession;
    session.accumulatedActiveDuration = session.elapsedDuration(instant);
    session.isPaused = true;
    session.mostRecentResumeDate.reset();
    setActiveSession(std::move(session));
}

void ActivePracticeSessionController::resume(Instant instant) {
    if (!m_activeSession || !m_activeSession->isPaused)
        return;
    ActivePracticeSession session = *m_activeSession;
    session.isPaused = false;
    session.mostRecentResumeDate = instant;
    setActiveSession(std::move(session));
}

void ActivePracticeSessionController::togglePause(Instant instant) {
    if (!m_activeSession)
        return;
    if (m_activeSession->isPaused)
        resume(instant);
    else
        pause(instant);
}

void ActivePracticeSessionController::addThought(const QString& text) {
    if (!m_activeSession)
        return;
    QString trimmed = TextServices::trimmed(text);
    if (trimmed.isEmpty())
        return;
    ActivePracticeSession session = *m_activeSession;
    const auto count = std::int64_t(session.thoughts.size());
    session.thoughts.push_back({QUuid::createUuid(), std::move(trimmed), count});
    setActiveSession(std::move(session));
}

void ActivePracticeSessionController::update(const QString& notes,
                                             std::vector<ActiveThoughtDraft> thoughts) {
    if (!m_activeSession)
        return;
    for (std::size_t index = 0; index < thoughts.size(); ++index)
        thoughts[index].sortOrder = std::int64_t(index);
    ActivePracticeSession session = *m_activeSession;
    session.notes = notes;
    session.thoughts = std::move(thoughts);
    setActiveSession(std::move(session));
}

PracticeSessionPtr
ActivePracticeSessionController::finish(Instant capturedAt, const std::optional<QString>& notes,
                                        const std::vector<PracticeEntryDraft>& entries,
                                        const SaveAction& save) {
    if (m_savedSessionId)
        throw FinishError(FinishError::sessionAlreadySaved);
    if (!m_activeSession)
        throw FinishError(FinishError::noActiveSession);
    const ActivePracticeSession running = *m_activeSession;

    const double elapsed = running.elapsedDuration(capturedAt);
    const Instant now = m_clock.now();
    std::vector<PracticeEntryPtr> resolved = PracticeEntryDraft::resolvedEntries(entries, now);
    const std::int64_t durationSeconds = storedSeconds(elapsed);
    PracticeSessionPtr session = PracticeSession::create(
        running.id, running.startedAt, durationSeconds, PracticeSessionSource::timed,
        notes.value_or(running.notes), std::move(resolved), now);
    save(session);

    setSavedSessionId(session->id());
    setActiveSession(std::nullopt);
    return session;
}

void ActivePracticeSessionController::discard() {
    setActiveSession(std::nullopt);
    setSavedSessionId(std::nullopt);
}

bool ActivePracticeSessionController::restore(const ActivePracticeSession& session) {
    if (m_activeSession)
        return false;
    setActiveSession(session);
    setSavedSessionId(std::nullopt);
    return true;
}

void ActivePracticeSessionController::setActiveSession(
    std::optional<ActivePracticeSession> session) {
    if (session == m_activeSession)
        return;
    m_activeSession = std::move(session);
    Q_EMIT activeSessionChanged();
}

void ActivePracticeSessionController::setSavedSessionId(std::optional<QUuid> id) {
    if (id == m_savedSessionId)
        return;
    m_savedSessionId = id;
    Q_EMIT savedSessionIdChanged();
}

} // namespace brevanta
