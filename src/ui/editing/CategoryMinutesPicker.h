// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/CapsuleChip.h"

#include <array>
#include <optional>

namespace brevanta {

class CapsuleLineEdit;

/// A chip for each practice group followed by an optional-minutes field: side by side when the
/// width allows, else the chips on one line above the minutes, else all stacked. A click on a
/// chip only reports the choice; the owner shows it with setCategory().
class CategoryMinutesPicker : public AdaptiveArrangement {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CategoryMinutesPicker)

public:
    /// What tells the forms' pickers apart.
    struct Options {
        QString chipObjectName;
        CapsuleChipLook chipLook;
        QString minutesObjectName;
        QString minutesAccessibleName;
        int minutesWidth = 0;
        /// Between the chips, and between the lines once stacked.
        int spacing = 0;
    };

    explicit CategoryMinutesPicker(const Options& options, QWidget* parent = nullptr);

    CapsuleChip* chip(PracticeCategory category) const {
        return m_chips[std::size_t(category.sortIndex())];
    }
    CapsuleLineEdit* minutesField() const { return m_minutes; }

    /// Shows `category` as the chosen one, or none as chosen.
    void setCategory(std::optional<PracticeCategory> category);

Q_SIGNALS:
    void categoryChosen(brevanta::PracticeCategory category);

private:
    std::array<CapsuleChip*, 3> m_chips{};
    CapsuleLineEdit* m_minutes = nullptr;
};

} // namespace brevanta
