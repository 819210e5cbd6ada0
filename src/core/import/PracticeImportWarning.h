// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstdint>

namespace brevanta {

/// Something suspicious about one imported day, shown under the day in the review.
class PracticeImportWarning {
public:
    enum class Case { durationMismatch, invalidFile, notesWithoutDuration, missingYear };

    /// The groups' times add up to another time than the day's total.
    static PracticeImportWarning durationMismatch(std::int64_t categorySeconds,
                                                  std::int64_t totalSeconds);
    /// A file-level problem carried as a warning; its text is shown as it stands.
    static PracticeImportWarning invalidFile(QString text);
    /// Every group has notes but none has a time, and there is no total.
    static PracticeImportWarning notesWithoutDuration();
    /// The file name names no year, so the day has no date yet.
    static PracticeImportWarning missingYear();

    Case warningCase() const { return m_case; }
    /// Payload of durationMismatch; 0 for the other cases.
    std::int64_t categorySeconds() const { return m_categorySeconds; }
    std::int64_t totalSeconds() const { return m_totalSeconds; }
    /// Payload of invalidFile; empty for the other cases.
    const QString& text() const { return m_text; }

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
};

} // namespace brevanta
