// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brevanta::testing {

/// The next widget in the focus chain after `widget` that takes Tab focus, passing over hidden
/// ones when `shownOnly` (rows still sliding in are not shown yet, but hold their place).
inline QWidget* nextTabStop(QWidget* widget, bool shownOnly = false) {
    do
        widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus) || (shownOnly && !widget->isVisible()));
    return widget;
}

} // namespace brevanta::testing
