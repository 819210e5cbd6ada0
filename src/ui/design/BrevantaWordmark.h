// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"

namespace brevanta {

/// The name "Brevanta", tightly tracked, in the brand typeface or its serif stand-in, at a
/// fixed size.
class BrevantaWordmark : public AppLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaWordmark)

public:
    explicit BrevantaWordmark(int size = 22, const AppColor& color = AppColors::primaryText(),
                              QWidget* parent = nullptr);
};

} // namespace brevanta
