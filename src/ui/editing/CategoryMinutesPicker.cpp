// SPDX-License-Identifier: MIT
#include "ui/editing/CategoryMinutesPicker.h"

#include "ui/design/AppChoiceKeyboard.h"
#include "ui/design/AppColors.h"
#include "ui/editing/PracticeFields.h"

namespace brevanta {

CategoryMinutesPicker::CategoryMinutesPicker(const Options& options, QWidget* parent)
    : AdaptiveArrangement(parent) {
    QList<AdaptiveArrangement::Item> wide;
    QList<AdaptiveArrangement::Item> stacked;
    QList<QWidget*> chips;
    auto* keyboard = new AppChoiceKeyboard(this);
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        auto* chip = new CapsuleChip(category.title(), category.symbolName(),
                                     AppColors::category(category), options.chipLook);
        chip->setObjectName(options.chipObjectName);
        connect(chip, &QAbstractButton::clicked, this,
                [this, category] { Q_EMIT categoryChosen(category); });
        m_chips[std::size_t(category.sortIndex())] = chip;
        keyboard->addButton(chip);
        chips.append(chip);
        wide.append(item(chip, 0, Qt::AlignVCenter));
        stacked.append(item(chip, 0, Qt::AlignLeft));
    }
    m_minutes = new CapsuleLineEdit(QStringLiteral("Minutes"), options.minutesWidth);
    m_minutes->setObjectName(options.minutesObjectName);
    m_minutes->setAccessibleName(options.minutesAccessibleName);
    wide.append(item(m_minutes, 0, Qt::AlignVCenter));
    wide.append(flexibleSpace());
    stacked.append(item(m_minutes, 0, Qt::AlignLeft));
    addArrangement(Qt::Horizontal, options.spacing, wide);
    addArrangement(Qt::Vertical, options.spacing,
                   {row(chips, options.spacing), item(m_minutes, 0, Qt::AlignLeft)});
    addArrangement(Qt::Vertical, options.spacing, stacked);
}

void CategoryMinutesPicker::setCategory(std::optional<PracticeCategory> category) {
    for (const PracticeCategory each : PracticeCategory::allCases())
        chip(each)->setChecked(category && *category == each);
}

} // namespace brevanta
