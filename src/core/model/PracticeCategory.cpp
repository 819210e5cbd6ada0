// SPDX-License-Identifier: MIT
#include "core/model/PracticeCategory.h"

namespace brevanta {

namespace {

template <typename Enumeration> std::optional<Enumeration> caseWithRawValue(QStringView rawValue) {
    for (const auto candidate : Enumeration::allCases()) {
        if (candidate.rawValue() == rawValue)
            return candidate;
    }
    return std::nullopt;
}

} // namespace

std::optional<PracticeCategory> PracticeCategory::fromRawValue(QStringView rawValue) {
    return caseWithRawValue<PracticeCategory>(rawValue);
}

PracticeCategory PracticeCategory::fromPersistedRawValue(QStringView rawValue) {
    return fromRawValue(rawValue).value_or(lookBack);
}

QString PracticeCategory::rawValue() const {
    switch (m_value) {
    case haveFun:
        return QStringLiteral("haveFun");
    case lookBack:
        return QStringLiteral("lookBack");
    case lookForward:
        return QStringLiteral("lookForward");
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeCategory::title() const {
    switch (m_value) {
    case haveFun:
        return QStringLiteral("Have Fun");
    case lookBack:
        return QStringLiteral("Look Back");
    case lookForward:
        return QStringLiteral("Look Forward");
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeCategory::symbolName() const {
    switch (m_value) {
    case haveFun:
        return QStringLiteral("sparkles");
    case lookBack:
        return QStringLiteral("arrow.uturn.backward");
    case lookForward:
        return QStringLiteral("arrow.up.right");
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<PracticeSessionSource> PracticeSessionSource::fromRawValue(QStringView rawValue) {
    return caseWithRawValue<PracticeSessionSource>(rawValue);
}

PracticeSessionSource PracticeSessionSource::fromPersistedRawValue(QStringView rawValue) {
    return fromRawValue(rawValue).value_or(manual);
}

QString PracticeSessionSource::rawValue() const {
    switch (m_value) {
    case timed:
        return QStringLiteral("timed");
    case manual:
        return QStringLiteral("manual");
    case imported:
        return QStringLiteral("imported");
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace brevanta
