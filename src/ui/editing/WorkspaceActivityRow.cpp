// SPDX-License-Identifier: MIT
#include "ui/editing/WorkspaceActivityRow.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialRule.h"
#include "ui/editing/PracticeFields.h"

#include <QBoxLayout>

namespace brevanta {

WorkspaceActivityRow::WorkspaceActivityRow(const PracticeEntryDraft& entry, QWidget* parent)
    : PracticeItemRow(entry.id,
                      {.rowObjectName = QStringLiteral("activity-row"),
                       .titlePlaceholder = QStringLiteral("What did you practise? (optional)"),
                       .titleObjectName = QStringLiteral("activity-title"),
                       .removeLabel = QStringLiteral("Remove Activity"),
                       .removeObjectName = QStringLiteral("remove-activity"),
                       .titleAccessibleName = QStringLiteral("Activity"),
                       .untitledRowName = QStringLiteral("untitled activity")},
                      {.chipObjectName = QStringLiteral("category-chip"),
                       .chipLook = WorkspaceChipStyle::look(),
                       .minutesObjectName = QStringLiteral("activity-minutes"),
                       .minutesAccessibleName = QStringLiteral("Optional activity minutes"),
                       .minutesWidth = 84,
                       .spacing = 8},
                      parent) {
    titleField()->setText(entry.title);
    minutesField()->setText(entry.durationMinutesText);

    m_note = PracticeFields::plain(QStringLiteral("Activity note (optional)"),
                                   AppTypography::secondaryBody());
    m_note->setObjectName(QStringLiteral("activity-note"));
    m_note->setAccessibleDescription(m_note->placeholderText());
    m_note->setText(entry.notes);
    column()->addWidget(m_note);

    column()->addSpacing(6);
    column()->addWidget(new EditorialRule);

    setCategory(entry.category);
    refreshAccessibleNames();
    connect(m_note, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT noteEdited(id(), text); });
}

void WorkspaceActivityRow::refreshAccessibleNames() {
    PracticeItemRow::refreshAccessibleNames();
    if (m_note)
        m_note->setAccessibleName(
            AppAccessibility::rowScopedName(QStringLiteral("Activity note"), accessibleRowName()));
}

void WorkspaceActivityRow::setRemovable(bool removable) {
    removeButton()->setVisible(removable);
}

} // namespace brevanta
