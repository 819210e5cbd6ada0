// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportFileLoader.h"

#include "core/import/PracticeCSVParser.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <optional>

namespace brevanta {

namespace {

// Reads at most `limit` bytes; nothing when the file holds more. Does not trust the size the
// file reports, which is 0 for devices and pipes.
std::optional<QByteArray> readAtMost(QFile& file, qint64 limit, QString& error) {
    QByteArray bytes(qsizetype(std::clamp<qint64>(file.size() + 1, 4096, limit + 1)),
                     Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(qsizetype(std::min<qint64>(qint64(filled) * 2, limit + 1)));
        const qint64 read = file.read(bytes.data() + filled, bytes.size() - filled);
        if (read < 0) {
            error = file.errorString();
            return std::nullopt;
        }
        if (read == 0)
            break;
        filled += qsizetype(read);
        if (filled > limit) {
            error = PracticeImportFileLoader::tooLargeMessage();
            return std::nullopt;
        }
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

QString PracticeImportFileLoader::tooLargeMessage() {
    return QStringLiteral("The file is larger than 32 MB, too large to be a monthly practice "
                          "sheet.");
}

QString PracticeImportFileLoader::notAFileMessage() {
    return QStringLiteral("This is not a regular file (a pipe or a device, perhaps), so it cannot "
                          "be a practice sheet.");
}

PracticeImportFileResult PracticeImportFileLoader::load(const QString& path,
                                                        const Calendar& calendar,
                                                        const PracticeCSVParser::Options& options) {
    PracticeImportFileResult failure;
    failure.filename = QFileInfo(path).fileName();

    // Opening a named pipe waits for a writer, and a device may never end: only plain files
    // (or links to them) are sheets. A folder keeps the system's own reason below.
    if (const QFileInfo info(path); info.exists() && !info.isFile() && !info.isDir()) {
        failure.error = notAFileMessage();
        return failure;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failure.error = file.errorString();
        return failure;
    }
    if (file.size() > largestFileSize) {
        failure.error = tooLargeMessage();
        return failure;
    }
    QString readError;
    const std::optional<QByteArray> bytes = readAtMost(file, largestFileSize, readError);
    file.close();
    if (!bytes) {
        failure.error = readError;
        return failure;
    }

    try {
        return PracticeCSVParser::parse(*bytes, failure.filename, calendar, options);
    } catch (const PracticeCSVParser::ParserError& error) {
        failure.error = error.description();
        failure.spreadsheetFormat = error.spreadsheetFormat();
    } catch (const BrevantaError& error) {
        failure.error = error.description();
    } catch (const std::exception&) {
        // Running out of memory on a pathological sheet is the only way here.
        failure.error = QStringLiteral("The file could not be read.");
    }
    return failure;
}

std::vector<PracticeImportFileResult>
PracticeImportFileLoader::loadAll(const QStringList& paths, const Calendar& calendar,
                                  const std::function<bool()>& isCancelled,
                                  const std::vector<PracticeCSVParser::Options>& options) {
    std::vector<PracticeImportFileResult> results;
    results.reserve(std::size_t(paths.size()));
    for (const QString& path : paths) {
        if (isCancelled && isCancelled())
            break;
        const std::size_t index = results.size();
        results.push_back(
            load(path, calendar,
                 index < options.size() ? options[index] : PracticeCSVParser::Options{}));
    }
    return results;
}

} // namespace brevanta
