// SPDX-License-Identifier: MIT
#include "core/model/TextNormalization.h"

namespace brevanta::TextNormalization {

QString trimmed(const QString& text) {
    // QChar::isSpace covers the Unicode separators (Zs, Zl, Zp), tab to carriage return and
    // U+0085: exactly the white space and line breaks a person means by "blank".
    if (!text.contains(QChar(u'\0')))
        return text.trimmed();
    // NUL is no character of a title or a note (a damaged or hostile sheet carries it), and
    // C strings elsewhere would end the text there.
    return QString(text).remove(QChar(u'\0')).trimmed();
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
