// SPDX-License-Identifier: MIT
#include "ui/editing/DurationInputView.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialInput.h"
#include "ui/editing/PracticeTextInput.h"

#include <QBoxLayout>
#include <QFontInfo>
#include <QLineEdit>

namespace brevanta {

namespace {

constexpr int fieldMaximumWidth = 120;

} // namespace

DurationInputView::DurationInputView(const DurationInput& input, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    m_field = new QLineEdit(input.minutesText());
    m_field->setObjectName(QStringLiteral("duration-minutes"));
    m_field->setPlaceholderText(QStringLiteral("Minutes"));
    m_field->setAccessibleName(QStringLiteral("Minutes"));
    m_field->setFont(AppTypography::withMonospacedDigits(AppTypography::body()));
    m_field->setMaximumWidth(fieldMaximumWidth);
    PracticeTextInput::mark(m_field);
    EditorialInput::apply(m_field);
    layout->addWidget(m_field, 0, Qt::AlignLeft);

    m_message = new QWidget;
    m_message->setObjectName(QStringLiteral("duration-validation-message"));
    auto* message = new QHBoxLayout(m_message);
    message->setContentsMargins(0, 0, 0, 0);
    message->setSpacing(4);
    const QFont caption = AppTypography::caption();
    message->addWidget(new AppSymbolView(QStringLiteral("exclamationmark.circle"),
                                         QFontInfo(caption).pixelSize(), AppColors::destructive()));
    m_messageText = new AppLabel(QString(), caption, AppColors::destructive());
    message->addWidget(m_messageText);
    message->addStretch(1);
    layout->addWidget(m_message);

    connect(m_field, &QLineEdit::textChanged, this, [this] {
        showValidation();
        if (!m_settingInput)
            Q_EMIT durationInputChanged(durationInput());
    });
    showValidation();
}

DurationInput DurationInputView::durationInput() const {
    return DurationInput(m_field->text());
}

void DurationInputView::setDurationInput(const DurationInput& input) {
    m_settingInput = true;
    if (m_field->text() != input.minutesText())
        m_field->setText(input.minutesText());
    m_settingInput = false;
    showValidation();
}

std::optional<QString> DurationInputView::shownMessage() const {
    if (m_message->isHidden())
        return std::nullopt;
    return m_messageText->text();
}

void DurationInputView::showValidation() {
    const std::optional<QString> message = durationInput().validationMessage();
    m_messageText->setText(message.value_or(QString()));
    m_message->setVisible(message.has_value());
    m_field->setAccessibleDescription(message.value_or(QString()));
}

} // namespace brevanta
