// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSession.h"

#include "core/time/TextServices.h"

#include <algorithm>

namespace brevanta {

QString ActiveThoughtDraft::trimmedText() const {
    return TextServices::trimmed(text);
}

double ActivePracticeSession::elapsedDuration(Instant instant) const {
    if (isPaused || !mostRecentResumeDate)
        return accumulatedActiveDuration;
    return accumulatedActiveDuration + std::max(0.0, instant.secondsSince(*mostRecentResumeDate));
}

QString ActivePracticeSession::title() const {
    for (const ActiveThoughtDraft& thought : thoughts) {
        if (QString trimmed = thought.trimmedText(); !trimmed.isEmpty())
            return trimmed;
    }
    return QStringLiteral("Practice Session");
}

} // namespace brevanta
