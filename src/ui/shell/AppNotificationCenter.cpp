// SPDX-License-Identifier: MIT
#include "ui/shell/AppNotificationCenter.h"

namespace brevanta {

void AppNotificationCenter::post(QStringView name) {
    Q_EMIT posted(name.toString());
}

} // namespace brevanta
