// SPDX-License-Identifier: MIT
// The reference for the start-up benchmark: the least a Qt Widgets program does to show a main
// window, up to its first paint.
#include "StartupProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const brevanta::bench::FirstPaintProbe probe(
        [](const QWidget* widget) { return qobject_cast<const QMainWindow*>(widget) != nullptr; },
        [] {
            brevanta::bench::report("painted");
            brevanta::bench::report("loaded");
            brevanta::bench::report("ready");
            brevanta::bench::report("quitting");
            QApplication::closeAllWindows();
            QCoreApplication::quit();
        });
    QMainWindow window;
    window.resize(1280, 840);
    window.show();
    return application.exec();
}
