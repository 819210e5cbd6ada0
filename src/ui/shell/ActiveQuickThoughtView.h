// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace brevanta {

class AppButton;

/// The sheet that catches a thought while practising, without opening the practice room.
class ActiveQuickThoughtView final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActiveQuickThoughtView)

public:
    /// Receives the thought, trimmed and never empty.
    using SaveAction = std::function<void(const QString& text)>;

    explicit ActiveQuickThoughtView(SaveAction onSave, QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    AppButton* addButton() const { return m_add; }
    AppButton* cancelButton() const { return m_cancel; }

    /// Hands the trimmed thought to the save action; with nothing but white space, does nothing
    /// and leaves the sheet open.
    void save();

private:
    void updateAddButton();

    SaveAction m_onSave;
    QLineEdit* m_field = nullptr;
    AppButton* m_add = nullptr;
    AppButton* m_cancel = nullptr;
};

} // namespace brevanta
