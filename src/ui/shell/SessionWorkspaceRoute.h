// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"

namespace brevanta {

/// A page that takes the place of the selected destination in the main window: the practice
/// room, or the form that logs a past session or edits a saved one.
class SessionWorkspaceRoute {
public:
    enum class Kind { edit, active, log };

    /// The edit form for `session`, a live record of the store.
    static SessionWorkspaceRoute edit(PracticeSessionPtr session);
    /// The practice room.
    static SessionWorkspaceRoute active();
    /// The form that logs a past session from a fresh draft.
    static SessionWorkspaceRoute log();

    Kind kind() const { return m_kind; }
    /// The session being edited; null for the other routes.
    const PracticeSessionPtr& session() const { return m_session; }

    /// Same kind, and for editing the same record.
    bool operator==(const SessionWorkspaceRoute& other) const = default;

private:
    SessionWorkspaceRoute(Kind kind, PracticeSessionPtr session)
        : m_kind(kind)
        , m_session(std::move(session)) {}

    Kind m_kind;
    PracticeSessionPtr m_session;
};

} // namespace brevanta
