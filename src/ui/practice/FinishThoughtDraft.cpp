// SPDX-License-Identifier: MIT
#include "ui/practice/FinishThoughtDraft.h"

#include "core/time/TextServices.h"

namespace brevanta {

QString FinishThoughtDraft::FinishValidationError::description() const {
    switch (m_case) {
    case unclassifiedThought:
        return QStringLiteral("Choose a practice group for every thought before saving.");
    }
    Q_UNREACHABLE();
    return {};
}

FinishThoughtDraft FinishThoughtDraft::fromThought(const ActiveThoughtDraft& thought) {
    return {thought.id, thought.text, std::nullopt, QString()};
}

FinishThoughtDraft FinishThoughtDraft::blank() {
    return {QUuid::createUuid(), QString(), std::nullopt, QString()};
}

QString FinishThoughtDraft::trimmedTitle() const {
    return TextServices::trimmed(title);
}

PracticeEntryDraft FinishThoughtDraft::entry(std::int64_t sortOrder) const {
    if (!category)
        throw FinishValidationError(FinishValidationError::unclassifiedThought);
    PracticeEntryDraft draft(id, title, *category, durationMinutesText, QString(), sortOrder);
    draft.resolvedDurationSeconds();
    return draft;
}

bool FinishThoughtDraft::hasInvalidThoughts(const std::vector<FinishThoughtDraft>& thoughts) {
    for (const FinishThoughtDraft& thought : thoughts) {
        if (thought.trimmedTitle().isEmpty() || !thought.category)
            return true;
        try {
            thought.entry(0);
        } catch (const BrevantaError&) {
            return true;
        }
    }
    return false;
}

} // namespace brevanta
