// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeTextInput.h"

#include <QWidget>

namespace brevanta {

namespace {

constexpr auto markerProperty = "brevantaPracticeTextInput";

} // namespace

void PracticeTextInput::mark(QWidget* field) {
    field->setProperty(markerProperty, true);
}

bool PracticeTextInput::isMarked(const QWidget* widget) {
    return widget && widget->property(markerProperty).toBool();
}

bool PracticeTextInput::suppressesPracticeShortcuts(const QWidget* focusWidget) {
    for (const QWidget* widget = focusWidget; widget; widget = widget->parentWidget()) {
        if (isMarked(widget))
            return true;
        if (widget->isWindow())
            break;
    }
    return false;
}

} // namespace brevanta
