// SPDX-License-Identifier: MIT
#pragma once

#include "core/store/StoreConfiguration.h"

#include <QString>

#include <future>
#include <memory>

class QLockFile;

namespace brevanta {

/// The lock that keeps a journal to one Brevanta process: a lock file beside the journal, in
/// the journal's own private folder.
namespace JournalLock {
/// Makes the folder when it is missing and takes the lock of the journal at `filePath` (an
/// absolute path). Throws JournalStore::OpenError: alreadyOpen, or locationUnavailable.
std::unique_ptr<QLockFile> take(const QString& filePath);
} // namespace JournalLock

/// A journal's lock, taken on a thread of its own from the moment this is made. Taking it waits
/// for the disk, which must hold the lock file before it counts; made before the application
/// object, that wait passes while the application starts rather than before its first window.
class JournalLockAhead final {
public:
    /// Takes the lock of the journal `configuration` names on disk; the configuration must not
    /// be an in-memory one.
    explicit JournalLockAhead(const StoreConfiguration& configuration);
    /// Waits for the thread; a lock never taken over is released.
    ~JournalLockAhead() = default;
    JournalLockAhead(const JournalLockAhead&) = delete;
    JournalLockAhead& operator=(const JournalLockAhead&) = delete;

    /// The absolute path of the journal the lock is for.
    const QString& filePath() const { return m_filePath; }
    /// Hands the lock over, waiting for it, or throws what taking it threw. Once only.
    std::unique_ptr<QLockFile> take();

private:
    QString m_filePath;
    std::future<std::unique_ptr<QLockFile>> m_lock;
};

} // namespace brevanta
