// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;

namespace brevanta {

/// The keyboard of a choice of one drawn as separate buttons, as of a group of radio buttons:
/// the group is one Tab stop, entered at the chosen button or, while none is chosen, at the
/// first; the arrow keys move to the next or previous button, round the ends, and choose it with
/// a click, as a pointer would; Space and Return choose the focused button (see AppKeyboard).
/// Buttons are added in reading order; the group lives as long as its parent.
class AppChoiceKeyboard final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppChoiceKeyboard)

public:
    explicit AppChoiceKeyboard(QObject* parent);

    void addButton(QAbstractButton* button);
    /// The button Tab enters the group at.
    QAbstractButton* tabStop() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAbstractButton*> reachable() const;
    void placeTabStop();

    QList<QPointer<QAbstractButton>> m_buttons;
};

} // namespace brevanta
