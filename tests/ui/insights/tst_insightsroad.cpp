// SPDX-License-Identifier: MIT
// A session timed from Home lands on Home while it stays on screen.
#include "InsightsTestSupport.h"
#include "ui/insights/HomeView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/ShellTestSupport.h"

#include <QAbstractButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

class TestInsightsRoad : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    MovableClock m_time; // Wednesday 5 March 2025, 15:00 in the tests' UTC

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }

    void aSessionFinishedWhileHomeIsOnScreenShowsThereAtOnce() {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        environment.fileChooser = std::make_shared<FakeFileChooser>();
        environment.settings =
            std::make_unique<QSettings>(m_folder.filePath(u"settings.ini"_s), QSettings::IniFormat);
        BrevantaApp app(StoreConfiguration::inMemory(), std::move(environment));
        ContentView* window = app.openMainWindow();
        auto* home = qobject_cast<HomeView*>(window->shownScreen());
        QVERIFY(home);
        QTRY_VERIFY(home->isVisible());
        QLabel* total = named(*home, u"home-weekly-total"_s);
        QCOMPARE(total->text(), u"0 min"_s);

        named<QAbstractButton>(*home, u"home-start-practice"_s)->click();
        QVERIFY(window->workspaceRoute() == SessionWorkspaceRoute::active());
        m_time.advance(25 * 60);
        window->chooseDestination(AppDestination::home); // back home while the clock runs
        QCOMPARE(window->shownScreen(), home);

        window->showFinish(); // from the transport bar
        auto* sheet = window->findChild<FinishPracticeSessionView*>();
        QVERIFY(sheet);
        auto* add = sheet->findChild<QAbstractButton*>(u"add-to-journal"_s);
        QVERIFY(add && add->isEnabled());
        add->click();
        QCOMPARE(app.store().sessions().size(), 1u);

        QTRY_COMPARE(total->text(), u"25 min"_s);
        QCOMPARE(window->shownScreen(), home);
        QCOMPARE(named(*home, u"home-weekly-copy"_s)->text(),
                 u"One day of music is already part of this week."_s);
        const QList<QWidget*> strip = home->findChildren<QWidget*>(u"home-practice-day"_s);
        QCOMPARE(strip[2]->accessibleDescription(), u"Practised"_s); // Wednesday
        QVERIFY(announcedDays(*home->heatmap())
                    .last()
                    .endsWith(u": 25 min, 1 session | Intensity 2 of 4"_s));
    }
};

QTEST_MAIN(TestInsightsRoad)
#include "tst_insightsroad.moc"
