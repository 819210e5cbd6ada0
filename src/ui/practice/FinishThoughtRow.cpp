// SPDX-License-Identifier: MIT
#include "ui/practice/FinishThoughtRow.h"

#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/PracticeFields.h"

#include <QBoxLayout>

namespace brevanta {

namespace {

constexpr int minutesFieldWidth = 64;
constexpr int controlSpacing = 12;

} // namespace

FinishThoughtRow::FinishThoughtRow(const FinishThoughtDraft& thought, QWidget* parent)
    : QWidget(parent)
    , m_id(thought.id) {
    setObjectName(QStringLiteral("finish-thought-row"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    m_title = PracticeFields::plain(
        QStringLiteral("What did you practise?"),
        AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
    m_title->setObjectName(QStringLiteral("finish-thought-title"));
    m_title->setText(thought.title);
    m_title->setCursorPosition(0);
    titleRow->addWidget(m_title, 1);
    m_remove = new AppButton(QStringLiteral("Remove"), QStringLiteral("xmark"),
                             AppButtonRole::compactIcon);
    m_remove->setObjectName(QStringLiteral("remove-finish-thought"));
    m_remove->setIconOnly(true);
    m_remove->setAccessibleName(QStringLiteral("Remove"));
    titleRow->addWidget(m_remove, 0, Qt::AlignVCenter);
    layout->addLayout(titleRow);

    QList<AdaptiveArrangement::Item> wide;
    QList<AdaptiveArrangement::Item> stacked;
    QList<QWidget*> chips;
    for (const PracticeCategory category : PracticeCategory::allCases()) {
        auto* button =
            new CapsuleChip(category.title(), category.symbolName(), AppColors::category(category),
                            FinishCategoryButtonStyle::look());
        button->setObjectName(QStringLiteral("finish-category"));
        connect(button, &QAbstractButton::clicked, this,
                [this, category] { Q_EMIT categoryChosen(m_id, category); });
        m_categories[std::size_t(category.sortIndex())] = button;
        chips.append(button);
        wide.append(AdaptiveArrangement::item(button, 0, Qt::AlignVCenter));
        stacked.append(AdaptiveArrangement::item(button, 0, Qt::AlignLeft));
    }
    m_minutes = new CapsuleLineEdit(QStringLiteral("Minutes"), minutesFieldWidth);
    m_minutes->setObjectName(QStringLiteral("finish-thought-minutes"));
    m_minutes->setAccessibleName(QStringLiteral("Optional minutes"));
    m_minutes->setText(thought.durationMinutesText);
    wide.append(AdaptiveArrangement::item(m_minutes, 0, Qt::AlignVCenter));
    wide.append(AdaptiveArrangement::flexibleSpace());
    stacked.append(AdaptiveArrangement::item(m_minutes, 0, Qt::AlignLeft));
    auto* controls = new AdaptiveArrangement;
    controls->addArrangement(Qt::Horizontal, controlSpacing, wide);
    controls->addArrangement(Qt::Vertical, controlSpacing,
                             {AdaptiveArrangement::row(chips, controlSpacing),
                              AdaptiveArrangement::item(m_minutes, 0, Qt::AlignLeft)});
    controls->addArrangement(Qt::Vertical, controlSpacing, stacked);
    layout->addWidget(controls);

    setCategory(thought.category);
    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT titleEdited(m_id, text); });
    connect(m_minutes, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT minutesEdited(m_id, text); });
    connect(m_remove, &QAbstractButton::clicked, this, [this] { Q_EMIT removeRequested(m_id); });
}

QLineEdit* FinishThoughtRow::minutesField() const {
    return m_minutes;
}

CapsuleChip* FinishThoughtRow::categoryButton(PracticeCategory category) const {
    return m_categories[std::size_t(category.sortIndex())];
}

void FinishThoughtRow::setCategory(std::optional<PracticeCategory> category) {
    for (const PracticeCategory each : PracticeCategory::allCases())
        categoryButton(each)->setChecked(category && *category == each);
}

} // namespace brevanta
