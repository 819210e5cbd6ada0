// SPDX-License-Identifier: MIT
#include "ui/design/AppColors.h"
#include "ui/design/DesignGallery.h"
#include "core/model/BrevantaError.h"
#include "core/store/JournalStore.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <memory>

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

// Running on without the journal would hide that nothing the user does can be kept.
int stopForStoreFailure(const QString& description) {
    const QString message = QStringLiteral("Brevanta could not open its data store. The app "
                                           "stopped to avoid hiding persistence failure: ") +
                            description + QLatin1Char('\n');
    std::fputs(message.toLocal8Bit().constData(), stderr);
    return EXIT_FAILURE;
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

    std::unique_ptr<brevanta::JournalStore> store;
    try {
        store = brevanta::JournalStore::open(
            brevanta::StoreConfiguration::fromArguments(QCoreApplication::arguments()));
    } catch (const brevanta::BrevantaError& error) {
        return stopForStoreFailure(error.description());
    } catch (const std::exception& error) {
        return stopForStoreFailure(QString::fromLocal8Bit(error.what()));
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brevanta"));
    window.resize(1100, 720);
    window.show();
    return application.exec();
}
