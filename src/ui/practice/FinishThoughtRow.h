// SPDX-License-Identifier: MIT
#pragma once

#include "ui/editing/PracticeItemRow.h"
#include "ui/practice/FinishThoughtDraft.h"

namespace brevanta {

/// One thought on the finishing sheet: its words, a button per practice group, optional minutes
/// and a button that removes it.
class FinishThoughtRow : public PracticeItemRow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FinishThoughtRow)

public:
    explicit FinishThoughtRow(const FinishThoughtDraft& thought, QWidget* parent = nullptr);

    QUuid thoughtId() const { return id(); }
    CapsuleChip* categoryButton(PracticeCategory category) const { return chipFor(category); }
};

} // namespace brevanta
