// SPDX-License-Identifier: MIT
#include "ui/design/AppChoiceKeyboard.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>

namespace brevanta {

AppChoiceKeyboard::AppChoiceKeyboard(QObject* parent)
    : QObject(parent) {}

void AppChoiceKeyboard::addButton(QAbstractButton* button) {
    m_buttons.append(button);
    button->installEventFilter(this);
    // Whoever makes the choice (a click, the owner, an accessibility action), Tab follows it.
    connect(button, &QAbstractButton::toggled, this, &AppChoiceKeyboard::placeTabStop);
    placeTabStop();
}

QList<QAbstractButton*> AppChoiceKeyboard::reachable() const {
    QList<QAbstractButton*> buttons;
    for (const QPointer<QAbstractButton>& button : m_buttons) {
        if (button && button->isEnabled() && !button->isHidden())
            buttons.append(button);
    }
    return buttons;
}

QAbstractButton* AppChoiceKeyboard::tabStop() const {
    const QList<QAbstractButton*> buttons = reachable();
    for (QAbstractButton* button : buttons) {
        if (button->isChecked())
            return button;
    }
    return buttons.isEmpty() ? nullptr : buttons.first();
}

void AppChoiceKeyboard::placeTabStop() {
    // As the toolkit does for radio buttons: the buttons Tab must pass over take no focus from
    // it; the arrow keys still reach them.
    const QAbstractButton* stop = tabStop();
    for (const QPointer<QAbstractButton>& button : m_buttons) {
        if (button)
            button->setFocusPolicy(button == stop ? Qt::TabFocus : Qt::NoFocus);
    }
}

bool AppChoiceKeyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        placeTabStop();
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            break;
        int step = 0;
        if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down)
            step = 1;
        else if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up)
            step = -1;
        const QList<QAbstractButton*> buttons = reachable();
        const qsizetype at = buttons.indexOf(static_cast<QAbstractButton*>(watched));
        if (step == 0 || at < 0)
            break;
        QAbstractButton* next = buttons[(at + step + buttons.size()) % buttons.size()];
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        if (!next->isChecked())
            next->click();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brevanta
