// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace brevanta::bench {

/// Writes a journal of `sessionCount` sessions of three entries each through the store, one a
/// day going back from 2026, with the mix of sources, titles, notes and minutes a musician's
/// journal has. The same count and seed give the same file content.
void writeJournal(const QString& filePath, int sessionCount, quint32 seed = 7);

} // namespace brevanta::bench
