// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>

class QMessageBox;
class QWidget;

namespace brevanta {

/// The alert a practice form shows when a save fails: "Couldn’t Save Session" inside the box, the
/// failure's description beneath, and one "OK" button that dismisses it (an AppAlert). Window-modal
/// over `parent`, non-blocking, deleted once dismissed. Tests find it as the child named
/// "save-error-alert".
struct SaveErrorAlert {
    static constexpr auto objectName = "save-error-alert";

    /// Opens the alert; an empty message reads "Unknown error".
    static QMessageBox* open(QWidget* parent, const QString& message);
    /// The same alert under another title, for a failure that is not a form's save ("Couldn’t
    /// Delete Session").
    static QMessageBox* open(QWidget* parent, const QString& title, const QString& message);

    /// The sentence to show for a failure: a journal error's own description, else the text the
    /// exception carries.
    static QString description(const std::exception& error);
};

} // namespace brevanta
