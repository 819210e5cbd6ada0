// SPDX-License-Identifier: MIT
#pragma once

#include <QHashFunctions>
#include <QString>

#include <array>
#include <optional>

namespace brevanta {

/// The practice group every journal entry belongs to. Stored as its raw value.
class PracticeCategory {
public:
    enum Value { haveFun, lookBack, lookForward };

    constexpr PracticeCategory(Value value)
        : m_value(value) {}

    /// Strict: the case whose raw value is exactly `rawValue` (case-sensitive, untrimmed).
    static std::optional<PracticeCategory> fromRawValue(QStringView rawValue);
    /// Lenient, for every reader of a stored value: unknown text reads as Look Back.
    static PracticeCategory fromPersistedRawValue(QStringView rawValue);

    static constexpr std::array<PracticeCategory, 3> allCases() {
        return {haveFun, lookBack, lookForward};
    }

    constexpr Value value() const { return m_value; }
    constexpr operator Value() const { return m_value; }

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString title() const;
    /// Name of the symbol the screens show for this group; the icon table maps it to a glyph.
    QString symbolName() const;
    constexpr int sortIndex() const { return static_cast<int>(m_value); }

private:
    Value m_value;
};

inline size_t qHash(PracticeCategory category, size_t seed = 0) {
    return qHash(category.rawValue(), seed);
}

/// How a session came into the journal. Stored as its raw value.
class PracticeSessionSource {
public:
    enum Value { timed, manual, imported };

    constexpr PracticeSessionSource(Value value)
        : m_value(value) {}

    static std::optional<PracticeSessionSource> fromRawValue(QStringView rawValue);
    /// Lenient: unknown text reads as manual.
    static PracticeSessionSource fromPersistedRawValue(QStringView rawValue);

    static constexpr std::array<PracticeSessionSource, 3> allCases() {
        return {timed, manual, imported};
    }

    constexpr Value value() const { return m_value; }
    constexpr operator Value() const { return m_value; }

    QString rawValue() const;

private:
    Value m_value;
};

inline size_t qHash(PracticeSessionSource source, size_t seed = 0) {
    return qHash(source.rawValue(), seed);
}

} // namespace brevanta
