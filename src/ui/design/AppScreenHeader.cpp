// SPDX-License-Identifier: MIT
#include "ui/design/AppScreenHeader.h"

#include "ui/design/AppTypography.h"

namespace brevanta {

AppScreenHeader::AppScreenHeader(const QString& title, const QString& subtitle, QWidget* parent)
    : AppTitledHeader(title, subtitle,
                      Look{AppTypography::screenTitle(), AppTypography::screenSubtitle(), 16, 20},
                      parent) {}

} // namespace brevanta
