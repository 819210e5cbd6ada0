// SPDX-License-Identifier: MIT
#include "core/model/BrevantaError.h"
#include "core/store/JournalStore.h"

#include <QApplication>
#include <QMainWindow>

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
