// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportCandidate.h"

#include <QStringList>

#include <algorithm>

namespace brevanta {

QString PracticeImportCandidate::summary() const {
    QStringList titles;
    for (const PracticeImportEntry& entry : entries) {
        if (!entry.title.isEmpty())
            titles << entry.title;
        if (titles.size() == 2)
            break;
    }
    if (titles.isEmpty())
        return QStringLiteral("Practice Session");
    return titles.join(u" \u00B7 ");
}

std::optional<Instant> PracticeImportCandidate::date(const Calendar& calendar) const {
    if (!year)
        return std::nullopt;
    return noon(*year, month, day, calendar);
}

bool PracticeImportCandidate::hasWarning(PracticeImportWarning::Case warningCase) const {
    return std::any_of(warnings.begin(), warnings.end(),
                       [&](const auto& warning) { return warning.warningCase() == warningCase; });
}

bool PracticeImportCandidate::lacksDuration() const {
    return hasWarning(PracticeImportWarning::Case::notesWithoutDuration) ||
           (durationSeconds == 0 && hasWarning(PracticeImportWarning::Case::unreadableDuration));
}

std::optional<Instant> PracticeImportCandidate::noon(int year, int month, int day,
                                                     const Calendar& calendar) {
    const std::optional<Instant> instant = calendar.makeInstant({year, month, day, 12});
    if (!instant)
        return std::nullopt;
    // A zone that skipped a whole day moves its noon into the next one.
    const DateComponents built = calendar.components(*instant);
    if (built.month != month || built.day != day)
        return std::nullopt;
    return instant;
}

} // namespace brevanta
