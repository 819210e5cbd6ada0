// SPDX-License-Identifier: MIT
#include "ui/design/BrevantaWordmark.h"

#include "ui/design/BrevantaBrandFont.h"

namespace brevanta {

BrevantaWordmark::BrevantaWordmark(int size, const AppColor& color, QWidget* parent)
    : AppLabel(QStringLiteral("Brevanta"), BrevantaBrandFont::font(size), color, parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

} // namespace brevanta
