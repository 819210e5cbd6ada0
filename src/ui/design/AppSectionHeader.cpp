// SPDX-License-Identifier: MIT
#include "ui/design/AppSectionHeader.h"

#include "ui/design/AppTypography.h"

namespace brevanta {

AppSectionHeader::AppSectionHeader(const QString& title, const QString& subtitle, QWidget* parent)
    : AppTitledHeader(title, subtitle,
                      Look{AppTypography::sectionTitle(), AppTypography::caption(), 12, 16},
                      parent) {}

} // namespace brevanta
