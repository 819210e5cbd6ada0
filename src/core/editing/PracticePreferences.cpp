// SPDX-License-Identifier: MIT
#include "core/editing/PracticePreferences.h"

#include <QSettings>

namespace brevanta {

QString PracticePreferences::lastPracticeCategoryRawValue() const {
    return m_settings
        .value(QLatin1StringView(lastPracticeCategoryKey),
               PracticeCategory(PracticeCategory::lookBack).rawValue())
        .toString();
}

PracticeCategory PracticePreferences::lastPracticeCategory() const {
    return PracticeCategory::fromRawValue(lastPracticeCategoryRawValue())
        .value_or(PracticeCategory::lookBack);
}

void PracticePreferences::setLastPracticeCategory(PracticeCategory category) {
    m_settings.setValue(QLatin1StringView(lastPracticeCategoryKey), category.rawValue());
}

} // namespace brevanta
