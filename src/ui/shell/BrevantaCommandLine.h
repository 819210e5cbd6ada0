// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace brevanta {

/// What the command line asks of Brevanta: `brevanta [options] [FILE.csv…]`.
struct BrevantaCommandLine {
    enum class Request {
        /// Start (or hand the files to the Brevanta that already runs).
        run,
        /// Print `output` on standard output and end successfully (--help, --version).
        answer,
        /// Print `output` on standard error and end with a failure (an unknown option…).
        usageError,
    };

    Request request = Request::run;
    QString output;
    /// "-ui-testing": the journal in memory only.
    bool isUiTesting = false;
    /// "--design-gallery" (with "--dark"): a developer's look at the visual vocabulary.
    bool showsDesignGallery = false;
    bool designGalleryIsDark = false;
    /// The practice history files to review for import, made absolute against the folder the
    /// command ran in.
    QStringList filePaths;

    /// Reads `arguments` (the program first) as given to the process, Qt's own options removed.
    static BrevantaCommandLine parse(const QStringList& arguments, const QString& workingFolder);
    /// The exit status for a request that ends the process.
    int exitCode() const;
};

} // namespace brevanta
