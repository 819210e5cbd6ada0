// SPDX-License-Identifier: MIT
// The window comes up before the journal's rows: the screens wait quietly instead of showing an
// empty journal, and practice started and finished meanwhile is kept.
#include "ShellTestSupport.h"
#include "core/store/JournalStore.h"
#include "ui/design/AppLoadingState.h"
#include "ui/insights/HomeView.h"
#include "ui/insights/InsightsView.h"
#include "ui/journal/SessionsView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/ContentView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;

class TestStartupLoading : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    MovableClock m_time;

    // Two sessions earlier this week, in a journal on disk.
    QString seededJournal() {
        const QString path = m_folder.filePath(QStringLiteral("Brevanta.sqlite"));
        const auto store = JournalStore::open(StoreConfiguration::atPath(path));
        for (const int daysAgo : {1, 2}) {
            const Instant start = m_time.now.addingMSecs(-std::int64_t(daysAgo) * 86'400'000);
            store->insert(PracticeSession::create(QUuid::createUuid(), start, 1800,
                                                  PracticeSessionSource::manual, std::nullopt, {},
                                                  start));
        }
        store->save();
        return path;
    }

    std::unique_ptr<BrevantaApp> makeApp(const QString& journal) {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        environment.fileChooser = std::make_shared<FakeFileChooser>();
        environment.settings = std::make_unique<QSettings>(
            m_folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        return std::make_unique<BrevantaApp>(StoreConfiguration::atPath(journal),
                                             std::move(environment));
    }

    static bool waitsForTheJournal(const QWidget* screen) {
        const auto* loading =
            screen->findChild<AppLoadingState*>(QStringLiteral("journal-loading"));
        return loading && loading->isVisible();
    }
    static bool shows(const QWidget* screen, const QString& name) {
        const auto* widget = screen->findChild<QWidget*>(name);
        return widget && widget->isVisible();
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }

    // No event is processed before the save: the rows cannot have arrived by then.
    void screensWaitAndPractiseMeanwhileIsKept() {
        const auto app = makeApp(seededJournal());
        JournalStore& store = app->store();
        QSignalSpy loaded(&store, &JournalStore::loaded);
        ContentView* window = app->openMainWindow();

        auto* home = window->findChild<HomeView*>();
        QVERIFY(home && home->isVisible());
        QVERIFY(waitsForTheJournal(home));
        QVERIFY(!shows(home, QStringLiteral("home-weekly-pulse")));
        QVERIFY(shows(home, QStringLiteral("home-start-practice")));
        QVERIFY(!home->findChild<QLabel*>(QStringLiteral("home-greeting"))->text().isEmpty());

        window->chooseDestination(AppDestination::journal);
        auto* journal = window->findChild<SessionsView*>();
        QVERIFY(journal && journal->isVisible());
        QVERIFY(waitsForTheJournal(journal));
        QVERIFY(!shows(journal, QStringLiteral("journal-empty")));

        window->chooseDestination(AppDestination::insights);
        auto* insights = window->findChild<InsightsView*>();
        QVERIFY(insights && insights->isVisible());
        QVERIFY(waitsForTheJournal(insights));
        QVERIFY(!shows(insights, QStringLiteral("insights-empty-story")));

        // What the window's Start and Finish commands do.
        window->startPractice();
        QVERIFY(app->activeSessionController().hasActiveSession());
        m_time.advance(600);
        window->showFinish();
        auto* sheet = window->findChild<FinishPracticeSessionView*>();
        QVERIFY(sheet);
        auto* add = sheet->findChild<QAbstractButton*>(QStringLiteral("add-to-journal"));
        QVERIFY(add && add->isEnabled());
        add->click();
        QVERIFY(!store.isLoaded());
        QVERIFY(!app->activeSessionController().hasActiveSession());
        QVERIFY(!store.hasChanges());

        QVERIFY(loaded.wait());
        QCOMPARE(store.sessions().size(), 3u);
        QCOMPARE(store.sessions().front()->durationSeconds(), 600);
        window->chooseDestination(AppDestination::insights);
        QVERIFY(!waitsForTheJournal(insights));
        QVERIFY(shows(insights, QStringLiteral("insights-story")));
        window->chooseDestination(AppDestination::journal);
        QVERIFY(!waitsForTheJournal(journal));
        QCOMPARE(journal->filteredSessions().size(), 3u);
        window->chooseDestination(AppDestination::home);
        QVERIFY(!waitsForTheJournal(home));
        QVERIFY(shows(home, QStringLiteral("home-weekly-pulse")));
    }
};

QTEST_MAIN(TestStartupLoading)
#include "tst_startuploading.moc"
