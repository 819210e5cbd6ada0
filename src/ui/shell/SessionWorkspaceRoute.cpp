// SPDX-License-Identifier: MIT
#include "ui/shell/SessionWorkspaceRoute.h"

#include <stdexcept>

namespace brevanta {

SessionWorkspaceRoute SessionWorkspaceRoute::edit(PracticeSessionPtr session) {
    if (!session)
        throw std::invalid_argument("An edit route needs a session");
    return SessionWorkspaceRoute(Kind::edit, std::move(session));
}

SessionWorkspaceRoute SessionWorkspaceRoute::active() {
    return SessionWorkspaceRoute(Kind::active, nullptr);
}

SessionWorkspaceRoute SessionWorkspaceRoute::log() {
    return SessionWorkspaceRoute(Kind::log, nullptr);
}

} // namespace brevanta
