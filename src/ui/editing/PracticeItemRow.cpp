// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeItemRow.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppTypography.h"
#include "ui/editing/PracticeFields.h"

#include <QBoxLayout>

namespace brevanta {

PracticeItemRow::PracticeItemRow(const QUuid& id, const Texts& texts,
                                 const CategoryMinutesPicker::Options& picker, QWidget* parent)
    : QWidget(parent)
    , m_id(id)
    , m_texts(texts)
    , m_minutesAccessibleName(picker.minutesAccessibleName) {
    setObjectName(texts.rowObjectName);
    m_column = new QVBoxLayout(this);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(10);

    auto* titleLine = new QHBoxLayout;
    titleLine->setSpacing(8);
    m_title = PracticeFields::plain(
        texts.titlePlaceholder,
        AppTypography::withWeight(AppTypography::editorialBody(), QFont::Medium));
    m_title->setObjectName(texts.titleObjectName);
    m_title->setAccessibleName(texts.titleAccessibleName);
    m_title->setAccessibleDescription(texts.titlePlaceholder);
    titleLine->addWidget(m_title, 1);
    m_remove =
        new AppButton(texts.removeLabel, QStringLiteral("xmark"), AppButtonRole::compactIcon);
    m_remove->setObjectName(texts.removeObjectName);
    m_remove->setIconOnly(true);
    titleLine->addWidget(m_remove, 0, Qt::AlignVCenter);
    m_column->addLayout(titleLine);

    m_picker = new CategoryMinutesPicker(picker);
    m_column->addWidget(m_picker);

    connect(m_title, &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT titleEdited(m_id, text); });
    connect(m_title, &QLineEdit::textChanged, this, &PracticeItemRow::refreshAccessibleNames);
    connect(m_picker, &CategoryMinutesPicker::categoryChosen, this,
            [this](PracticeCategory category) { Q_EMIT categoryChosen(m_id, category); });
    connect(m_picker->minutesField(), &QLineEdit::textEdited, this,
            [this](const QString& text) { Q_EMIT minutesEdited(m_id, text); });
    connect(m_remove, &QAbstractButton::clicked, this, [this] { Q_EMIT removeRequested(m_id); });
    refreshAccessibleNames();
}

QString PracticeItemRow::accessibleRowName() const {
    const QString title = m_title->text().trimmed();
    return title.isEmpty() ? m_texts.untitledRowName : title;
}

void PracticeItemRow::refreshAccessibleNames() {
    const QString row = accessibleRowName();
    m_remove->setAccessibleName(AppAccessibility::rowScopedName(m_texts.removeLabel, row));
    for (const PracticeCategory category : PracticeCategory::allCases())
        m_picker->chip(category)->setAccessibleName(
            AppAccessibility::rowScopedName(category.title(), row));
    m_picker->minutesField()->setAccessibleName(
        AppAccessibility::rowScopedName(m_minutesAccessibleName, row));
}

QLineEdit* PracticeItemRow::minutesField() const {
    return m_picker->minutesField();
}

void PracticeItemRow::setCategory(std::optional<PracticeCategory> category) {
    m_picker->setCategory(category);
}

} // namespace brevanta
