// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticeEntryDraft.h"
#include "ui/editing/PracticeItemRow.h"

namespace brevanta {

/// One activity of the log and edit form: its title, its practice group, optional minutes and
/// an optional note, with a button to remove it while the form has more than one.
class WorkspaceActivityRow : public PracticeItemRow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkspaceActivityRow)

public:
    explicit WorkspaceActivityRow(const PracticeEntryDraft& entry, QWidget* parent = nullptr);

    QUuid entryId() const { return id(); }
    QLineEdit* noteField() const { return m_note; }
    CapsuleChip* chip(PracticeCategory category) const { return chipFor(category); }

    void setRemovable(bool removable);

Q_SIGNALS:
    void noteEdited(const QUuid& id, const QString& note);

protected:
    void refreshAccessibleNames() override;

private:
    QLineEdit* m_note = nullptr;
};

} // namespace brevanta
