// SPDX-License-Identifier: MIT
#include "ui/shell/PracticeCommandPublication.h"

namespace brevanta {

void PracticeCommandPublication::publish(PracticeCommandValues values) {
    // The actions carry fresh closures each time, so every publication counts as a change.
    m_values = std::move(values);
    Q_EMIT valuesChanged();
}

} // namespace brevanta
