// SPDX-License-Identifier: MIT
#pragma once

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

namespace brevanta {

/// The editorial input look of the in-place editors: a plain field, padded 12 points across and
/// 8 down, on a soft rounded panel whose border turns to the accent while it has focus.
struct EditorialInput {
    static void apply(QLineEdit* field);
    static void apply(QTextEdit* field);
    static void apply(QPlainTextEdit* field);
};

} // namespace brevanta
