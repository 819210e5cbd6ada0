// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace brevanta {

/// Something suspicious about one imported day, shown under the day in the review.
class PracticeImportWarning {
public:
    enum class Case {
        durationMismatch,
        invalidFile,
        notesWithoutDuration,
        missingYear,
        unreadableDuration
    };

    /// The groups' times add up to another time than the day's total.
    static PracticeImportWarning durationMismatch(std::int64_t categorySeconds,
                                                  std::int64_t totalSeconds);
    /// A file-level problem carried as a warning; its text is shown as it stands.
    static PracticeImportWarning invalidFile(QString text);
    /// Every group has notes but none has a time, and there is no total.
    static PracticeImportWarning notesWithoutDuration();
    /// The file name names no year, so the day has no date yet.
    static PracticeImportWarning missingYear();
    /// A time cell holds text that reads as no time: `category` names the group whose time it
    /// is, none the daily total; `text` is the cell as it stands.
    static PracticeImportWarning unreadableDuration(std::optional<PracticeCategory> category,
                                                    QString text);

    Case warningCase() const { return m_case; }
    /// Payload of durationMismatch; 0 for the other cases.
    std::int64_t categorySeconds() const { return m_categorySeconds; }
    std::int64_t totalSeconds() const { return m_totalSeconds; }
    /// Payload of invalidFile and unreadableDuration; empty for the other cases.
    const QString& text() const { return m_text; }
    /// Payload of unreadableDuration: the group, none for the daily total.
    std::optional<PracticeCategory> category() const { return m_category; }

    /// The sentence the review shows.
    QString message() const;

    bool operator==(const PracticeImportWarning&) const = default;

private:
    explicit PracticeImportWarning(Case warningCase)
        : m_case(warningCase) {}

    Case m_case;
    std::int64_t m_categorySeconds = 0;
    std::int64_t m_totalSeconds = 0;
    QString m_text;
    std::optional<PracticeCategory> m_category;
};

} // namespace brevanta
