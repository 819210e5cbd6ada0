// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a platform-plugin dump; say what to do instead.
bool hasDisplay()
{
#if defined(Q_OS_LINUX)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fputs("brevanta: no display found; run it from a desktop session, or under a virtual "
                   "display with: xvfb-run make run\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brevanta"));
    window.resize(1100, 720);
    window.show();
    return application.exec();
}
