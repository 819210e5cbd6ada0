// SPDX-License-Identifier: MIT
#include "core/store/JournalLock.h"

#include "core/store/JournalStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QThread>

namespace brevanta {

namespace {

void ensureFolder(const QString& folderPath) {
    if (QFileInfo(folderPath).isDir())
        return;
    // The journal's own folder is private to its owner; the folders above it are not ours.
    const QFileInfo folder(folderPath);
    const bool created =
        QDir().mkpath(folder.absolutePath()) &&
        QDir().mkdir(folderPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!created && !QFileInfo(folderPath).isDir()) {
        throw JournalStore::OpenError(
            JournalStore::OpenError::locationUnavailable,
            QStringLiteral("The folder %1 for the journal could not be created.")
                .arg(QDir::toNativeSeparators(folderPath)));
    }
}

// What stops a file from being made in the folder, in the system's words ("No space left on
// device", "Permission denied"): QLockFile does not say.
QString whyNoFileCanBeWritten(const QString& folderPath) {
    QTemporaryFile probe(QDir(folderPath).filePath(QStringLiteral(".Brevanta-XXXXXX")));
    if (!probe.open())
        return probe.errorString();
    const QByteArray line(64, '\n');
    if (probe.write(line) != line.size() || !probe.flush())
        return probe.errorString();
    return QStringLiteral("unknown error");
}

std::unique_ptr<QLockFile> lockFile(const QString& filePath) {
    auto lock = std::make_unique<QLockFile>(filePath + QStringLiteral(".lock"));
    // Only a lock whose process has died is stale, however long a window stays open.
    lock->setStaleLockTime(0);
    const QString location = QDir::toNativeSeparators(filePath);
    // QLockFile never calls a lock stale whose content it cannot read (an empty one left by a
    // power cut, or garbage), nor one it cannot replace on a full disk. Both are judged here.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            QFile::setPermissions(lock->fileName(), QFile::ReadOwner | QFile::WriteOwner);
            return lock;
        }
        if (lock->error() != QLockFile::LockFailedError)
            break;
        qint64 pid = 0;
        QString hostName;
        QString applicationName;
        const bool readable = lock->getLockInfo(&pid, &hostName, &applicationName);
        if (readable && !hostName.isEmpty() && hostName != QSysInfo::machineHostName()) {
            // A journal in a folder shared over the network: SQLite must never be written from
            // two machines at once, and whether that process still runs cannot be seen from here.
            throw JournalStore::OpenError(
                JournalStore::OpenError::alreadyOpen,
                QStringLiteral("The journal %1 is open in Brevanta on the computer “%2”. If "
                               "Brevanta is not running there, delete %3 and start again.")
                    .arg(location, hostName, QDir::toNativeSeparators(lock->fileName())));
        }
        // Removing holds the lock file's own system lock first, which a live holder on this
        // machine keeps: only a lock nobody holds goes.
        if (!lock->removeStaleLockFile())
            break;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        throw JournalStore::OpenError(
            JournalStore::OpenError::alreadyOpen,
            QStringLiteral("The journal %1 is already open in another Brevanta process.")
                .arg(location));
    }
    throw JournalStore::OpenError(
        JournalStore::OpenError::locationUnavailable,
        QStringLiteral("The journal %1 could not be locked for this process: %2.")
            .arg(location, whyNoFileCanBeWritten(QFileInfo(filePath).absolutePath())));
}

} // namespace

std::unique_ptr<QLockFile> JournalLock::take(const QString& filePath) {
    ensureFolder(QFileInfo(filePath).absolutePath());
    return lockFile(filePath);
}

JournalLockAhead::JournalLockAhead(const StoreConfiguration& configuration)
    : m_filePath(QFileInfo(configuration.resolvedFilePath()).absoluteFilePath()) {
    // Qt takes the first thread that asks for its thread data for the main thread, and the
    // lock's thread makes Qt objects (files) while the application object may not exist yet:
    // this thread asks first.
    QThread::currentThread();
    m_lock = std::async(std::launch::async, JournalLock::take, m_filePath);
}

std::unique_ptr<QLockFile> JournalLockAhead::take() {
    return m_lock.get();
}

} // namespace brevanta
