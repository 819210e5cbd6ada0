// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/FirstFitContainer.h"

#include <QList>
#include <QPointer>

namespace brevanta {

/// One set of controls in several arrangements, side by side when that fits the width offered
/// and stacked otherwise: a first-fit container whose variants share the same widgets. The
/// widgets move into whichever arrangement is on show, keeping their state and keyboard focus,
/// so a text field being typed into stays the same field.
class AdaptiveArrangement : public FirstFitContainer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdaptiveArrangement)

public:
    struct Item {
        /// Null for a flexible space, or for a row of `row`.
        QWidget* widget = nullptr;
        int stretch = 0;
        Qt::Alignment alignment = {};
        /// The width this item asks for when measuring whether the arrangement fits; its size
        /// hint when negative.
        int idealWidth = -1;
        /// Widgets side by side, leading-aligned, as one item of a stacked arrangement.
        QList<QWidget*> row;
        int rowSpacing = 0;
    };

    static Item item(QWidget* widget, int stretch = 0, Qt::Alignment alignment = {},
                     int idealWidth = -1) {
        return {widget, stretch, alignment, idealWidth, {}, 0};
    }
    static Item flexibleSpace() { return {nullptr, 1, {}, -1, {}, 0}; }
    static Item row(const QList<QWidget*>& widgets, int spacing) {
        return {nullptr, 0, {}, -1, widgets, spacing};
    }

    explicit AdaptiveArrangement(QWidget* parent = nullptr);

    /// Appends an arrangement in preference order; the first added is the one wanted most.
    void addArrangement(Qt::Orientation orientation, int spacing, const QList<Item>& items);

    /// The orientation of the arrangement on show.
    Qt::Orientation currentOrientation() const;

private:
    void adopt(QWidget* variant);
};

} // namespace brevanta
