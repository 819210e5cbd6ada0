// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace brevanta::TextNormalization {

/// The text without Unicode white space and line breaks at either end (inner ones stay), and
/// without NUL characters.
QString trimmed(const QString& text);

/// Notes as records keep them: trimmed, and none when nothing is left.
std::optional<QString> normalizedNotes(const std::optional<QString>& notes);

} // namespace brevanta::TextNormalization
