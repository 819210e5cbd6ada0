// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppTitledHeader.h"

namespace brevanta {

/// The header at the top of a screen: a large title, an optional subtitle and trailing actions.
class AppScreenHeader : public AppTitledHeader {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppScreenHeader)

public:
    explicit AppScreenHeader(const QString& title, const QString& subtitle = {},
                             QWidget* parent = nullptr);
};

} // namespace brevanta
