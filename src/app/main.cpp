// SPDX-License-Identifier: MIT
#include "ui/design/AppColors.h"
#include "ui/design/DesignGallery.h"
#include "ui/shell/BrevantaApp.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

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

// A developer's look at the visual vocabulary: `brevanta --design-gallery [--dark]`.
int runDesignGallery(QApplication& application) {
    using brevanta::AppColors;
    const bool dark = application.arguments().contains(QStringLiteral("--dark"));
    QApplication::setPalette(
        AppColors::palette(dark ? AppColors::Appearance::dark : AppColors::Appearance::light));
    brevanta::DesignGallery gallery;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    gallery.setGeometry(available.intersected(QRect(available.topLeft(), QSize(1440, 960))));
    gallery.show();
    gallery.activateWindow();
    return application.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDisplay()) {
        std::fputs("brevanta: no display found; run it from a desktop session, or under a virtual "
                   "display with: xvfb-run make run\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // The name picks the per-user data folder that holds the journal.
    QApplication::setApplicationName(QStringLiteral("Brevanta"));
    QApplication application(argc, argv);
    if (application.arguments().contains(QStringLiteral("--design-gallery")))
        return runDesignGallery(application);
    return brevanta::BrevantaApp::run(application);
}
