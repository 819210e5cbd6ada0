// SPDX-License-Identifier: MIT
#include "core/store/StoreConfiguration.h"

#include <QDir>
#include <QStandardPaths>

namespace brevanta {

StoreConfiguration StoreConfiguration::fromArguments(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("-ui-testing"), Qt::CaseSensitive)
               ? inMemory()
               : StoreConfiguration{};
}

StoreConfiguration StoreConfiguration::inMemory() {
    StoreConfiguration configuration;
    configuration.isStoredInMemoryOnly = true;
    return configuration;
}

StoreConfiguration StoreConfiguration::atPath(const QString& filePath) {
    StoreConfiguration configuration;
    configuration.filePath = filePath;
    return configuration;
}

QString StoreConfiguration::defaultFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(StoreConfiguration{}.name + QStringLiteral(".sqlite"));
}

QString StoreConfiguration::resolvedFilePath() const {
    return filePath.isEmpty() ? defaultFilePath() : filePath;
}

} // namespace brevanta
