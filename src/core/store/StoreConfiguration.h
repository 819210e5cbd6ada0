// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace brevanta {

/// Where the journal store keeps its records: a file, or memory only for UI testing.
struct StoreConfiguration {
    /// The store's name; also the base name of its file.
    QString name = QStringLiteral("Brevanta");
    /// Nothing touches the disk and nothing survives the process.
    bool isStoredInMemoryOnly = false;
    /// The journal file; empty means the default per-user location.
    QString filePath;

    /// In memory when one whole argument is exactly "-ui-testing", otherwise the default file.
    static StoreConfiguration fromArguments(const QStringList& arguments);
    static StoreConfiguration inMemory();
    static StoreConfiguration atPath(const QString& filePath);

    /// The file in the application's per-user data folder.
    static QString defaultFilePath();
    /// The file this configuration opens: filePath, or the default one.
    QString resolvedFilePath() const;
};

} // namespace brevanta
