// SPDX-License-Identifier: MIT
#include "InsightsTestSupport.h"
#include "core/insights/PracticeAnalytics.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

class TestCalendarYearHeatmap : public QObject {
    Q_OBJECT

    std::unique_ptr<CalendarYearContributionHeatmap> m_heatmap;

    // January 2026: a session on the 3rd, two today (the 10th) and one logged ahead for the 20th.
    CalendarYearContributionHeatmap& showJanuary(int width) {
        InsightsFixture journal;
        journal.now = at({2026, 1, 10, 12, 0});
        journal.save({2026, 1, 3, 9, 0}, 1200);
        journal.save({2026, 1, 10, 8, 0}, 600);
        journal.save({2026, 1, 10, 11, 0}, 700);
        journal.save({2026, 1, 20, 9, 0}, 1000);
        const auto& sessions = journal.store->sessions();
        m_heatmap = std::make_unique<CalendarYearContributionHeatmap>(
            u"Your year in practice"_s, u"Every day you showed up in 2026"_s,
            CalendarHeatmapPresentation::hero, newYork());
        m_heatmap->setBands(
            {PracticeAnalytics::calendarBand(
                u"full-year"_s, u"2026"_s,
                PracticeAnalytics::calendarYearHeatmap(sessions, journal.now, newYork()),
                newYork())},
            PracticeAnalytics::calendarYearBands(sessions, journal.now, true, newYork()));
        m_heatmap->resize(width, 600);
        m_heatmap->show();
        return *m_heatmap;
    }
    QString shownLayout() const { return m_heatmap->shownLayout()->objectName(); }

private Q_SLOTS:
    void cleanup() { m_heatmap.reset(); }

    void theYearStandsInOneBandWhenItFits() {
        showJanuary(1200);
        QCOMPARE(shownLayout(), u"year-heatmap-wide"_s);
        QCOMPARE(m_heatmap->shownBands().size(), 1);
        m_heatmap->resize(800, 600);
        QTRY_COMPARE(shownLayout(), u"year-heatmap-split"_s);
        QCOMPARE(m_heatmap->shownBands().size(), 2);
        m_heatmap->resize(1200, 600);
        QTRY_COMPARE(shownLayout(), u"year-heatmap-wide"_s);
    }

    void onlyPastDaysAndTodayReachAssistiveTechnology_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("wide") << 1200;
        QTest::newRow("split") << 800;
    }
    void onlyPastDaysAndTodayReachAssistiveTechnology() {
        QFETCH(int, width);
        showJanuary(width);
        const QStringList days = announcedDays(*m_heatmap);
        QCOMPARE(days.size(), 10);
        QCOMPARE(days[2], u"Saturday, January 3, 2026: 20 min, 1 session | Intensity 2 of 4"_s);
        QCOMPARE(days[3], u"Sunday, January 4, 2026: 0 min, 0 sessions | Intensity 0 of 4"_s);
        QCOMPARE(days[9], u"Saturday, January 10, 2026: 21 min, 2 sessions | Intensity 2 of 4"_s);

        QAccessibleInterface* grid =
            QAccessible::queryAccessibleInterface(m_heatmap->shownBands().first());
        QCOMPARE(grid->role(), QAccessible::List);
        QCOMPARE(grid->child(0)->role(), QAccessible::ListItem);
        QCOMPARE(grid->indexOfChild(grid->child(9)), 9);
        // The second half of the year has no day yet to tell of, and is no Tab stop.
        if (m_heatmap->shownBands().size() == 2) {
            CalendarHeatmapBandView* later = m_heatmap->shownBands().last();
            QCOMPARE(QAccessible::queryAccessibleInterface(later)->childCount(), 0);
            QCOMPARE(later->focusPolicy(), Qt::NoFocus);
        }
    }

    void arrowKeysMoveTheFocusedDay() {
        showJanuary(1200);
        QApplication::setActiveWindow(m_heatmap.get());
        QVERIFY(QTest::qWaitForWindowActive(m_heatmap.get()));
        CalendarHeatmapBandView* band = m_heatmap->shownBands().first();
        band->setFocus(Qt::TabFocusReason);
        QVERIFY(band->hasFocus());
        // What a screen reader finds focused after each key.
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(band);
        QStringList focused{grid->focusChild()->text(QAccessible::Name)};
        for (const Qt::Key key : {Qt::Key_Left,  // a week back
                                  Qt::Key_Up,    // a day back
                                  Qt::Key_Right, // a week on
                                  Qt::Key_Right, // the 16th is still to come: stays
                                  Qt::Key_Down,  // a day on
                                  Qt::Key_Home}) {
            QTest::keyClick(band, key);
            focused << grid->focusChild()->text(QAccessible::Name);
            QVERIFY(grid->focusChild()->state().focused);
        }
        QCOMPARE(focused, (QStringList{u"Saturday, January 10, 2026: 21 min, 2 sessions"_s,
                                       u"Saturday, January 3, 2026: 20 min, 1 session"_s,
                                       u"Friday, January 2, 2026: 0 min, 0 sessions"_s,
                                       u"Friday, January 9, 2026: 0 min, 0 sessions"_s,
                                       u"Friday, January 9, 2026: 0 min, 0 sessions"_s,
                                       u"Saturday, January 10, 2026: 21 min, 2 sessions"_s,
                                       u"Thursday, January 1, 2026: 0 min, 0 sessions"_s}));
    }
};

QTEST_MAIN(TestCalendarYearHeatmap)
#include "tst_calendaryearheatmap.moc"
