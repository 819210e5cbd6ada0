// SPDX-License-Identifier: MIT
#include "core/model/TextNormalization.h"

namespace brevanta::TextNormalization {

QString trimmed(const QString& text) {
    // QChar::isSpace covers the Unicode separators (Zs, Zl, Zp), tab to carriage return and
    // U+0085: exactly the white space and line breaks a person means by "blank".
    return text.trimmed();
}

std::optional<QString> normalizedNotes(const std::optional<QString>& notes) {
    if (!notes)
        return std::nullopt;
    QString result = trimmed(*notes);
    if (result.isEmpty())
        return std::nullopt;
    return result;
}

} // namespace brevanta::TextNormalization
