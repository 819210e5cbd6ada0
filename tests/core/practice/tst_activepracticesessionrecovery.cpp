// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSessionController.h"
#include "core/practice/ActivePracticeSessionRecovery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using Recovery = ActivePracticeSessionRecovery;

namespace {

const Instant start = Instant::fromSecsSinceEpoch(1'741'186'800); // 2025-03-05T15:00Z

ActivePracticeSession runningSession() {
    ActivePracticeSession session;
    session.id = QUuid::createUuid();
    session.startedAt = start;
    session.accumulatedActiveDuration = 90.25;
    session.mostRecentResumeDate = start.addingMSecs(600'000);
    session.notes = QStringLiteral("  warm-up «slow»\nthen scales  ");
    session.thoughts = {{QUuid::createUuid(), QStringLiteral("Alternate picking"), 0},
                        {QUuid::createUuid(), QStringLiteral("Barre chords 🎸"), 1}};
    return session;
}

QByteArray replaced(QByteArray bytes, const char* from, const char* to) {
    return bytes.replace(from, to);
}

} // namespace

class TestActivePracticeSessionRecovery : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    Instant m_now = start.addingMSecs(700'000);

    QString path() const { return m_folder.filePath(QStringLiteral("running-session.json")); }
    void writeRaw(const QByteArray& bytes) const {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void writtenSessionReadsBackOwnerOnly() {
        const Recovery recovery(path());
        QVERIFY(!recovery.read().recovered);
        QVERIFY(!recovery.read().setAside);
        const ActivePracticeSession session = runningSession();
        QVERIFY(recovery.write(session, m_now));
        // Owner (0x6000) read and write; user (0x0600) is the owner on Unix; nothing for others.
        QCOMPARE(int(QFile::permissions(path())), 0x6600);
        const Recovery::ReadResult result = recovery.read();
        QVERIFY(result.recovered);
        QVERIFY(result.recovered->session == session);
        QCOMPARE(result.recovered->writtenAt, m_now);
        QVERIFY(recovery.remove());
        QVERIFY(!QFile::exists(path()));
    }

    // The time after the last write is not counted: nobody knows whether the user played on.
    void recoveredSessionStopsAtTheLastWrite() {
        ActivePracticeSession session = runningSession();
        // 90.25 s banked, then running since +600 s; written at +700 s: 190.25 s, paused.
        const ActivePracticeSession asWritten =
            Recovery::Recovered{session, m_now}.sessionAsOfLastWrite();
        QCOMPARE(asWritten.accumulatedActiveDuration, 190.25);
        QVERIFY(asWritten.isPaused);
        QVERIFY(!asWritten.mostRecentResumeDate);
        QCOMPARE(asWritten.elapsedDuration(m_now.addingMSecs(86'400'000)), 190.25);
        QCOMPARE(asWritten.thoughts, session.thoughts);

        session.isPaused = true;
        session.mostRecentResumeDate.reset();
        const Recovery::Recovered paused{session, m_now};
        QCOMPARE(paused.sessionAsOfLastWrite().accumulatedActiveDuration, 90.25);
    }

    void unusableFileIsSetAsideNeverDeleted_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("newer");
        const QByteArray good = Recovery::encode(runningSession(), m_now);
        QTest::newRow("cut short by a crash") << good.left(good.size() / 2) << false;
        QTest::newRow("not JSON") << QByteArray("\x00\x01 practice", 11) << false;
        QTest::newRow("another format")
            << replaced(good, "brevanta.running-session", "something.else") << false;
        QTest::newRow("bad id") << replaced(good, "\"id\": \"", "\"id\": \"x") << false;
        QTest::newRow("paused with a resume instant")
            << replaced(good, "\"isPaused\": false", "\"isPaused\": true") << false;
        QTest::newRow("negative banked time")
            << replaced(good, "\"accumulatedActiveDuration\": 90.25",
                        "\"accumulatedActiveDuration\": -1")
            << false;
        QTest::newRow("fractional instant")
            << replaced(good, "\"writtenAt\": ", "\"writtenAt\": 0.5") << false;
        QTest::newRow("newer version")
            << replaced(good, "\"version\": 1", "\"version\": 2") << true;
    }
    void unusableFileIsSetAsideNeverDeleted() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, newer);
        writeRaw(bytes);
        const Recovery::ReadResult result = Recovery(path()).read();
        QVERIFY(!result.recovered);
        QVERIFY(result.setAside);
        QCOMPARE(result.setAside->reason, newer ? Recovery::SetAside::Reason::newerVersion
                                                : Recovery::SetAside::Reason::damaged);
        QVERIFY(!QFile::exists(path()));
        QFile kept(result.setAside->setAsidePath);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
        QVERIFY2(result.setAside->description.contains(
                     QDir::toNativeSeparators(result.setAside->setAsidePath)),
                 qPrintable(result.setAside->description));
        QVERIFY(result.setAside->description.contains(newer ? QStringLiteral("newer version")
                                                            : QStringLiteral("damaged")));
        // A second bad file the same second does not overwrite the first.
        writeRaw(bytes);
        const Recovery::ReadResult again = Recovery(path()).read();
        QVERIFY(again.setAside->setAsidePath != result.setAside->setAsidePath);
        QVERIFY(kept.exists());
        QFile::remove(result.setAside->setAsidePath);
        QFile::remove(again.setAside->setAsidePath);
    }

    // Every change reaches the file; finishing or discarding removes it.
    void recorderFollowsTheController() {
        Instant now = start;
        const Clock clock([&now] { return now; });
        ActivePracticeSessionController controller(clock);
        ActivePracticeSessionRecorder recorder(controller, Recovery(path()), clock);
        const auto stored = [this] { return Recovery(path()).read().recovered; };

        controller.start(now);
        QVERIFY(stored());
        QCOMPARE(stored()->session, *controller.activeSession());
        now = start.addingMSecs(5'000);
        controller.addThought(QStringLiteral("  Legato runs "));
        QCOMPARE(stored()->session.thoughts.at(0).text, QStringLiteral("Legato runs"));
        QCOMPARE(stored()->writtenAt, now);
        controller.pause(now);
        QVERIFY(stored()->session.isPaused);
        controller.update(QStringLiteral("notes"), controller.activeSession()->thoughts);
        QCOMPARE(stored()->session.notes, QStringLiteral("notes"));
        controller.discard();
        QVERIFY(!QFile::exists(path()));

        controller.start(now);
        QVERIFY(QFile::exists(path()));
        controller.finish(now, std::nullopt, {}, [](const PracticeSessionPtr&) {});
        QVERIFY(!QFile::exists(path()));
    }
};

QTEST_GUILESS_MAIN(TestActivePracticeSessionRecovery)
#include "tst_activepracticesessionrecovery.moc"
