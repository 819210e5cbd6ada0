// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

#include <functional>

/// Splits the text of one comma-separated file into rows of fields. It knows nothing of what the
/// fields mean, never fails, never trims and never pads rows to a common width.
namespace brevanta::CSVReader {

/// The rows of `text`, each a list of fields. Line ends may be LF, CR LF or a lone CR (inside a
/// quoted field they all come out as LF). Quotes, commas and line feeds count only when they are
/// user-perceived characters of their own: a comma carrying a combining mark is field text.
/// A byte-order mark is not removed. Pure and safe to call from any thread.
QList<QStringList> parse(QStringView text);

/// The rows parse() would list, one at a time, for readers that must not hold the whole grid:
/// `visit` gets each row in order and stops the walk by returning false. The list it gets is
/// reused for the next row. A row of more than `columns` fields (at least 1) arrives as its first
/// `columns` fields, the last of them holding the texts of all the fields from there on run
/// together, which is blank exactly when they all are. Memory stays at one row besides the text.
void forEachRow(QStringView text, qsizetype columns,
                const std::function<bool(const QStringList& row)>& visit);

/// The rows forEachRow() gives for `columns`, kept for a reader that looks back and forth over a
/// sheet of known width: a run of rows with nothing in them is kept as one empty row, so the list
/// stays a small multiple of the text whatever number of empty lines or fields it holds.
QList<QStringList> layoutRows(QStringView text, qsizetype columns);

} // namespace brevanta::CSVReader
