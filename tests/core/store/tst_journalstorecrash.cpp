// SPDX-License-Identifier: MIT
#include "core/store/JournalStore.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;

namespace {

QVariant singleValue(const QString& path, const QString& statement) {
    const QString name = QStringLiteral("inspector");
    QVariant value;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery query(database);
            if (query.exec(statement) && query.next())
                value = query.value(0);
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

} // namespace

/// A process killed at any moment of a save leaves a journal that opens whole: every save is
/// all or nothing.
class TestJournalStoreCrash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void killedWhileSavingLeavesAWholeJournal() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("Brevanta.sqlite"));
        QRandomGenerator random(20250301);
        std::size_t lastCount = 0;
        bool changedBetweenKills = false;

        for (int round = 0; round < 30; ++round) {
            QProcess helper;
            helper.start(QStringLiteral(JOURNAL_STORE_HELPER),
                         {QStringLiteral("save-loop"), path, QString::number(round + 1)});
            QVERIFY(helper.waitForReadyRead(30'000));
            QCOMPARE(QString::fromUtf8(helper.readLine()).trimmed(), QStringLiteral("ready"));
            // Killed after a random number of whole saves, in the middle of the next one.
            for (int saves = random.bounded(1, 4); saves > 0;) {
                QVERIFY(helper.canReadLine() || helper.waitForReadyRead(30'000));
                for (; saves > 0 && helper.canReadLine(); --saves)
                    QCOMPARE(helper.readLine().trimmed(), QByteArray("saved"));
            }
            helper.kill();
            QVERIFY(helper.waitForFinished(30'000));
            QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
            // Killed by the test, not stopped by a failure of its own.
            QCOMPARE(helper.readAllStandardError(), QByteArray());

            {
                const auto store = JournalStore::open(StoreConfiguration::atPath(path));
                for (const auto& session : store->sessions())
                    QCOMPARE(session->storedEntries().size(), 3u);
                changedBetweenKills = changedBetweenKills || store->sessions().size() != lastCount;
                lastCount = store->sessions().size();
            }
            QCOMPARE(singleValue(path, QStringLiteral("PRAGMA integrity_check")).toString(),
                     QStringLiteral("ok"));
            QCOMPARE(singleValue(path, QStringLiteral("PRAGMA foreign_key_check")), QVariant());
            // Every stored entry belongs to a stored session, and every session has all three.
            QCOMPARE(singleValue(path, QStringLiteral(
                                           "SELECT count(*) FROM entries WHERE sessionKey IS NULL "
                                           "OR sessionKey NOT IN (SELECT pk FROM sessions)"))
                         .toInt(),
                     0);
            QCOMPARE(singleValue(path, QStringLiteral(
                                           "SELECT count(*) FROM sessions WHERE (SELECT count(*) "
                                           "FROM entries WHERE sessionKey = sessions.pk) != 3"))
                         .toInt(),
                     0);
        }
        // The helper got through saves between the kills, so the kills met real work.
        QVERIFY(lastCount >= 10);
        QVERIFY(changedBetweenKills);
    }

    // A first start killed at each write, sync and unlink in turn (the lock, the schema, the
    // switch to WAL, a save, the close): every later start opens, with the save if it was told.
    void killedAtEveryStepOfAFirstStartLeavesAJournalThatOpens() {
        int killPoint = 1;
        for (;; ++killPoint) {
            QTemporaryDir folder;
            const QString path = folder.filePath(QStringLiteral("Brevanta.sqlite"));
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KILL_AT_CALL));
            environment.insert(QStringLiteral("BREVANTA_KILL_AT"), QString::number(killPoint));
            environment.insert(QStringLiteral("BREVANTA_KILL_DIR"), folder.path());
            environment.insert(QStringLiteral("ASAN_OPTIONS"),
                               QStringLiteral("verify_asan_link_order=0"));
            child.setProcessEnvironment(environment);
            child.start(QStringLiteral(JOURNAL_STORE_HELPER), {QStringLiteral("save-once"), path});
            QVERIFY(child.waitForFinished(30'000));
            const bool saved = child.readAllStandardOutput().contains("saved");
            if (child.exitStatus() == QProcess::NormalExit)
                break; // past the last step
            for (int start = 0; start < 2; ++start) {
                const QString context = QStringLiteral("kill point %1").arg(killPoint);
                try {
                    const std::size_t count =
                        JournalStore::open(StoreConfiguration::atPath(path))->sessions().size();
                    QVERIFY2(saved ? count == 1 : count <= 1, qPrintable(context));
                } catch (const JournalStore::OpenError& error) {
                    QFAIL(qPrintable(context + u": " + error.description()));
                }
            }
        }
        QVERIFY2(killPoint > 20, qPrintable(QString::number(killPoint)));
    }
};

QTEST_GUILESS_MAIN(TestJournalStoreCrash)
#include "tst_journalstorecrash.moc"
