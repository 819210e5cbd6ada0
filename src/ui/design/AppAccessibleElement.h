// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QWidget>
#include <QWindow>

namespace brevanta {

/// Something a widget paints for itself, such as a list's row or a day of a grid, as assistive
/// technology sees it: no object and no children of its own; its window and its parent are those
/// of the widget that paints it.
class AppAccessibleElement : public QAccessibleInterface {
public:
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        const QWidget* host = this->host();
        return host && host->window() ? host->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        QWidget* host = this->host();
        return host ? QAccessible::queryAccessibleInterface(host) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

protected:
    /// The widget that paints the element; null once it is gone.
    virtual QWidget* host() const = 0;
};

} // namespace brevanta
