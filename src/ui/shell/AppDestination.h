// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace brevanta {

/// A place the main window's sidebar leads to.
class AppDestination {
public:
    enum Value { home, journal, insights };

    constexpr AppDestination(Value value)
        : m_value(value) {}

    static std::optional<AppDestination> fromRawValue(QStringView rawValue);

    /// In sidebar order.
    static constexpr std::array<AppDestination, 3> allCases() { return {home, journal, insights}; }

    constexpr Value value() const { return m_value; }
    constexpr operator Value() const { return m_value; }

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString title() const;
    /// Name of the sidebar symbol; the icon table maps it to a glyph.
    QString symbolName() const;
    /// The object name of the destination's sidebar row: "destination-" and the id.
    QString sidebarObjectName() const;

private:
    Value m_value;
};

} // namespace brevanta
