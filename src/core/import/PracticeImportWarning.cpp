// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportWarning.h"

#include "core/time/PracticeDurationFormatter.h"

#include <utility>

namespace brevanta {

PracticeImportWarning PracticeImportWarning::durationMismatch(std::int64_t categorySeconds,
                                                              std::int64_t totalSeconds) {
    PracticeImportWarning warning(Case::durationMismatch);
    warning.m_categorySeconds = categorySeconds;
    warning.m_totalSeconds = totalSeconds;
    return warning;
}

PracticeImportWarning PracticeImportWarning::invalidFile(QString text) {
    PracticeImportWarning warning(Case::invalidFile);
    warning.m_text = std::move(text);
    return warning;
}

PracticeImportWarning PracticeImportWarning::notesWithoutDuration() {
    return PracticeImportWarning(Case::notesWithoutDuration);
}

PracticeImportWarning PracticeImportWarning::missingYear() {
    return PracticeImportWarning(Case::missingYear);
}

PracticeImportWarning
PracticeImportWarning::unreadableDuration(std::optional<PracticeCategory> category, QString text) {
    PracticeImportWarning warning(Case::unreadableDuration);
    warning.m_category = category;
    warning.m_text = std::move(text);
    return warning;
}

QString PracticeImportWarning::message() const {
    switch (m_case) {
    case Case::durationMismatch:
        return u"Category time (" + PracticeDurationFormatter::compact(m_categorySeconds) +
               u") differs from the daily total (" +
               PracticeDurationFormatter::compact(m_totalSeconds) + u").";
    case Case::invalidFile:
        return m_text;
    case Case::notesWithoutDuration:
        return QStringLiteral("Notes recorded without duration.");
    case Case::missingYear:
        return QStringLiteral("Choose a year for this file.");
    case Case::unreadableDuration: {
        // A long cell is cut so that the line stays readable.
        constexpr qsizetype longest = 40;
        QString shown = m_text;
        if (shown.size() > longest) {
            const qsizetype cut = shown[longest - 1].isHighSurrogate() ? longest - 1 : longest;
            shown = shown.first(cut) + u'\u2026';
        }
        const QString what =
            m_category ? m_category->title() + u" time" : QStringLiteral("The daily total");
        return what + u" \u201c" + shown + u"\u201d could not be read as hours and minutes.";
    }
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace brevanta
