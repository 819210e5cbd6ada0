// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <thread>

namespace brevanta {

/// Reads the desktop's fonts and registers the app's own on a thread of their own, from the
/// moment it is made; destroying it waits for that to end. The first scan of the desktop's fonts
/// is the largest fixed cost of a window with text: done beside opening the journal and building
/// the window, the first text seldom waits for it. Qt's font database is locked, so text that
/// needs a font meanwhile simply waits its turn.
class AppFontWarmUp final {
    Q_DISABLE_COPY_MOVE(AppFontWarmUp)

public:
    /// Needs the application object (the font database is the platform's).
    AppFontWarmUp();
    ~AppFontWarmUp();

private:
    std::thread m_thread;
};

} // namespace brevanta
