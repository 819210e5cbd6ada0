// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppButtonRole.h"

#include <QMessageBox>

namespace brevanta {

class AppButton;

/// Alerts and confirmations in the vocabulary: the title stands inside the box, in the headline
/// style, because window titles are not shown on every desktop; the message follows beneath; the
/// brand mark takes the place of the toolkit's warning and error icons; buttons are the
/// vocabulary's, in their roles. Every alert and confirmation of every screen is made here.
struct AppAlert {
    /// A window-modal alert over `parent`, not yet shown, deleted once closed.
    static QMessageBox* make(QWidget* parent, const QString& title, const QString& message);

    /// Adds a button to `alert`. `role` is the box's meaning of the button (accept, reject,
    /// destructive); `look` how it is drawn.
    static AppButton* addButton(QMessageBox* alert, const QString& text, AppButtonRole look,
                                QMessageBox::ButtonRole role);

    /// A confirmation of something that cannot be undone: `actionText` in the destructive look and
    /// role, beside "Cancel", which is the default and what Escape chooses.
    static AppButton* addDestructiveChoice(QMessageBox* alert, const QString& actionText);
};

} // namespace brevanta
