// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace brevanta {

/// Asks the user for the practice history files to import: several at once, CSV only.
class PracticeHistoryFileChooser {
public:
    using Completion = std::function<void(const QStringList& filePaths)>;

    virtual ~PracticeHistoryFileChooser() = default;

    /// Opens the chooser over `window` without blocking and calls `done` exactly once, with the
    /// chosen files or with nothing when the user cancels or the choice fails.
    virtual void chooseFiles(QWidget* window, Completion done) = 0;

    /// The paths of `filePaths` whose extension is "csv" in any case, in their order.
    static QStringList csvFilesOnly(const QStringList& filePaths);
};

/// The platform's file dialog, as a sheet over the window. It opens where the files chosen last
/// came from: this month's sheet usually sits beside last month's.
class DialogPracticeHistoryFileChooser final : public PracticeHistoryFileChooser {
public:
    void chooseFiles(QWidget* window, Completion done) override;

private:
    // Shared with an open dialog, which may still answer after this chooser is gone.
    std::shared_ptr<QString> m_lastFolder = std::make_shared<QString>();
};

} // namespace brevanta
