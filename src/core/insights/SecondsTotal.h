// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <limits>

namespace brevanta {

/// `total` plus `seconds`, stopping at the ends of the 64-bit range instead of wrapping round.
/// Durations are validated one by one, not as sums: thousands of absurdly long imported days
/// could pass the largest count.
inline std::int64_t addingSecondsSaturated(std::int64_t total, std::int64_t seconds) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(total, seconds, &sum))
        return seconds > 0 ? std::numeric_limits<std::int64_t>::max()
                           : std::numeric_limits<std::int64_t>::min();
    return sum;
}

} // namespace brevanta
