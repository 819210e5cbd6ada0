// SPDX-License-Identifier: MIT
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString app = QStringLiteral(BREVANTA_APP);

/// The real app binary on a private data and runtime folder, driven through its widgets by the
/// driver library (see AppDriver.cpp).
class DrivenApp {
public:
    DrivenApp(const QProcessEnvironment& environment, const QStringList& arguments = {}) {
        QProcessEnvironment driven = environment;
        driven.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(BREVANTA_APP_DRIVER));
        // Under the sanitizers the preloaded library comes before their runtime.
        driven.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        m_process.setProcessEnvironment(driven);
        m_process.start(app, arguments);
    }
    ~DrivenApp() {
        m_process.kill();
        m_process.waitForFinished();
    }

    /// Sends `command` and returns the answer's lines before "ok"; "error …" on failure.
    QStringList ask(const QString& command) {
        m_process.write(command.toUtf8() + '\n');
        QStringList lines;
        QDeadlineTimer deadline(20'000);
        while (!deadline.hasExpired()) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line == QLatin1String("ok"))
                    return lines;
                if (line.startsWith(QLatin1String("error")))
                    return {line};
                lines.append(line);
            }
            if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        return {QStringLiteral("error no answer to ") + command};
    }
    /// Waits until the main window is up.
    bool waitForWindow() {
        return QTest::qWaitFor(
            [this] {
                return ask(QStringLiteral("window")).value(0).startsWith(QLatin1String("window "));
            },
            30'000);
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

} // namespace

/// Brevanta as a desktop citizen: its command line, one instance per user that takes the files
/// of later launches, and a running practice session that survives the process.
class TestDesktopSession : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_dataHome;

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           m_folder.filePath(QStringLiteral("run")));
        return environment;
    }
    QString recoveryFile() const {
        return m_dataHome + QStringLiteral("/Brevanta/running-session.json");
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_folder.isValid());
        m_dataHome =
            m_folder.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-') +
                              QString::fromLatin1(QTest::currentDataTag())
                                  .replace(QLatin1Char(' '), QLatin1Char('-')));
        QDir().mkpath(m_folder.filePath(QStringLiteral("run")));
        QFile::setPermissions(m_folder.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void commandLineAnswers_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                              << QStringLiteral("[FILE.csv…]");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("Brevanta 0.");
        QTest::newRow("Qt's own options are no usage error")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"),
                           QStringLiteral("--version")}
            << 0 << QStringLiteral("Brevanta 0.");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")} << 2
                                        << QStringLiteral("Unknown option 'frobnicate'.");
        QTest::newRow("not a csv file") << QStringList{QStringLiteral("notes.txt")} << 2
                                        << QStringLiteral("'notes.txt' is not a .csv file");
    }
    void commandLineAnswers() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        for (const bool withDisplay : {true, false}) {
            QProcessEnvironment environment = this->environment();
            if (!withDisplay) {
                for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                    environment.remove(QString::fromLatin1(name));
            }
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(app, arguments);
            QVERIFY(process.waitForFinished(30'000));
            QCOMPARE(process.exitCode(), exitCode);
            const QString said = QString::fromUtf8(exitCode == 0 ? process.readAllStandardOutput()
                                                                 : process.readAllStandardError());
            QVERIFY2(said.contains(output), qPrintable(said));
            QVERIFY(!QFile::exists(m_dataHome));
        }
    }

    // "-ui-testing" keeps the journal in memory: a broken data folder does not stop the app.
    void inMemorySwitchIgnoresTheBrokenJournal() {
        QFile blocker(m_dataHome);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        DrivenApp app(environment(), {QStringLiteral("-ui-testing")});
        QVERIFY(app.waitForWindow());
        QVERIFY(!app.process().readAllStandardError().contains("could not open its data store"));
    }

    // A second launch hands its files to the running Brevanta, whose window comes forward.
    void secondLaunchHandsOverToTheFirst() {
        DrivenApp first(environment());
        QVERIFY(first.waitForWindow());
        QCOMPARE(first.ask(QStringLiteral("minimize")), QStringList());

        QProcess second;
        second.setProcessEnvironment(environment());
        second.setWorkingDirectory(QStringLiteral(BREVANTA_TEST_DATA_DIR));
        second.start(app, {QStringLiteral("Practice Log March 2024.csv")});
        QVERIFY(second.waitForFinished(30'000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardError(), QByteArray());

        const QString expected =
            QStringLiteral("window active=1 minimized=0 imported=" BREVANTA_TEST_DATA_DIR
                           "/Practice Log March 2024.csv");
        QTRY_COMPARE_WITH_TIMEOUT(first.ask(QStringLiteral("window")), QStringList{expected},
                                  10'000);
    }

    // SIGKILL mid-session: the next launch offers the session and its thought back, and takes
    // over the dead process's socket.
    void killedSessionIsOfferedBack() {
        {
            DrivenApp killed(environment());
            QVERIFY(killed.waitForWindow());
            QCOMPARE(killed.ask(QStringLiteral("trigger Start Practice")), QStringList());
            // The transport bar slides in first.
            QTRY_COMPARE(killed.ask(QStringLiteral("click active-session-add-thought")),
                         QStringList());
            QCOMPARE(killed.ask(QStringLiteral("type active-quick-thought-field Legato at 90 bpm")),
                     QStringList());
            QCOMPARE(killed.ask(QStringLiteral("click active-quick-thought-add")), QStringList());
            QVERIFY(QFile::exists(recoveryFile()));
            killed.process().kill();
            QVERIFY(killed.process().waitForFinished());
        }
        DrivenApp relaunched(environment());
        QVERIFY(relaunched.waitForWindow());
        const QStringList dialogs = relaunched.ask(QStringLiteral("dialogs"));
        QVERIFY2(dialogs.contains(QStringLiteral("dialog recovered-session-offer")),
                 qPrintable(dialogs.join(QLatin1Char('\n'))));
        QVERIFY(dialogs.contains(QStringLiteral("label • Legato at 90 bpm")));

        QProcess third;
        third.setProcessEnvironment(environment());
        third.start(app, {});
        QVERIFY(third.waitForFinished(30'000));
        QCOMPARE(third.exitCode(), 0);

        QCOMPARE(relaunched.ask(QStringLiteral("click recovered-session-discard")), QStringList());
        QTRY_VERIFY(!QFile::exists(recoveryFile()));
    }

    // A file the app cannot use (here, one from a newer version) is set aside, and it says so.
    void unusableRecoveryFileIsSetAside() {
        const QByteArray bytes("{\"format\": \"brevanta.running-session\", \"version\": 7}");
        const QString message = QStringLiteral("saved by a newer version of Brevanta");
        QVERIFY(QDir().mkpath(QFileInfo(recoveryFile()).absolutePath()));
        QFile file(recoveryFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        DrivenApp launched(environment());
        QVERIFY(launched.waitForWindow());
        const QString dialogs = launched.ask(QStringLiteral("dialogs")).join(QLatin1Char('\n'));
        QVERIFY2(dialogs.contains(QStringLiteral("dialog recovery-set-aside")),
                 qPrintable(dialogs));
        QVERIFY2(dialogs.contains(message), qPrintable(dialogs));
        QVERIFY(!QFile::exists(recoveryFile()));
        const QStringList kept = QDir(QFileInfo(recoveryFile()).absolutePath())
                                     .entryList({QStringLiteral("running-session.*-*.json")});
        QCOMPARE(kept.size(), 1);
        QVERIFY(dialogs.contains(kept.first()));
    }
};

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_desktopsession.moc"
