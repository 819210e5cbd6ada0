// SPDX-License-Identifier: MIT
#include "ui/design/AppFontWarmUp.h"

#include "ui/design/AppIcons.h"
#include "ui/design/BrevantaBrandFont.h"

namespace brevanta {

AppFontWarmUp::AppFontWarmUp()
    : m_thread([] {
        // Each is worked out once per process; a caller on the main thread meanwhile waits for it.
        AppIcons::fontFamily();
        BrevantaBrandFont::isAvailable();
    }) {}

AppFontWarmUp::~AppFontWarmUp() {
    m_thread.join();
}

} // namespace brevanta
