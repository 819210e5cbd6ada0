// SPDX-License-Identifier: MIT
#pragma once

namespace brevanta {

/// The kinds of panel content can sit on, in the order the vocabulary lists them.
enum class AppSurfaceRole { standard, secondary, hero };

} // namespace brevanta
