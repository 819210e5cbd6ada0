// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/DurationInput.h"

#include <QWidget>

class QLineEdit;

namespace brevanta {

class AppLabel;
class AppSymbolView;

/// Edits a session's total minutes: a short field and, while the text is not a valid duration,
/// the reason beneath it. The field carries the practice-text-input mark, which keeps the
/// single-key practice shortcuts quiet while it has keyboard focus.
class DurationInputView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DurationInputView)

public:
    explicit DurationInputView(const DurationInput& input = DurationInput(),
                               QWidget* parent = nullptr);

    DurationInput durationInput() const;
    /// Shows `input` without announcing a change.
    void setDurationInput(const DurationInput& input);

    QLineEdit* field() const { return m_field; }
    /// The inline message on show, or nothing while the text is valid.
    std::optional<QString> shownMessage() const;

Q_SIGNALS:
    /// The user changed the text.
    void durationInputChanged(const brevanta::DurationInput& input);

private:
    void showValidation();

    QLineEdit* m_field = nullptr;
    QWidget* m_message = nullptr;
    AppLabel* m_messageText = nullptr;
    bool m_settingInput = false;
};

} // namespace brevanta
