// SPDX-License-Identifier: MIT
#include "ui/shell/SingleInstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <algorithm>

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

bool SingleInstanceChannel::handOver(const QString& socketPath, const QStringList& filePaths,
                                     int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    QElapsedTimer timer;
    timer.start();
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QJsonObject request{{QStringLiteral("files"), QJsonArray::fromStringList(filePaths)}};
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    if (!socket.waitForBytesWritten(int(std::max<qint64>(1, timeoutMs - timer.elapsed()))))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && timer.elapsed() < timeoutMs) {
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, timeoutMs - timer.elapsed()))))
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
    const QByteArray line = socket->readLine(maximumRequestSize);
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
    const QJsonValue files = document.object().value(QStringLiteral("files"));
    if (!document.isObject() || !files.isArray()) {
        socket->abort();
        return;
    }
    QStringList filePaths;
    for (const QJsonValue& file : files.toArray()) {
        // Only absolute paths: the sender's working folder means nothing here.
        if (file.isString() && QDir::isAbsolutePath(file.toString()))
            filePaths.append(file.toString());
    }
    socket->write(acknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT handedOver(filePaths);
}

} // namespace brevanta
