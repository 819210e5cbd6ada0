// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticeEntryDraft.h"
#include "core/model/BrevantaError.h"
#include "core/model/PracticeCategory.h"
#include "core/practice/ActivePracticeSession.h"

#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

namespace brevanta {

/// A thought as the finishing sheet edits it: its words, the practice group the user gives it
/// (none until chosen) and optional minutes as typed.
struct FinishThoughtDraft {
    class FinishValidationError : public BrevantaError {
    public:
        enum Case { unclassifiedThought };

        explicit FinishValidationError(Case errorCase)
            : m_case(errorCase) {}
        Case errorCase() const { return m_case; }
        QString description() const override;

    private:
        Case m_case;
    };

    QUuid id;
    QString title;
    std::optional<PracticeCategory> category;
    QString durationMinutesText;

    /// The draft of a captured thought: same id and words, no group, no minutes.
    static FinishThoughtDraft fromThought(const ActiveThoughtDraft& thought);
    /// A new, empty thought with a fresh id.
    static FinishThoughtDraft blank();

    QString trimmedTitle() const;

    /// The entry draft this thought becomes at position `sortOrder`, its minutes checked once.
    /// Throws FinishValidationError without a group, and the entry's minutes errors.
    PracticeEntryDraft entry(std::int64_t sortOrder) const;

    /// True when a thought has no words, no group or minutes that are no duration: the sheet
    /// cannot add such a page to the journal.
    static bool hasInvalidThoughts(const std::vector<FinishThoughtDraft>& thoughts);

    bool operator==(const FinishThoughtDraft& other) const = default;
};

} // namespace brevanta
