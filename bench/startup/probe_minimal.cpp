// SPDX-License-Identifier: MIT
// The reference for the start-up benchmark: the least a Qt Widgets program does to show a main
// window, up to its first paint. With --text the window shows one line of text, so it also reads
// the desktop's fonts, which a window without text never does.
#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>
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
    if (QCoreApplication::arguments().contains(QStringLiteral("--text"))) {
        auto* line = new QLabel(QStringLiteral("What do you want to play?"), &window);
        line->adjustSize();
        line->move(24, 24);
    }
    window.resize(1280, 840);
    window.show();
    return application.exec();
}
