// SPDX-License-Identifier: MIT
// A session timed from Home lands on Home while it stays on screen.
#include "InsightsTestSupport.h"
#include "ui/insights/CalendarHeatmapBandView.h"
#include "ui/insights/HomeView.h"
#include "ui/insights/InsightsView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/ContentSidebar.h"
#include "ui/shell/ShellTestSupport.h"

#include <QAbstractButton>
#include <QScrollArea>
#include <QScrollBar>
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

    std::unique_ptr<BrevantaApp> openApp() {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        environment.fileChooser = std::make_shared<FakeFileChooser>();
        environment.settings =
            std::make_unique<QSettings>(m_folder.filePath(u"settings.ini"_s), QSettings::IniFormat);
        return std::make_unique<BrevantaApp>(StoreConfiguration::inMemory(),
                                             std::move(environment));
    }

    void aSessionFinishedWhileHomeIsOnScreenShowsThereAtOnce() {
        const std::unique_ptr<BrevantaApp> owner = openApp();
        BrevantaApp& app = *owner;
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

    // In a small window with the sidebar shown, the year fits the page with smaller cells; in a
    // large one it keeps its full size.
    void theYearFitsTheWindowWithoutScrollingSideways_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("width");
        QTest::newRow("Home at 760") << int(AppDestination::home) << 760;
        QTest::newRow("Home at 1280") << int(AppDestination::home) << 1280;
        QTest::newRow("Insights at 760") << int(AppDestination::insights) << 760;
        QTest::newRow("Insights at 1280") << int(AppDestination::insights) << 1280;
    }
    void theYearFitsTheWindowWithoutScrollingSideways() {
        QFETCH(int, page);
        QFETCH(int, width);
        const std::unique_ptr<BrevantaApp> app = openApp();
        // The year shows once the journal has a practised day.
        const Instant day = m_time.now;
        app->store().insert(PracticeSession::create(
            QUuid::createUuid(), day, 1800, PracticeSessionSource::manual, std::nullopt, {}, day));
        app->store().save();
        ContentView* window = app->openMainWindow();
        window->resize(width, 600);
        window->setColumnVisibility(ContentView::ColumnVisibility::all);
        window->chooseDestination(AppDestination(AppDestination::Value(page)));
        QWidget* screen = window->shownScreen();
        QTRY_VERIFY(screen->isVisible());
        const CalendarYearContributionHeatmap* heatmap =
            page == AppDestination::home ? qobject_cast<HomeView*>(screen)->heatmap()
                                         : qobject_cast<InsightsView*>(screen)->heatmap();
        auto* scroll = screen->findChild<QScrollArea*>();
        QVERIFY(window->sidebar()->isVisible());
        QTRY_VERIFY(heatmap->isVisible() && !heatmap->shownBands().isEmpty());
        QTRY_VERIFY(heatmap->shownBands().first()->isVisible());
        // Wide, the bands keep their full size; narrow, they shrink below it.
        const auto settled = [&] {
            for (const CalendarHeatmapBandView* band : heatmap->shownBands()) {
                if (width == 1280 ? band->size() != band->sizeHint()
                                  : band->width() >= band->sizeHint().width())
                    return false;
            }
            return true;
        };
        QTRY_VERIFY(settled());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        for (const CalendarHeatmapBandView* band : heatmap->shownBands()) {
            const int left = band->mapTo(scroll->viewport(), QPoint(0, 0)).x();
            QVERIFY(left >= 0 && left + band->drawnWidth() <= scroll->viewport()->width());
            QVERIFY(band->cellSize() >= CalendarHeatmapBandView::minimumCellSize);
        }
    }
};

QTEST_MAIN(TestInsightsRoad)
#include "tst_insightsroad.moc"
