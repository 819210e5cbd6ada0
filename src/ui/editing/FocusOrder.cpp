// SPDX-License-Identifier: MIT
#include "ui/editing/FocusOrder.h"

#include <QList>
#include <QScrollArea>
#include <QWidget>

namespace brevanta {

namespace {

void collect(QWidget* widget, QList<QWidget*>& focusable) {
    for (QObject* child : widget->children()) {
        auto* each = qobject_cast<QWidget*>(child);
        if (!each || each->isWindow())
            continue;
        // A scroll area takes focus for scrolling only; what it holds is what Tab should reach.
        if ((each->focusPolicy() & Qt::TabFocus) && !qobject_cast<QScrollArea*>(each)) {
            focusable.append(each);
            continue;
        }
        collect(each, focusable);
    }
}

} // namespace

void FocusOrder::arrange(QWidget* root) {
    QList<QWidget*> focusable;
    collect(root, focusable);
    for (qsizetype index = 1; index < focusable.size(); ++index)
        QWidget::setTabOrder(focusable[index - 1], focusable[index]);
}

} // namespace brevanta
