// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Instant.h"

#include <chrono>
#include <functional>
#include <utility>

namespace brevanta {

/// Where "the current instant" comes from. Whatever needs now takes a Clock (or the instant
/// itself), so tests can hold or move time; nothing else reads the system clock.
class Clock {
public:
    using Source = std::function<Instant()>;

    explicit Clock(Source source)
        : m_source(std::move(source)) {}

    static Clock system() {
        return Clock([] { return Instant::fromSystemClock(std::chrono::system_clock::now()); });
    }

    /// Always `instant`. For moving time, pass a Source that reads a variable the test changes.
    static Clock fixed(Instant instant) {
        return Clock([instant] { return instant; });
    }

    Instant now() const { return m_source(); }

private:
    Source m_source;
};

} // namespace brevanta
