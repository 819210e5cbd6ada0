// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

/// Splits the text of one comma-separated file into rows of fields. It knows nothing of what the
/// fields mean, never fails, never trims and never pads rows to a common width.
namespace brevanta::CSVReader {

/// The rows of `text`, each a list of fields. Line ends may be LF, CR LF or a lone CR (inside a
/// quoted field they all come out as LF). Quotes, commas and line feeds count only when they are
/// user-perceived characters of their own: a comma carrying a combining mark is field text.
/// A byte-order mark is not removed. Pure and safe to call from any thread.
QList<QStringList> parse(QStringView text);

} // namespace brevanta::CSVReader
