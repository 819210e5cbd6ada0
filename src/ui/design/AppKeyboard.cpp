// SPDX-License-Identifier: MIT
#include "ui/design/AppKeyboard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

namespace brevanta {

namespace {

bool isPlainKey(const QKeyEvent* event, int key) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return event->key() == key && modifiers == Qt::NoModifier;
}

bool isReturn(const QKeyEvent* event) {
    return isPlainKey(event, Qt::Key_Return) || isPlainKey(event, Qt::Key_Enter);
}

/// A button that does not press itself on Return: a push button that is neither the default
/// nor an auto-default one, or any other kind but the check and radio boxes, where Return
/// belongs to the dialog's default button.
QAbstractButton* buttonPressedByReturn(QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (!button || !button->hasFocus() || !button->isEnabled())
        return nullptr;
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
        return nullptr;
    if (const auto* push = qobject_cast<QPushButton*>(button);
        push && (push->autoDefault() || push->isDefault()))
        return nullptr;
    return button;
}

class KeyboardConventions final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Accepting the override hands the key to the focused control instead of a shortcut.
            const auto* key = static_cast<QKeyEvent*>(event);
            auto* widget = qobject_cast<QWidget*>(watched);
            if (isPlainKey(key, Qt::Key_Space) && widget && widget->hasFocus() &&
                AppKeyboard::usesSpace(widget)) {
                event->accept();
                return true;
            }
            break;
        }
        case QEvent::KeyPress:
            if (isReturn(static_cast<QKeyEvent*>(event))) {
                if (QAbstractButton* button = buttonPressedByReturn(watched)) {
                    button->click();
                    return true;
                }
            }
            break;
        case QEvent::Polish:
            if (auto* area = qobject_cast<QScrollArea*>(watched);
                area && (area->focusPolicy() & Qt::TabFocus) && area->accessibleName().isEmpty())
                area->setFocusPolicy(Qt::ClickFocus);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void AppKeyboard::install() {
    static QPointer<KeyboardConventions> installed;
    if (installed || !qApp)
        return;
    installed = new KeyboardConventions(qApp);
    qApp->installEventFilter(installed);
}

bool AppKeyboard::usesSpace(const QWidget* widget) {
    if (!widget || !widget->isEnabled())
        return false;
    if (qobject_cast<const QAbstractButton*>(widget) ||
        qobject_cast<const QAbstractItemView*>(widget))
        return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return !combo->isEditable();
    return false;
}

} // namespace brevanta
