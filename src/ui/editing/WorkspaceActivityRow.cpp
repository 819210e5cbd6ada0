// SPDX-License-Identifier: MIT
#include "ui/editing/WorkspaceActivityRow.h"

#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialRule.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/PracticeFields.h"

#include <QBoxLayout>

namespace brevanta {

namespace {

constexpr int minutesFieldWidth = 84;
constexpr int chipSpacing = 8;

} // namespace

WorkspaceActivityRow::WorkspaceActivityRow(const PracticeEntryDraft& entry, QWidget* parent)
    : QWidget(parent)
    , m_id(entry.id) {
    setObjectName(QStringLiteral("activity-row"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    m_title = PracticeFields::plain(
        QStringLiteral("What did you practise? (optional)"),
        AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
    m_title->setObjectName(QStringLiteral("activity-title"));
    m_title->setText(entry.title);
    titleRow->addWidget(m_title, 1);
    m_remove = new AppButton(QStringLiteral("Remove Activity"), QStringLiteral("xmark"),
                             AppButtonRole::compactIcon);
    m_remove->setObjectName(QStringLiteral("remove-activity"));
    m_remove->setIconOnly(true);
    m_remove->setAccessibleName(QStringLiteral("Remove Activity"));
    titleRow->addWidget(m_remove, 0, Qt::AlignVCenter);
    layout->addLayout(titleRow);

    QList<AdaptiveArrangement::Item> wide;
    QList<AdaptiveArrangement::Item> stacked;
    QList<QWidget*> chips;
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        auto* chip = new CapsuleChip(category.title(), category.symbolName(),
                                     AppColors::category(category), WorkspaceChipStyle::look());
        chip->setObjectName(QStringLiteral("category-chip"));
        connect(chip, &QAbstractButton::clicked, this,
                [this, category] { Q_EMIT categoryChosen(m_id, category); });
        m_chips[std::size_t(category.sortIndex())] = chip;
        chips.append(chip);
        wide.append(AdaptiveArrangement::item(chip, 0, Qt::AlignVCenter));
        stacked.append(AdaptiveArrangement::item(chip, 0, Qt::AlignLeft));
    }
    m_minutes = new CapsuleLineEdit(QStringLiteral("Minutes"), minutesFieldWidth);
    m_minutes->setObjectName(QStringLiteral("activity-minutes"));
    m_minutes->setAccessibleName(QStringLiteral("Optional activity minutes"));
    m_minutes->setText(entry.durationMinutesText);
    wide.append(AdaptiveArrangement::item(m_minutes, 0, Qt::AlignVCenter));
    wide.append(AdaptiveArrangement::flexibleSpace());
    stacked.append(AdaptiveArrangement::item(m_minutes, 0, Qt::AlignLeft));
    auto* groups = new AdaptiveArrangement;
    groups->addArrangement(Qt::Horizontal, chipSpacing, wide);
    groups->addArrangement(Qt::Vertical, chipSpacing,
                           {AdaptiveArrangement::row(chips, chipSpacing),
                            AdaptiveArrangement::item(m_minutes, 0, Qt::AlignLeft)});
    groups->addArrangement(Qt::Vertical, chipSpacing, stacked);
    layout->addWidget(groups);

    m_note = PracticeFields::plain(QStringLiteral("Activity note (optional)"),
                                   AppTypography::secondaryBody());
    m_note->setObjectName(QStringLiteral("activity-note"));
    m_note->setText(entry.notes);
    layout->addWidget(m_note);

    layout->addSpacing(6);
    layout->addWidget(new EditorialRule);

    setCategory(entry.category);
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT titleEdited(m_id, text); });
    connect(m_minutes, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT minutesEdited(m_id, text); });
    connect(m_note, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT noteEdited(m_id, text); });
    connect(m_remove, &QAbstractButton::clicked, this, [this] { Q_EMIT removeRequested(m_id); });
}

QLineEdit* WorkspaceActivityRow::minutesField() const {
    return m_minutes;
}

CapsuleChip* WorkspaceActivityRow::chip(PracticeCategory category) const {
    return m_chips[std::size_t(category.sortIndex())];
}

void WorkspaceActivityRow::setCategory(PracticeCategory category) {
    for (const PracticeCategory each : PracticeCategory::allCases())
        chip(each)->setChecked(each == category);
}

void WorkspaceActivityRow::setRemovable(bool removable) {
    m_remove->setVisible(removable);
}

} // namespace brevanta
