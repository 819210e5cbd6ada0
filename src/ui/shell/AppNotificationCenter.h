// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

namespace brevanta {

/// The application's own notification centre: a name posted here reaches every observer in the
/// process. The application owns the one instance and hands it to each window that posts or
/// observes; nothing reaches for it globally.
class AppNotificationCenter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppNotificationCenter)

public:
    /// Asks every open main window to choose practice history files for an import.
    static constexpr QStringView importPracticeHistory = u"Brevanta.importPracticeHistory";

    using QObject::QObject;

    /// Tells every observer, at once and on this thread; with no observer nothing happens.
    void post(QStringView name);

Q_SIGNALS:
    void posted(const QString& name);
};

} // namespace brevanta
