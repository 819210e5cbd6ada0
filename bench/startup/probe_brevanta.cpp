// SPDX-License-Identifier: MIT
// Brevanta as its main() starts it, on the journal file given, reporting its milestones to the
// start-up benchmark: the first painted main window, all rows in memory, and (with --warm-up)
// the journal search's texts written. Then it quits as the Quit command does.
//   probe_brevanta JOURNAL SETTINGS_FILE [--warm-up]
#include "StartupProbe.h"
#include "core/store/JournalLock.h"
#include "core/store/JournalStore.h"
#include "ui/design/AppFontWarmUp.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/JournalSearchWarmUp.h"

#include <QApplication>
#include <QSettings>

#include <memory>

using namespace brevanta;

namespace {

int probe(QApplication& application, std::unique_ptr<JournalLockAhead> journalLock) {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const bool warmsUp = arguments.contains(QStringLiteral("--warm-up"));

    std::unique_ptr<BrevantaApp> app;
    const auto quit = [] {
        bench::report("quitting");
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    };
    const auto whenReady = [&] {
        bench::report("ready");
        quit();
    };
    const auto whenLoaded = [&] {
        bench::report("loaded");
        JournalSearchWarmUp& warmUp = app->searchWarmUp();
        if (!warmsUp || !warmUp.isWalking()) {
            whenReady();
            return;
        }
        QObject::connect(&warmUp, &JournalSearchWarmUp::finished, &warmUp, whenReady);
    };
    const bench::FirstPaintProbe probe(
        [](const QWidget* widget) { return qobject_cast<const ContentView*>(widget) != nullptr; },
        [&] {
            bench::report("painted");
            if (app->store().isLoaded())
                whenLoaded();
            else
                QObject::connect(&app->store(), &JournalStore::loaded, &app->store(), whenLoaded);
        });

    BrevantaApp::Environment environment;
    environment.platformPalette = QApplication::palette();
    environment.settings = std::make_unique<QSettings>(arguments[2], QSettings::IniFormat);
    environment.journalLock = std::move(journalLock);
    try {
        app = std::make_unique<BrevantaApp>(StoreConfiguration::atPath(arguments[1]),
                                            std::move(environment));
    } catch (...) {
        return 3;
    }
    app->openMainWindow();
    const int status = application.exec();
    // As the app's own run() ends.
    app->store().leaveRecordsAtExit();
    app.reset();
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    // As the app's main() starts it.
    QApplication::setApplicationName(QStringLiteral("Brevanta"));
    AppFontWarmUp fontWarmUp;
    std::unique_ptr<JournalLockAhead> journalLock;
    if (argc > 1)
        journalLock = std::make_unique<JournalLockAhead>(
            StoreConfiguration::atPath(QString::fromLocal8Bit(argv[1])));
    QApplication application(argc, argv);
    fontWarmUp.applicationStarted();
    const int status = probe(application, std::move(journalLock));
    fontWarmUp.finish();
    return status;
}
