// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppTitledHeader.h"

namespace brevanta {

/// The header of a section within a screen: a title, an optional caption and trailing actions.
class AppSectionHeader : public AppTitledHeader {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppSectionHeader)

public:
    explicit AppSectionHeader(const QString& title, const QString& subtitle = {},
                              QWidget* parent = nullptr);
};

} // namespace brevanta
