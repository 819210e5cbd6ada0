// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportConflict.h"

namespace brevanta {

QString PracticeImportConflict::reviewText() const {
    switch (m_value) {
    case likelyDuplicate:
        return QStringLiteral("This appears to already be in your journal.");
    case sameDay:
        return QStringLiteral("Another session already exists on this date. Imported practice "
                              "will remain separate.");
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<PracticeImportConflictPolicy>
PracticeImportConflictPolicy::fromRawValue(QStringView rawValue) {
    for (const PracticeImportConflictPolicy policy : allCases()) {
        if (policy.rawValue() == rawValue)
            return policy;
    }
    return std::nullopt;
}

QString PracticeImportConflictPolicy::rawValue() const {
    switch (m_value) {
    case skipDuplicates:
        return QStringLiteral("skipDuplicates");
    case importAnyway:
        return QStringLiteral("importAnyway");
    case reviewIndividually:
        return QStringLiteral("reviewIndividually");
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeImportConflictPolicy::title() const {
    switch (m_value) {
    case skipDuplicates:
        return QStringLiteral("Skip likely duplicates");
    case importAnyway:
        return QStringLiteral("Import anyway");
    case reviewIndividually:
        return QStringLiteral("Review conflicts individually");
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace brevanta
