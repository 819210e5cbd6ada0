// SPDX-License-Identifier: MIT
#pragma once

// Internal to the core: QString and icu::UnicodeString are both UTF-16, so text crosses between
// them without transcoding.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace brevanta::icubridge {

/// A read-only ICU view of `text`; valid only as long as `text`'s storage is.
inline icu::UnicodeString aliasOf(QStringView text) {
    const auto length = static_cast<std::int32_t>(
        std::min<qsizetype>(text.size(), std::numeric_limits<std::int32_t>::max()));
    return icu::UnicodeString(false, reinterpret_cast<const char16_t*>(text.utf16()), length);
}

inline QString toQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

/// An ICU locale from a name such as "en_US", "de-DE" or "en_US_POSIX".
inline icu::Locale localeFromName(QStringView localeName) {
    const QByteArray name = localeName.toUtf8();
    if (name.contains('-')) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale locale = icu::Locale::forLanguageTag(name.constData(), status);
        if (U_SUCCESS(status))
            return locale;
    }
    return icu::Locale(name.constData());
}

} // namespace brevanta::icubridge
