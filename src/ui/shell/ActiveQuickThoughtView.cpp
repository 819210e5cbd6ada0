// SPDX-License-Identifier: MIT
#include "ui/shell/ActiveQuickThoughtView.h"

#include "core/time/TextServices.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialInput.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

namespace brevanta {

ActiveQuickThoughtView::ActiveQuickThoughtView(SaveAction onSave, QWidget* parent)
    : QDialog(parent)
    , m_onSave(std::move(onSave)) {
    setObjectName(QStringLiteral("active-quick-thought"));
    setWindowTitle(QStringLiteral("Add Thought"));
    setFixedSize(480, 240);

    auto* title =
        new AppLabel(QStringLiteral("Add Thought"),
                     AppTypography::withWeight(AppTypography::title2Style(), QFont::Bold));
    auto* line = new AppLabel(QStringLiteral("Capture it now. Give it a place when you finish."),
                              AppTypography::secondaryBody(), AppColors::secondaryText());
    line->setWordWrap(true);
    AppAccessibility::exposeAsHeading(title);

    m_field = new QLineEdit;
    m_field->setObjectName(QStringLiteral("active-quick-thought-field"));
    m_field->setPlaceholderText(QStringLiteral("What are you working on?"));
    m_field->setAccessibleName(QStringLiteral("Thought"));
    m_field->setAccessibleDescription(m_field->placeholderText());
    m_field->setFont(AppTypography::body());
    EditorialInput::apply(m_field);

    m_cancel = new AppButton(QStringLiteral("Cancel"), AppButtonRole::toolbar);
    m_cancel->setObjectName(QStringLiteral("active-quick-thought-cancel"));
    m_add = new AppButton(QStringLiteral("Add Thought"), AppButtonRole::primary);
    m_add->setObjectName(QStringLiteral("active-quick-thought-add"));
    // Return in the field saves through the field itself, never by pressing a default button.
    m_add->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_add);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addWidget(m_field);
    layout->addStretch(1);
    layout->addLayout(buttons);

    auto* saveShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    auto* saveShortcutOnKeypad = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), this);
    connect(saveShortcut, &QShortcut::activated, this, &ActiveQuickThoughtView::save);
    connect(saveShortcutOnKeypad, &QShortcut::activated, this, &ActiveQuickThoughtView::save);
    connect(m_field, &QLineEdit::returnPressed, this, &ActiveQuickThoughtView::save);
    connect(m_field, &QLineEdit::textChanged, this, &ActiveQuickThoughtView::updateAddButton);
    connect(m_add, &QAbstractButton::clicked, this, &ActiveQuickThoughtView::save);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    updateAddButton();
    m_field->setFocus();
}

void ActiveQuickThoughtView::save() {
    const QString text = TextServices::trimmed(m_field->text());
    if (text.isEmpty())
        return;
    if (m_onSave)
        m_onSave(text);
}

void ActiveQuickThoughtView::updateAddButton() {
    m_add->setEnabled(!TextServices::trimmed(m_field->text()).isEmpty());
}

} // namespace brevanta
