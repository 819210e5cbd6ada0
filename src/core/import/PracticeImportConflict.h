// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace brevanta {

/// How an import candidate collides with the journal.
class PracticeImportConflict {
public:
    enum Value {
        /// A session on the same day has about the same duration and the same entries.
        likelyDuplicate,
        /// The day already has sessions, but none looks like this one.
        sameDay,
    };

    constexpr PracticeImportConflict(Value value)
        : m_value(value) {}

    constexpr Value value() const { return m_value; }
    constexpr operator Value() const { return m_value; }

    /// The sentence the review shows under the day.
    QString reviewText() const;

private:
    Value m_value;
};

/// What the commit does with candidates that collide with the journal.
class PracticeImportConflictPolicy {
public:
    enum Value { skipDuplicates, importAnyway, reviewIndividually };

    constexpr PracticeImportConflictPolicy(Value value)
        : m_value(value) {}

    /// The case whose raw value is exactly `rawValue`; nothing for any other text.
    static std::optional<PracticeImportConflictPolicy> fromRawValue(QStringView rawValue);

    static constexpr std::array<PracticeImportConflictPolicy, 3> allCases() {
        return {skipDuplicates, importAnyway, reviewIndividually};
    }

    constexpr Value value() const { return m_value; }
    constexpr operator Value() const { return m_value; }

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString title() const;

private:
    Value m_value;
};

} // namespace brevanta
