// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// How a spreadsheet wrote a CSV file when it did not write UTF-8 with commas: the character
/// set it chose and the character it put between fields. Pure and safe from any thread.
namespace brevanta::ImportTextFormat {

enum class Encoding { utf8, utf16, windows1252, unknown };
enum class Separator { comma, semicolon, tab };

/// What bytes that are not UTF-8 most likely are: UTF-16 (a byte-order mark, or every other
/// byte zero), Windows-1252 (bytes above 0x7F that are all characters of that set, no zero
/// byte), or unknown.
Encoding guessEncoding(QByteArrayView bytes);

/// The text of UTF-16 bytes that start with a byte-order mark, either byte order, the mark
/// removed; nothing without a mark, for an odd number of bytes or for unpaired surrogates.
std::optional<QString> decodeUtf16WithByteOrderMark(QByteArrayView bytes);

/// The rows of `text` split at `separator` instead of the comma: quotes and line ends work as
/// in CSVReader, and commas are ordinary field text. With `columns`, read as
/// CSVReader::layoutRows() reads; without, every field of every row.
QList<QStringList> rows(QStringView text, Separator separator, qsizetype columns = 0);

} // namespace brevanta::ImportTextFormat
