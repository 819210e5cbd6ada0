// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeCSVParser.h"
#include "core/import/PracticeImportCandidate.h"
#include "core/time/Calendar.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace brevanta {

/// Reads and parses the files the user chose to import. A file that cannot be read or parsed
/// becomes a result with its error and never stops the others. Safe from any thread.
struct PracticeImportFileLoader {
    /// Larger than any monthly sheet could be; such a file is refused before it is read.
    static constexpr qint64 largestFileSize = 32 * 1024 * 1024;

    /// The error of a file over `largestFileSize`.
    static QString tooLargeMessage();
    /// The error of a pipe, socket or device chosen as a file; it is refused without being opened.
    static QString notAFileMessage();

    /// The whole file at `path`, parsed with its days checked in `calendar`. The result is named
    /// after the path's last component; its error is the system's reason when the file cannot be
    /// read (missing, no permission, a folder), notAFileMessage(), tooLargeMessage(), or the
    /// parser's description.
    static PracticeImportFileResult load(const QString& path, const Calendar& calendar,
                                         const PracticeCSVParser::Options& options = {});

    /// load() for each path in order, with the options of the same index (the default ones
    /// past the end); stops early, returning what it has, once `isCancelled` answers true.
    static std::vector<PracticeImportFileResult>
    loadAll(const QStringList& paths, const Calendar& calendar,
            const std::function<bool()>& isCancelled = {},
            const std::vector<PracticeCSVParser::Options>& options = {});
};

} // namespace brevanta
