// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace brevanta {

/// The brand typeface of the wordmark, when the system has it or the resources carry it;
/// otherwise a semibold serif from the system stands in, without complaint.
struct BrevantaBrandFont {
    /// Whether the brand typeface can be used; worked out once, on first use.
    static bool isAvailable();
    /// The wordmark's font at `pixelSize` logical pixels.
    static QFont font(int pixelSize);
};

} // namespace brevanta
