// SPDX-License-Identifier: MIT
#include "ui/shell/SingleInstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <optional>
#include <utility>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace brevanta {

namespace {

// A request is one line of JSON; anything longer than this is not one of ours.
constexpr qint64 maximumRequestSize = 1024 * 1024;
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");

QString runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QByteArray requestFor(const QStringList& filePaths) {
    const QJsonObject request{{QStringLiteral("files"), QJsonArray::fromStringList(filePaths)}};
    return QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n';
}

// The files of one request line, or nothing when the line is not a request of ours.
std::optional<QStringList> filesOf(const QByteArray& line) {
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
    const QJsonValue files = document.object().value(QStringLiteral("files"));
    if (!document.isObject() || !files.isArray())
        return std::nullopt;
    QStringList filePaths;
    for (const QJsonValue& file : files.toArray()) {
        // Only absolute paths: the sender's working folder means nothing here.
        if (file.isString() && QDir::isAbsolutePath(file.toString()))
            filePaths.append(file.toString());
    }
    return filePaths;
}

int remainingMs(const QElapsedTimer& timer, int timeoutMs) {
    return int(std::max<qint64>(0, timeoutMs - timer.elapsed()));
}

#if defined(Q_OS_UNIX)

// The platform's own local sockets: they need nothing beyond Qt Core, so a launch does not load
// a network library for a hand-over that is usually not there.

/// A socket descriptor, closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int descriptor = -1)
        : m_descriptor(descriptor) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_descriptor; }
    bool isValid() const { return m_descriptor >= 0; }
    int release() { return std::exchange(m_descriptor, -1); }
    void reset(int descriptor = -1) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = descriptor;
    }

private:
    int m_descriptor;
};

#if defined(MSG_NOSIGNAL)
constexpr int sendFlags = MSG_NOSIGNAL;
#else
constexpr int sendFlags = 0;
#endif

// Non-blocking, closed on exec, and never a SIGPIPE for a peer that went away.
int prepared(int descriptor) {
    if (descriptor < 0)
        return descriptor;
    const bool ready = ::fcntl(descriptor, F_SETFD, FD_CLOEXEC) == 0 &&
                       ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) | O_NONBLOCK) == 0;
#if defined(SO_NOSIGPIPE)
    const int on = 1;
    ::setsockopt(descriptor, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    if (!ready) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

int newSocket() {
    return prepared(::socket(AF_UNIX, SOCK_STREAM, 0));
}

std::optional<sockaddr_un> addressOf(const QString& socketPath) {
    const QByteArray encoded = QFile::encodeName(socketPath);
    sockaddr_un address{};
    if (encoded.isEmpty() || std::size_t(encoded.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
    return address;
}

// Waits for `events` on `descriptor` for at most `timeoutMs`; false on timeout or error.
bool await(int descriptor, short events, int timeoutMs) {
    pollfd watched{descriptor, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (watched.revents & events);
}

#endif

} // namespace

QString SingleInstanceChannel::socketPath(const QString& journalFilePath) {
    // Named after the journal: the instance to reach is the one that holds it.
    const QByteArray key =
        QCryptographicHash::hash(QFileInfo(journalFilePath).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QDir(runtimeFolder())
        .filePath(QStringLiteral("brevanta-") + QString::fromLatin1(key) +
                  QStringLiteral(".socket"));
}

#if defined(Q_OS_UNIX)

/// One connection of another launch, read until its request line is complete.
class SingleInstanceChannel::Connection final : public QObject {
public:
    Connection(int descriptor, SingleInstanceChannel& channel)
        : QObject(&channel)
        , m_descriptor(descriptor)
        , m_channel(channel)
        , m_readable(descriptor, QSocketNotifier::Read) {
        connect(&m_readable, &QSocketNotifier::activated, this, &Connection::read);
    }

private:
    void read() {
        char buffer[4096];
        for (;;) {
            const ssize_t count = ::recv(m_descriptor.get(), buffer, sizeof buffer, 0);
            if (count > 0) {
                m_received.append(buffer, count);
                if (m_received.size() > maximumRequestSize)
                    return finish();
                if (m_received.contains('\n'))
                    return answer();
                continue;
            }
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            // Closed before a whole line, or broken.
            return finish();
        }
    }

    void answer() {
        const std::optional<QStringList> filePaths =
            filesOf(m_received.left(m_received.indexOf('\n') + 1));
        if (filePaths) {
            // Three bytes into an empty socket buffer: they go at once.
            [[maybe_unused]] const ssize_t sent =
                ::send(m_descriptor.get(), acknowledgement.constData(),
                       std::size_t(acknowledgement.size()), sendFlags);
        }
        finish();
        if (filePaths)
            Q_EMIT m_channel.handedOver(*filePaths);
    }

    void finish() {
        m_readable.setEnabled(false);
        m_descriptor.reset();
        deleteLater();
    }

    Descriptor m_descriptor;
    SingleInstanceChannel& m_channel;
    QSocketNotifier m_readable;
    QByteArray m_received;
};

bool SingleInstanceChannel::handOver(const QString& socketPath, const QStringList& filePaths,
                                     int timeoutMs) {
    const std::optional<sockaddr_un> address = addressOf(socketPath);
    if (!address)
        return false;
    const Descriptor socket(newSocket());
    if (!socket.isValid())
        return false;
    QElapsedTimer timer;
    timer.start();
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) !=
        0) {
        // Nobody listens: no socket, or one a dead process left.
        if (errno != EINPROGRESS)
            return false;
        int error = 0;
        socklen_t length = sizeof error;
        if (!await(socket.get(), POLLOUT, remainingMs(timer, timeoutMs)) ||
            ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return false;
    }
    const QByteArray request = requestFor(filePaths);
    for (qsizetype written = 0; written < request.size();) {
        const ssize_t count = ::send(socket.get(), request.constData() + written,
                                     std::size_t(request.size() - written), sendFlags);
        if (count > 0) {
            written += count;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!await(socket.get(), POLLOUT, remainingMs(timer, timeoutMs)))
                return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    QByteArray answer;
    while (!answer.endsWith('\n') && answer.size() <= acknowledgement.size()) {
        if (!await(socket.get(), POLLIN, remainingMs(timer, timeoutMs)))
            return false;
        char buffer[16];
        const ssize_t count = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN))
            break;
        if (count > 0)
            answer.append(buffer, count);
    }
    return answer == acknowledgement;
}

SingleInstanceChannel::SingleInstanceChannel(QString socketPath, QObject* parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath)) {}

SingleInstanceChannel::~SingleInstanceChannel() {
    if (m_listening) {
        delete m_acceptable;
        ::close(m_listener);
        QFile::remove(m_socketPath);
    }
}

bool SingleInstanceChannel::listen() {
    if (m_listening)
        return true;
    const std::optional<sockaddr_un> address = addressOf(m_socketPath);
    // Made under a name of its own, owner-only, then moved into place: no other user can reach
    // it for a moment, and a socket a dead process left goes in the same step. Only ever called
    // while holding the journal's lock, so no live instance owns the name.
    const QString staging = m_socketPath + QStringLiteral(".%1").arg(::getpid());
    const std::optional<sockaddr_un> stagingAddress = addressOf(staging);
    if (!address || !stagingAddress)
        return false;
    Descriptor listener(newSocket());
    if (!listener.isValid())
        return false;
    const QByteArray stagingName = QFile::encodeName(staging);
    ::unlink(stagingName.constData());
    if (::bind(listener.get(), reinterpret_cast<const sockaddr*>(&*stagingAddress),
               sizeof *stagingAddress) != 0)
        return false;
    if (::chmod(stagingName.constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::listen(listener.get(), SOMAXCONN) != 0 ||
        ::rename(stagingName.constData(), QFile::encodeName(m_socketPath).constData()) != 0) {
        ::unlink(stagingName.constData());
        return false;
    }
    m_listener = listener.release();
    m_acceptable = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_acceptable, &QSocketNotifier::activated, this, [this] {
        for (;;) {
            const int accepted = ::accept(m_listener, nullptr, nullptr);
            if (accepted < 0 && errno == EINTR)
                continue;
            const int connection = prepared(accepted);
            if (connection < 0)
                return;
            new Connection(connection, *this);
        }
    });
    m_listening = true;
    return true;
}

#else

bool SingleInstanceChannel::handOver(const QString& socketPath, const QStringList& filePaths,
                                     int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    QElapsedTimer timer;
    timer.start();
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(requestFor(filePaths));
    if (!socket.waitForBytesWritten(std::max(1, remainingMs(timer, timeoutMs))))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && timer.elapsed() < timeoutMs) {
        if (!socket.waitForReadyRead(std::max(1, remainingMs(timer, timeoutMs))))
            break;
        answer += socket.readAll();
    }
    return answer == acknowledgement;
}

SingleInstanceChannel::SingleInstanceChannel(QString socketPath, QObject* parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath))
    , m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstanceChannel::~SingleInstanceChannel() {
    m_server->close();
}

bool SingleInstanceChannel::listen() {
    if (m_server->listen(m_socketPath))
        return true;
    // Only a process that died leaves a socket behind while we hold the journal's lock.
    QLocalServer::removeServer(m_socketPath);
    return m_server->listen(m_socketPath);
}

void SingleInstanceChannel::receive(QLocalSocket* socket) {
    if (socket->bytesAvailable() > maximumRequestSize) {
        socket->abort();
        return;
    }
    if (!socket->canReadLine())
        return;
    const std::optional<QStringList> filePaths = filesOf(socket->readLine(maximumRequestSize));
    if (!filePaths) {
        socket->abort();
        return;
    }
    socket->write(acknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT handedOver(*filePaths);
}

#endif

} // namespace brevanta
