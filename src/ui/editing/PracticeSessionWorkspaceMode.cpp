// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeSessionWorkspaceMode.h"

namespace brevanta {

QString PracticeSessionWorkspaceMode::eyebrow() const {
    return isLog() ? QStringLiteral("LOG PRACTICE") : QStringLiteral("EDIT PRACTICE");
}

QString PracticeSessionWorkspaceMode::title() const {
    return isLog() ? QStringLiteral("A moment worth remembering")
                   : QStringLiteral("Shape this journal entry");
}

QString PracticeSessionWorkspaceMode::saveTitle() const {
    return isLog() ? QStringLiteral("Save Practice") : QStringLiteral("Save Changes");
}

QString PracticeSessionWorkspaceMode::notesTitle() const {
    return isLog() ? QStringLiteral("Today’s Notes") : QStringLiteral("Personal Notes");
}

QString PracticeSessionWorkspaceMode::accessibilityIdentifier() const {
    return isLog() ? QStringLiteral("session-workspace-log")
                   : QStringLiteral("session-workspace-edit");
}

} // namespace brevanta
