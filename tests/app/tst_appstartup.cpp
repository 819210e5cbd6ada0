// SPDX-License-Identifier: MIT
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

const QString fatalPrefix = QStringLiteral("Brevanta could not open its data store. The app "
                                           "stopped to avoid hiding persistence failure: ");

} // namespace

/// The application binary stops before any window when its journal cannot be opened.
class TestAppStartup : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    QProcessEnvironment environmentWithData(const QString& dataHome) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), m_folder.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        const QString runtime = m_folder.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        return environment;
    }

private Q_SLOTS:
    void unopenableJournalStopsTheApp_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("descriptionStart");
        QTest::newRow("data folder is a file")
            << QStringLiteral("file-as-folder") << QStringLiteral("The folder ");
        QTest::newRow("journal is not a journal")
            << QStringLiteral("not-a-journal") << QStringLiteral("The file ");
    }
    void unopenableJournalStopsTheApp() {
        QFETCH(QString, layout);
        QFETCH(QString, descriptionStart);
        QVERIFY(m_folder.isValid());
        const QString dataHome = m_folder.filePath(layout);
        QString untouched;
        if (layout == QStringLiteral("file-as-folder")) {
            QFile blocker(dataHome);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            untouched = dataHome;
        } else {
            QVERIFY(QDir().mkpath(dataHome + QStringLiteral("/Brevanta")));
            QFile notes(dataHome + QStringLiteral("/Brevanta/Brevanta.sqlite"));
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("shopping list\n");
            untouched = notes.fileName();
        }
        QFile before(untouched);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();

        QProcess app;
        app.setProcessEnvironment(environmentWithData(dataHome));
        app.start(QStringLiteral(BREVANTA_APP), {});
        QVERIFY(app.waitForFinished(60'000));
        const QString errors = QString::fromLocal8Bit(app.readAllStandardError());
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QVERIFY(app.exitCode() != 0);
        // The message is the whole of what the app says, on one line.
        QVERIFY2(errors.startsWith(fatalPrefix + descriptionStart), qPrintable(errors));
        QVERIFY2(errors.contains(dataHome), qPrintable(errors));
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);

        QFile after(untouched);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
    }

    // A logout, `kill` or Ctrl+C quits as the Quit command does: the journal closed with its
    // lock and side files gone, and the settings owner-only even under a permissive umask.
    void quitSignalClosesTheJournal_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void quitSignalClosesTheJournal() {
        QFETCH(int, signal);
        const QString dataHome = m_folder.filePath(QStringLiteral("quit-%1").arg(signal));
        const QString configHome = dataHome + QStringLiteral("-config");
        const QString journal = dataHome + QStringLiteral("/Brevanta/Brevanta.sqlite");
        QProcessEnvironment environment = environmentWithData(dataHome);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);

        QProcess app;
        app.setProcessEnvironment(environment);
        const mode_t mask = ::umask(0);
        app.start(QStringLiteral(BREVANTA_APP), {});
        ::umask(mask);
        QVERIFY(app.waitForStarted());
        // The journal is open once its write-ahead log is there.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(journal + QStringLiteral("-wal")), 60'000);
        QCOMPARE(::kill(pid_t(app.processId()), signal), 0);
        QVERIFY(app.waitForFinished(60'000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);

        QVERIFY(QFileInfo::exists(journal));
        for (const char* suffix : {".lock", "-wal", "-shm"})
            QVERIFY2(!QFileInfo::exists(journal + QLatin1String(suffix)), suffix);
        const QFileInfo settings(configHome + QStringLiteral("/Brevanta/Brevanta.conf"));
        QCOMPARE(settings.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestAppStartup)
#include "tst_appstartup.moc"
