// SPDX-License-Identifier: MIT
#pragma once

#include "core/store/StoreError.h"
#include "core/time/Calendar.h"
#include "core/time/Instant.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace brevanta {

class JournalStore;

/// Copies of the journal file taken before a bulk change (an import), in a "Backups" folder
/// beside the journal, owner-only, named by the local date and time they were made at. Restoring
/// one is a matter of quitting, putting it in the journal's place and starting again: a copy is
/// itself a complete journal.
struct JournalBackup {
    /// How many copies a journal keeps; the oldest go once there are more.
    static constexpr int keptBackups = 5;

    /// A copy that could not be made; nothing of it is left behind.
    class Error : public StoreError {
    public:
        using StoreError::StoreError;
    };

    /// The folder the copies of the journal at `journalPath` go to.
    static QString folder(const QString& journalPath);

    /// Copies the journal of `store` into its backup folder, named after `now` in the time zone
    /// of `calendar`, and returns the copy's path. A journal kept in memory gets no copy (none
    /// is returned). Throws Error.
    static std::optional<QString> make(const JournalStore& store, Instant now,
                                       const Calendar& calendar);

    /// The copies in `folder`, oldest first. Files of other names are not copies.
    static QStringList list(const QString& folder);

    /// Removes the oldest copies in `folder` until `keep` remain.
    static void prune(const QString& folder, int keep = keptBackups);

    /// Removes one copy, for an import that did not happen after all.
    static void discard(const QString& backupPath);
};

} // namespace brevanta
