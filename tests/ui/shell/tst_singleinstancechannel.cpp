// SPDX-License-Identifier: MIT
// The channel between launches: a request reaches the running instance, anything else is
// refused unanswered, and the socket is the owner's alone.
#include "ui/shell/SingleInstanceChannel.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace brevanta;

class TestSingleInstanceChannel : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    QString socketPath() const { return m_folder.filePath(QStringLiteral("instance.socket")); }

    // Runs `client` on a thread of its own while this one answers it.
    template <typename Client> static bool runBeside(Client client) {
        std::atomic<bool> result{false};
        std::unique_ptr<QThread> thread(QThread::create([&] { result = client(); }));
        QSignalSpy finished(thread.get(), &QThread::finished);
        thread->start();
        return finished.wait(10'000) && result;
    }

private Q_SLOTS:
    void aRequestReachesTheRunningInstance() {
        // A socket a dead process left is taken over.
        QFile stale(socketPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstanceChannel channel(socketPath());
        QVERIFY(channel.listen());
        QCOMPARE(QFileInfo(socketPath()).permissions() &
                     (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                 QFile::Permissions());
        QSignalSpy handedOver(&channel, &SingleInstanceChannel::handedOver);
        const QStringList files{QStringLiteral("/music/March.csv"), QStringLiteral("relative.csv")};
        QVERIFY(
            runBeside([&] { return SingleInstanceChannel::handOver(socketPath(), files, 5000); }));
        QTRY_COMPARE(handedOver.count(), 1);
        // A path relative to the sender's folder means nothing here.
        QCOMPARE(handedOver.first().first().toStringList(),
                 QStringList{QStringLiteral("/music/March.csv")});
    }

    void anythingElseIsRefusedUnanswered() {
        SingleInstanceChannel channel(socketPath());
        QVERIFY(channel.listen());
        QSignalSpy handedOver(&channel, &SingleInstanceChannel::handedOver);
        QByteArray answer;
        QVERIFY(runBeside([&] {
            const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray path = QFile::encodeName(socketPath());
            std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
            if (::connect(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                ::write(descriptor, "not json\n", 9) == 9) {
                char buffer[8];
                for (ssize_t count; (count = ::read(descriptor, buffer, sizeof buffer)) > 0;)
                    answer.append(buffer, count);
            }
            ::close(descriptor);
            return true;
        }));
        QCOMPARE(answer, QByteArray());
        QCOMPARE(handedOver.count(), 0);
    }

    void nobodyListening() {
        QVERIFY(!SingleInstanceChannel::handOver(socketPath(), {}, 1000));
        SingleInstanceChannel channel(socketPath());
        QVERIFY(channel.listen());
        QVERIFY(QFile::exists(socketPath()));
    }

    void cleanup() {
        // The channel takes its socket away when it closes.
        QVERIFY(!QFile::exists(socketPath()));
    }
};

QTEST_MAIN(TestSingleInstanceChannel)
#include "tst_singleinstancechannel.moc"
