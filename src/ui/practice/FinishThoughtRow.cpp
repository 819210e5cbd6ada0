// SPDX-License-Identifier: MIT
#include "ui/practice/FinishThoughtRow.h"

#include <QLineEdit>

namespace brevanta {

FinishThoughtRow::FinishThoughtRow(const FinishThoughtDraft& thought, QWidget* parent)
    : PracticeItemRow(thought.id,
                      {.rowObjectName = QStringLiteral("finish-thought-row"),
                       .titlePlaceholder = QStringLiteral("What did you practise?"),
                       .titleObjectName = QStringLiteral("finish-thought-title"),
                       .removeLabel = QStringLiteral("Remove"),
                       .removeObjectName = QStringLiteral("remove-finish-thought"),
                       .titleAccessibleName = QStringLiteral("Thought"),
                       .untitledRowName = QStringLiteral("untitled thought")},
                      {.chipObjectName = QStringLiteral("finish-category"),
                       .chipLook = FinishCategoryButtonStyle::look(),
                       .minutesObjectName = QStringLiteral("finish-thought-minutes"),
                       .minutesAccessibleName = QStringLiteral("Optional minutes"),
                       .minutesWidth = 64,
                       .spacing = 12},
                      parent) {
    titleField()->setText(thought.title);
    titleField()->setCursorPosition(0);
    minutesField()->setText(thought.durationMinutesText);
    setCategory(thought.category);
}

} // namespace brevanta
