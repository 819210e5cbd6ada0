// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

namespace brevanta {

/// How a second launch reaches the Brevanta that already runs: a local socket in the user's
/// runtime folder, owner-only, named after the journal it serves (the platform's own on Unix,
/// Qt's local sockets elsewhere). The first process listens once
/// it holds the journal's lock; a later one connects, hands over the files it was given and ends.
/// The journal's lock stays the guard against two processes on one journal; the socket only
/// carries the hand-over.
class SingleInstanceChannel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstanceChannel)

public:
    /// The socket of the instance that keeps the journal at `journalFilePath`.
    static QString socketPath(const QString& journalFilePath);

    /// Hands `filePaths` (absolute) to the instance listening at `socketPath` and waits up to
    /// `timeoutMs` for it to take them. False when nobody listens or nobody answers.
    static bool handOver(const QString& socketPath, const QStringList& filePaths,
                         int timeoutMs = 5000);

    explicit SingleInstanceChannel(QString socketPath, QObject* parent = nullptr);
    ~SingleInstanceChannel() override;

    /// Starts listening. Call only while holding the journal's lock: a socket left by a process
    /// that died is replaced then.
    bool listen();
    const QString& socketPath() const { return m_socketPath; }

Q_SIGNALS:
    /// Another launch asked for the window; `filePaths` are the files it was given (maybe none).
    void handedOver(const QStringList& filePaths);

private:
    QString m_socketPath;
#if defined(Q_OS_UNIX)
    class Connection;
    int m_listener = -1;
    QSocketNotifier* m_acceptable = nullptr;
    bool m_listening = false;
#else
    void receive(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
#endif
};

} // namespace brevanta
