// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <vector>

namespace brevanta {

/// A thought jotted while practising, before it is sorted into a practice group.
struct ActiveThoughtDraft {
    QUuid id;
    QString text;
    /// Position in the list, from 0.
    std::int64_t sortOrder = 0;

    QString trimmedText() const;

    bool operator==(const ActiveThoughtDraft& other) const = default;
};

/// The session being timed: its clock (active time banked over pauses plus the current stretch),
/// its notes and thoughts. Held in memory only; it becomes a journal session when finished.
/// Equal when every field is equal.
struct ActivePracticeSession {
    /// Becomes the id of the saved session.
    QUuid id;
    Instant startedAt;
    /// Active seconds banked by earlier pauses.
    double accumulatedActiveDuration = 0;
    bool isPaused = false;
    /// When the current stretch of active time began; none while paused.
    std::optional<Instant> mostRecentResumeDate;
    QString notes;
    std::vector<ActiveThoughtDraft> thoughts;

    /// Active seconds at `instant`: the banked time, plus the current stretch while running. An
    /// instant before the last resume adds nothing, so the clock never runs backwards.
    double elapsedDuration(Instant instant) const;

    /// The first thought with words, trimmed, or "Practice Session".
    QString title() const;

    bool operator==(const ActivePracticeSession& other) const = default;
};

} // namespace brevanta
