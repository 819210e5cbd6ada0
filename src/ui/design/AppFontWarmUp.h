// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <future>
#include <thread>

namespace brevanta {

/// Reads the desktop's fonts and registers the app's own on a thread of their own, from the
/// moment it is made; destroying it waits for that to end. Reading the desktop's fonts is the
/// largest fixed cost of a window with text: done beside starting the application, opening the
/// journal and building the window, the first text seldom waits for it. Qt's font database is
/// locked, so text that needs a font meanwhile simply waits its turn.
///
/// Made at the top of main(), before the application object: the desktop's font configuration
/// is read at once, and Qt's own part of the work follows once `applicationStarted()` says the
/// font database exists.
class AppFontWarmUp final {
    Q_DISABLE_COPY_MOVE(AppFontWarmUp)

public:
    AppFontWarmUp();
    /// Ends the work early when the application never started, then waits for it (finish()).
    ~AppFontWarmUp();

    /// Call once the application object exists; the fonts are read into Qt's database then.
    void applicationStarted();
    /// Waits for the work to end. Call it before the application object goes: the work reads
    /// the font database the application owns.
    void finish();

private:
    void tellWhetherStarted(bool started);

    std::promise<bool> m_started;
    bool m_told = false;
    std::thread m_thread;
};

} // namespace brevanta
