// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSession.h"

#include <vector>

namespace brevanta {

/// Keeps the practice room's own list of thoughts and the controller's in step when the
/// controller's list changes by another path than the room: a thought added through the
/// window's quick-thought sheet, or a change made in the room of another window.
///
/// A three-way merge by thought id. `base` is the controller's list as the room last saw it
/// (after its own last synchronisation); what differs between `base` and the controller's new
/// list was done elsewhere and is applied to the room's list; what the room changed since `base`
/// is kept:
/// - a thought that left the controller's list since `base` leaves the room's list;
/// - a thought new to both `base` and the room is appended, in the controller's order;
/// - a thought whose text changed elsewhere takes the new text, unless the room changed it too;
/// - a thought the room removed since `base` is not brought back, and one the room added stays.
/// The result is numbered 0, 1, 2 … in its order.
struct ThoughtReconciliation {
    static std::vector<ActiveThoughtDraft>
    merged(const std::vector<ActiveThoughtDraft>& room, const std::vector<ActiveThoughtDraft>& base,
           const std::vector<ActiveThoughtDraft>& controller);
};

} // namespace brevanta
