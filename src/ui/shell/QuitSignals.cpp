// SPDX-License-Identifier: MIT
#include "ui/shell/QuitSignals.h"

#include <QSocketNotifier>

#include <utility>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace brevanta {

#if defined(Q_OS_UNIX)

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may do almost nothing: it writes one byte, which the event loop reads.
int signalSockets[2] = {-1, -1};

void noteSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> onQuit, QObject* parent)
    : QObject(parent)
    , m_onQuit(std::move(onQuit)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    // A full socket must never block the handler; one pending byte is as good as many.
    ::fcntl(signalSockets[0], F_SETFL, ::fcntl(signalSockets[0], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(signalSockets[1], bytes, sizeof bytes);
        if (m_onQuit)
            m_onQuit();
    });
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : quitSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (!m_notifier)
        return;
    for (const int signal : quitSignals)
        ::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

#else

QuitSignals::QuitSignals(std::function<void()> onQuit, QObject* parent)
    : QObject(parent)
    , m_onQuit(std::move(onQuit)) {}

QuitSignals::~QuitSignals() = default;

#endif

} // namespace brevanta
