// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

namespace brevanta {

/// How the vocabulary's custom controls reach assistive technology. Qt exposes a checkable
/// button as a check box and a label as plain text; screen readers then announce a choice of one
/// as independent boxes and cannot find a page's sections. These helpers give such widgets the
/// role they have for a person.
struct AppAccessibility {
    /// Exposes `button` as one radio button of an exclusive choice. Its press and toggle actions
    /// click it, exactly as a pointer would, so the owner makes the choice as for a click; they
    /// never flip the checked state behind the owner's back.
    static void exposeAsChoice(QAbstractButton* button);
    /// Exposes `button` as a push button whose description is left out where it only repeats
    /// the name, as an icon button's tooltip does. Its press action clicks it.
    static void exposeAsButton(QAbstractButton* button);
    /// Exposes `widget` (a label) as a heading, so a screen reader can move between sections.
    static void exposeAsHeading(QWidget* widget);
    /// Exposes a checkable `button` that opens and closes the group beneath it as a button with
    /// an expanded or collapsed state (checked means open), not as a check box. Its press and
    /// toggle actions click it, as a pointer would.
    static void exposeAsDisclosure(QAbstractButton* button);

    /// The name of a control repeated on every row of a list, with the row it acts on:
    /// "Remove Thought, Scales in D major".
    static QString rowScopedName(const QString& control, const QString& row);
};

} // namespace brevanta
