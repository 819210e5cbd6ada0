// SPDX-License-Identifier: MIT
#pragma once

namespace brevanta {

/// The looks a button can take, in the order the vocabulary lists them.
enum class AppButtonRole { primary, secondary, toolbar, destructive, compactIcon };

} // namespace brevanta
