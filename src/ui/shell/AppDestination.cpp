// SPDX-License-Identifier: MIT
#include "ui/shell/AppDestination.h"

namespace brevanta {

std::optional<AppDestination> AppDestination::fromRawValue(QStringView rawValue) {
    for (const AppDestination destination : allCases()) {
        if (destination.rawValue() == rawValue)
            return destination;
    }
    return std::nullopt;
}

QString AppDestination::rawValue() const {
    switch (m_value) {
    case home:
        return QStringLiteral("home");
    case journal:
        return QStringLiteral("journal");
    case insights:
        return QStringLiteral("insights");
    }
    Q_UNREACHABLE();
    return {};
}

QString AppDestination::title() const {
    switch (m_value) {
    case home:
        return QStringLiteral("Home");
    case journal:
        return QStringLiteral("Journal");
    case insights:
        return QStringLiteral("Insights");
    }
    Q_UNREACHABLE();
    return {};
}

QString AppDestination::symbolName() const {
    switch (m_value) {
    case home:
        return QStringLiteral("house");
    case journal:
        return QStringLiteral("book.closed");
    case insights:
        return QStringLiteral("chart.bar");
    }
    Q_UNREACHABLE();
    return {};
}

QString AppDestination::sidebarObjectName() const {
    return QStringLiteral("destination-") + id();
}

} // namespace brevanta
