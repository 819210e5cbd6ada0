// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace brevanta {

/// A session's total duration as the user types it: whole minutes, kept exactly as typed, turned
/// into seconds or into one of four user-facing errors. Equal when the texts are equal.
///
/// Grammar, after trimming white space and line breaks at both ends: an optional single "+" or
/// "-", then one or more ASCII digits 0–9 and nothing else (leading zeros allowed). Independent of
/// the locale: other digits, separators, inner spaces and a sign alone are not minutes.
class DurationInput {
public:
    class ValidationError : public BrevantaError {
    public:
        enum Case { required, wholeMinutesOnly, mustBePositive, overflow };

        explicit ValidationError(Case errorCase)
            : m_case(errorCase) {}

        Case errorCase() const { return m_case; }
        QString description() const override;

        bool operator==(const ValidationError& other) const { return m_case == other.m_case; }

    private:
        Case m_case;
    };

    DurationInput() = default;
    explicit DurationInput(QString minutesText)
        : m_minutesText(std::move(minutesText)) {}

    /// The text for a stored duration: whole minutes rounded up, at least 1 (90 s → "2",
    /// 60 s → "1", 0 s or negative → "1").
    static DurationInput fromDurationSeconds(std::int64_t seconds);

    const QString& minutesText() const { return m_minutesText; }
    void setMinutesText(QString minutesText) { m_minutesText = std::move(minutesText); }

    /// The duration in seconds. Throws ValidationError: `required` for blank text,
    /// `wholeMinutesOnly` for anything outside the grammar or the signed 64-bit range,
    /// `mustBePositive` below 1 minute, `overflow` when the seconds do not fit in 64 bits
    /// (more than 153722867280912930 minutes).
    std::int64_t durationSeconds() const;

    /// The error `durationSeconds()` would throw, or nothing when the text is valid.
    std::optional<ValidationError> validationError() const;
    /// Its description, shown inline under the field; nothing when the text is valid.
    std::optional<QString> validationMessage() const;

    bool operator==(const DurationInput& other) const = default;

private:
    QString m_minutesText;
};

} // namespace brevanta
