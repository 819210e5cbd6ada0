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
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace brevanta
