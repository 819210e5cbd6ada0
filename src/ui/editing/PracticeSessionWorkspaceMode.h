// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"

#include <QString>

namespace brevanta {

/// What the workspace page does: log a new session by hand, or edit a stored one. Fixed for the
/// life of a page; it decides the page's words and its accessibility identifier.
class PracticeSessionWorkspaceMode {
public:
    static PracticeSessionWorkspaceMode log() { return PracticeSessionWorkspaceMode(nullptr); }
    static PracticeSessionWorkspaceMode edit(PracticeSessionPtr session) {
        return PracticeSessionWorkspaceMode(std::move(session));
    }

    bool isLog() const { return !m_session; }
    bool isEdit() const { return m_session != nullptr; }
    /// The stored session being edited; null when logging.
    const PracticeSessionPtr& session() const { return m_session; }

    QString eyebrow() const;
    QString title() const;
    QString saveTitle() const;
    QString notesTitle() const;
    QString accessibilityIdentifier() const;

private:
    explicit PracticeSessionWorkspaceMode(PracticeSessionPtr session)
        : m_session(std::move(session)) {}

    PracticeSessionPtr m_session;
};

} // namespace brevanta
