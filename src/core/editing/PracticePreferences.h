// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"

#include <QString>

class QSettings;

namespace brevanta {

/// The user's one remembered choice, the practice group of the last saved entry, kept under
/// "lastPracticeCategory" in the settings it is given. The application passes the user's
/// settings; tests pass settings on a file of their own.
class PracticePreferences {
public:
    static constexpr auto lastPracticeCategoryKey = "lastPracticeCategory";

    explicit PracticePreferences(QSettings& settings)
        : m_settings(settings) {}

    /// The stored text as it stands; "lookBack" when nothing is stored.
    QString lastPracticeCategoryRawValue() const;
    /// The stored group, or Look Back when the stored text names none.
    PracticeCategory lastPracticeCategory() const;
    void setLastPracticeCategory(PracticeCategory category);

private:
    QSettings& m_settings;
};

} // namespace brevanta
