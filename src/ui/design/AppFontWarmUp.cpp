// SPDX-License-Identifier: MIT
#include "ui/design/AppFontWarmUp.h"

#include "ui/design/AppIcons.h"
#include "ui/design/BrevantaBrandFont.h"

#include <QFontDatabase>

namespace brevanta {

AppFontWarmUp::AppFontWarmUp()
    : m_thread([] {
        // Both register once per process; a caller on the main thread meanwhile waits for them.
        AppIcons::fontFamily();
        BrevantaBrandFont::isAvailable();
        QFontDatabase::families();
    }) {}

AppFontWarmUp::~AppFontWarmUp() {
    m_thread.join();
}

} // namespace brevanta
