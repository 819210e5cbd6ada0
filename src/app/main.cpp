// SPDX-License-Identifier: MIT
#include "ui/design/AppColors.h"
#include "ui/design/AppFontWarmUp.h"
#include "ui/design/DesignGallery.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/BrevantaCommandLine.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// Without a display Qt aborts with a platform-plugin dump; say what to do instead.
bool hasDisplay() {
#if defined(Q_OS_LINUX)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// --help, --version and a usage error end the process here, display or not.
std::optional<int> answer(const brevanta::BrevantaCommandLine& commandLine) {
    using Request = brevanta::BrevantaCommandLine::Request;
    if (commandLine.request == Request::run)
        return std::nullopt;
    std::fputs(commandLine.output.toLocal8Bit().constData(),
               commandLine.request == Request::answer ? stdout : stderr);
    return commandLine.exitCode();
}

// A developer's look at the visual vocabulary: `brevanta --design-gallery [--dark]`.
int runDesignGallery(QApplication& application, bool dark) {
    using brevanta::AppColors;
    QApplication::setPalette(
        AppColors::palette(dark ? AppColors::Appearance::dark : AppColors::Appearance::light));
    brevanta::DesignGallery gallery;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    gallery.setGeometry(available.intersected(QRect(available.topLeft(), QSize(1440, 960))));
    gallery.show();
    gallery.activateWindow();
    return application.exec();
}

int runWithDisplay(QApplication& application,
                   std::unique_ptr<brevanta::JournalLockAhead> journalLock) {
    const brevanta::BrevantaCommandLine commandLine =
        brevanta::BrevantaCommandLine::parse(QCoreApplication::arguments(), QDir::currentPath());
    if (const std::optional<int> exitCode = answer(commandLine))
        return *exitCode;
    if (commandLine.showsDesignGallery)
        return runDesignGallery(application, commandLine.designGalleryIsDark);
    return brevanta::BrevantaApp::run(application, commandLine, std::move(journalLock));
}

} // namespace

int main(int argc, char* argv[]) {
    // The name picks the per-user data folder that holds the journal.
    QApplication::setApplicationName(QStringLiteral("Brevanta"));
    QApplication::setApplicationVersion(QStringLiteral(BREVANTA_VERSION));
    if (!hasDisplay()) {
        // The command line is answered without a display; only running the app needs one.
        QCoreApplication core(argc, argv);
        if (const std::optional<int> exitCode = answer(brevanta::BrevantaCommandLine::parse(
                QCoreApplication::arguments(), QDir::currentPath())))
            return *exitCode;
        std::fputs("brevanta: no display found; run it from a desktop session, or under a virtual "
                   "display with: xvfb-run make run\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(BREVANTA_APP_ID));
    // Before the application object: the desktop's fonts are read while it starts, the journal
    // opens and the window is built.
    brevanta::AppFontWarmUp fontWarmUp;
    // The journal's lock, which waits for the disk, is taken meanwhile too: the command line
    // says which journal, if any.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    std::unique_ptr<brevanta::JournalLockAhead> journalLock =
        brevanta::BrevantaApp::lockJournalAhead(arguments);
    QApplication application(argc, argv);
    fontWarmUp.applicationStarted();
    const int status = runWithDisplay(application, std::move(journalLock));
    // The warm-up reads the font database the application object owns.
    fontWarmUp.finish();
    return status;
}
