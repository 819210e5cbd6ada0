// SPDX-License-Identifier: MIT
#include "core/store/JournalBackup.h"

#include "core/store/JournalStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <tuple>
#include <vector>

namespace brevanta {

namespace {

// "Brevanta 2025-06-01 08-05-09.sqlite", then " 2", " 3", … for copies made in the same second.
// The name sorts by time; colons are left out because some file systems refuse them.
const QRegularExpression& backupName() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^.+ (\d{4}-\d{2}-\d{2} \d{2}-\d{2}-\d{2})(?: (\d+))?\.sqlite$)"));
    return pattern;
}

QString stamp(Instant now, const Calendar& calendar) {
    const DateComponents parts = calendar.components(now);
    return QStringLiteral("%1-%2-%3 %4-%5-%6")
        .arg(parts.year, 4, 10, QLatin1Char('0'))
        .arg(parts.month, 2, 10, QLatin1Char('0'))
        .arg(parts.day, 2, 10, QLatin1Char('0'))
        .arg(parts.hour, 2, 10, QLatin1Char('0'))
        .arg(parts.minute, 2, 10, QLatin1Char('0'))
        .arg(parts.second, 2, 10, QLatin1Char('0'));
}

[[noreturn]] void fail(const QString& folder, const QString& reason) {
    throw JournalBackup::Error(QStringLiteral("A backup of the journal could not be made in “") +
                               QDir::toNativeSeparators(folder) + QStringLiteral("” (") + reason +
                               QStringLiteral(")."));
}

} // namespace

QString JournalBackup::folder(const QString& journalPath) {
    return QFileInfo(journalPath).absoluteDir().filePath(QStringLiteral("Backups"));
}

std::optional<QString> JournalBackup::make(const JournalStore& store, Instant now,
                                           const Calendar& calendar) {
    const StoreConfiguration& configuration = store.configuration();
    if (configuration.isStoredInMemoryOnly)
        return std::nullopt;
    const QString backups = folder(configuration.resolvedFilePath());
    const QFileInfo folderInfo(backups);
    if (folderInfo.exists() && !folderInfo.isDir())
        fail(backups, QStringLiteral("a file of that name is in the way"));
    if (!QDir().mkpath(backups))
        fail(backups, QStringLiteral("the folder cannot be created"));
    // The folder keeps others out even while a copy is being written, before its own
    // permissions are set.
    QFile::setPermissions(backups, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString base = configuration.name + u' ' + stamp(now, calendar);
    QString path = QDir(backups).filePath(base + QStringLiteral(".sqlite"));
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = QDir(backups).filePath(base + u' ' + QString::number(number) +
                                      QStringLiteral(".sqlite"));
    try {
        store.copyInto(path);
    } catch (const StoreError& error) {
        QFile::remove(path);
        fail(backups, error.description());
    }
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
        QFile::remove(path);
        fail(backups, QStringLiteral("the copy cannot be made private"));
    }
    return path;
}

QStringList JournalBackup::list(const QString& folder) {
    struct Copy {
        QString stamp;
        int number;
        QString path;
    };
    std::vector<Copy> copies;
    const QDir directory(folder);
    for (const QString& name : directory.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = backupName().match(name);
        if (match.hasMatch())
            copies.push_back({match.captured(1),
                              match.hasCaptured(2) ? match.captured(2).toInt() : 1,
                              directory.filePath(name)});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& left, const Copy& right) {
        return std::tie(left.stamp, left.number) < std::tie(right.stamp, right.number);
    });
    QStringList paths;
    for (const Copy& copy : copies)
        paths << copy.path;
    return paths;
}

void JournalBackup::prune(const QString& folder, int keep) {
    const QStringList copies = list(folder);
    for (qsizetype index = 0; index < copies.size() - keep; ++index)
        QFile::remove(copies[index]);
}

void JournalBackup::discard(const QString& backupPath) {
    QFile::remove(backupPath);
}

} // namespace brevanta
