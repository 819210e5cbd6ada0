// SPDX-License-Identifier: MIT
#include "ui/design/AppFontWarmUp.h"

#include "ui/design/AppIcons.h"
#include "ui/design/BrevantaBrandFont.h"

#include <QFontInfo>
#include <QGuiApplication>

#ifdef BREVANTA_FONTS_FROM_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace brevanta {

namespace {

// Where Qt reads the desktop's fonts through fontconfig, most of the reading is fontconfig
// parsing its configuration, which needs no application object. Qt later finds it done.
void readDesktopFontConfiguration() {
#ifdef BREVANTA_FONTS_FROM_FONTCONFIG
    FcInit();
#endif
}

} // namespace

AppFontWarmUp::AppFontWarmUp()
    : m_thread([started = m_started.get_future()]() mutable {
        readDesktopFontConfiguration();
        if (!started.get())
            return;
        // Each is worked out once per process; a caller on the main thread meanwhile waits for it.
        AppIcons::fontFamily();
        BrevantaBrandFont::isAvailable();
        // Which fonts stand in for characters a family lacks is worked out once for every
        // thread. Asked here for the app's text and brand families, the first window's text does
        // not work it out itself.
        QFontInfo(QGuiApplication::font()).pixelSize();
        QFontInfo(BrevantaBrandFont::font(24)).pixelSize();
    }) {}

AppFontWarmUp::~AppFontWarmUp() {
    finish();
}

void AppFontWarmUp::applicationStarted() {
    tellWhetherStarted(true);
}

void AppFontWarmUp::finish() {
    tellWhetherStarted(false);
    if (m_thread.joinable())
        m_thread.join();
}

void AppFontWarmUp::tellWhetherStarted(bool started) {
    if (m_told)
        return;
    m_told = true;
    m_started.set_value(started);
}

} // namespace brevanta
