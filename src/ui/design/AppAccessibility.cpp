// SPDX-License-Identifier: MIT
#include "ui/design/AppAccessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPushButton>

namespace brevanta {

namespace {

constexpr auto roleProperty = "brevantaAccessibleRole";

enum class ExposedRole { choice = 1, heading = 2, disclosure = 3, button = 4 };

QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

/// Whether `description` only says again what `name` says: the name itself, or the control's
/// part of a name scoped to its row ("Remove" beside "Remove, Scales in D major").
bool repeatsName(const QString& description, const QString& name) {
    const QString said = description.trimmed();
    if (said.isEmpty())
        return false;
    // rowScopedName() joins the control and the row with ", ".
    return name.trimmed().compare(said, Qt::CaseInsensitive) == 0 ||
           name.startsWith(said + QStringLiteral(", "), Qt::CaseInsensitive);
}

/// A button of the vocabulary as assistive technology sees it: named by its text, and pressed or
/// toggled only by a click, as the pointer gives, so its owner decides what follows.
class ClickedButtonInterface : public QAccessibleWidget {
public:
    ClickedButtonInterface(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return withoutMnemonic(button()->text());
        // An icon button's tooltip is its name; read as the description too, a screen reader
        // would say every such button twice.
        if (kind == QAccessible::Description) {
            const QString description = QAccessibleWidget::text(kind);
            return repeatsName(description, text(QAccessible::Name)) ? QString() : description;
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name == pressAction() || name == toggleAction()) {
            if (button()->isEnabled())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

protected:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

class ChoiceInterface final : public ClickedButtonInterface {
public:
    explicit ChoiceInterface(QAbstractButton* button)
        : ClickedButtonInterface(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }
};

/// A button that shows or hides a group: read as "expanded" or "collapsed", never as a ticked box.
class DisclosureInterface final : public ClickedButtonInterface {
public:
    explicit DisclosureInterface(QAbstractButton* button)
        : ClickedButtonInterface(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = button()->isChecked();
        state.collapsed = !button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }
};

/// A push button, read as the toolkit reads one (a menu button offers its menu), with the
/// description rule of every button of the vocabulary.
class PushButtonInterface final : public ClickedButtonInterface {
public:
    explicit PushButtonInterface(QAbstractButton* button)
        : ClickedButtonInterface(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return menuButton() ? QAccessible::ButtonMenu : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        if (const auto* push = qobject_cast<const QPushButton*>(button())) {
            state.defaultButton = push->isDefault();
            state.hasPopup = push->menu() != nullptr;
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled()) {
            if (menuButton()) {
                names << showMenuAction();
            } else {
                if (button()->isCheckable())
                    names << toggleAction();
                names << pressAction();
            }
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name == showMenuAction()) {
            if (QPushButton* push = menuButton(); push && push->isEnabled())
                push->showMenu();
            return;
        }
        ClickedButtonInterface::doAction(name);
    }

private:
    QPushButton* menuButton() const {
        auto* push = qobject_cast<QPushButton*>(button());
        return push && push->menu() ? push : nullptr;
    }
};

class HeadingInterface final : public QAccessibleWidget {
public:
    explicit HeadingInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Heading) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* exposedInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    switch (ExposedRole(role.toInt())) {
    case ExposedRole::choice:
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return new ChoiceInterface(button);
        return nullptr;
    case ExposedRole::heading:
        return new HeadingInterface(widget);
    case ExposedRole::disclosure:
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return new DisclosureInterface(button);
        return nullptr;
    case ExposedRole::button:
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return new PushButtonInterface(button);
        return nullptr;
    }
    return nullptr;
}

bool isExposedAs(QAccessibleInterface* interface, ExposedRole role) {
    switch (role) {
    case ExposedRole::choice:
        return dynamic_cast<ChoiceInterface*>(interface) != nullptr;
    case ExposedRole::heading:
        return dynamic_cast<HeadingInterface*>(interface) != nullptr;
    case ExposedRole::disclosure:
        return dynamic_cast<DisclosureInterface*>(interface) != nullptr;
    case ExposedRole::button:
        return dynamic_cast<PushButtonInterface*>(interface) != nullptr;
    }
    return false;
}

void expose(QWidget* widget, ExposedRole role) {
    // Installed late, after the toolkit's own factory, so it is asked first even for plain
    // toolkit classes.
    static const bool installed = [] {
        QAccessible::installFactory(&exposedInterface);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(roleProperty, int(role));
    // The toolkit may already have made and kept an interface while the widget was being built
    // (a label does as it takes its text); drop it so the next query makes the right one.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(widget);
        cached && !isExposedAs(cached, role))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

} // namespace

void AppAccessibility::exposeAsChoice(QAbstractButton* button) {
    expose(button, ExposedRole::choice);
}

void AppAccessibility::exposeAsButton(QAbstractButton* button) {
    expose(button, ExposedRole::button);
}

void AppAccessibility::exposeAsHeading(QWidget* widget) {
    expose(widget, ExposedRole::heading);
}

void AppAccessibility::exposeAsDisclosure(QAbstractButton* button) {
    expose(button, ExposedRole::disclosure);
    // A screen reader hears the group open or close, whoever opened it.
    QObject::connect(button, &QAbstractButton::toggled, button, [button] {
        QAccessible::State changed;
        changed.expanded = true;
        changed.collapsed = true;
        QAccessibleStateChangeEvent event(button, changed);
        QAccessible::updateAccessibility(&event);
    });
}

QString AppAccessibility::rowScopedName(const QString& control, const QString& row) {
    return row.isEmpty() ? control : control + QStringLiteral(", ") + row;
}

} // namespace brevanta
