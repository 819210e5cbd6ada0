// SPDX-License-Identifier: MIT
#include "InsightsTestSupport.h"
#include "ui/insights/ClockBoundaryTimer.h"
#include "ui/insights/HomeView.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

class TestHomeView : public QObject {
    Q_OBJECT

    std::unique_ptr<InsightsFixture> m_journal;
    std::unique_ptr<HomeView> m_view;

    HomeView& show() {
        m_view = std::make_unique<HomeView>(*m_journal->store, m_journal->clock(), newYork());
        m_view->resize(1100, 900);
        m_view->show();
        return *m_view;
    }
    QString text(const QString& name) const { return named(*m_view, name)->text(); }
    QList<bool> strip() const {
        QList<bool> practised;
        for (const QWidget* day : m_view->findChildren<QWidget*>(u"home-practice-day"_s))
            practised << (day->accessibleDescription() == u"Practised"_s);
        return practised;
    }

private Q_SLOTS:
    void init() { m_journal = std::make_unique<InsightsFixture>(); }
    void cleanup() { m_view.reset(); }

    void aFreshJournalOpensTheWeek() {
        show();
        QCOMPARE(text(u"home-weekly-copy"_s),
                 u"The week is open. Play when the moment feels right."_s);
        QCOMPARE(text(u"home-weekly-total"_s), u"0 min"_s);
        QCOMPARE(named(*m_view, u"home-weekly-total"_s)->accessibleName(),
                 u"Practice time this week, 0 min"_s);
        QVERIFY(!named(*m_view, u"home-weekly-comparison"_s)->isVisible());
        QCOMPARE(strip(), QList<bool>(7, false));
        QStringList names;
        for (const QWidget* day : m_view->findChildren<QWidget*>(u"home-practice-day"_s))
            names << day->accessibleName();
        // Screen readers jump by headings to the page's question.
        QCOMPARE(
            QAccessible::queryAccessibleInterface(named(*m_view, u"home-invitation"_s))->role(),
            QAccessible::Heading);
        QCOMPARE(names, (QStringList{u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s, u"Thursday"_s,
                                     u"Friday"_s, u"Saturday"_s, u"Sunday"_s}));

        // 1 January to today, 5 March, and nothing after.
        const QStringList days = announcedDays(*m_view->heatmap());
        QCOMPARE(days.size(), 31 + 28 + 5);
        QCOMPARE(days.first(),
                 u"Wednesday, January 1, 2025: 0 min, 0 sessions | Intensity 0 of 4"_s);
        QCOMPARE(days.filter(u"Intensity 0 of 4"_s).size(), days.size());
    }

    void greetingFollowsTheHour_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("11:59") << 11 << 59 << u"Good morning"_s;
        QTest::newRow("12:00") << 12 << 0 << u"Good afternoon"_s;
        QTest::newRow("17:59") << 17 << 59 << u"Good afternoon"_s;
        QTest::newRow("18:00") << 18 << 0 << u"Good evening"_s;
    }
    void greetingFollowsTheHour() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, greeting);
        m_journal->now = at({2025, 3, 5, hour, minute});
        show();
        QCOMPARE(text(u"home-greeting"_s), greeting);
    }

    void mondayAndWednesdayAgainstLastWeekSoFar() {
        m_journal->save({2025, 3, 3, 18, 0}, 1800);  // Monday
        m_journal->save({2025, 3, 5, 8, 0}, 900);    // Wednesday, today
        m_journal->save({2025, 2, 26, 20, 0}, 1200); // last Wednesday evening: counts
        m_journal->save({2025, 2, 27, 9, 0}, 3600);  // last Thursday: not yet
        show();
        QCOMPARE(text(u"home-weekly-copy"_s), u"You’ve made room for music on 2 days this week."_s);
        QCOMPARE(text(u"home-weekly-total"_s), u"45 min"_s);
        QVERIFY(named(*m_view, u"home-weekly-comparison"_s)->isVisible());
        QCOMPARE(text(u"home-weekly-comparison"_s), u"20 min by this point last week"_s);
        QCOMPARE(strip(), (QList<bool>{true, false, true, false, false, false, false}));
        const QStringList days = announcedDays(*m_view->heatmap());
        QCOMPARE(days.last(), u"Wednesday, March 5, 2025: 15 min, 1 session | Intensity 1 of 4"_s);
        QCOMPARE(days[days.size() - 3],
                 u"Monday, March 3, 2025: 30 min, 1 session | Intensity 2 of 4"_s);
    }

    void figuresFollowSavesEditsAndDeletions() {
        show();
        const PracticeSessionPtr session = m_journal->save({2025, 3, 4, 7, 30}, 1500);
        QTRY_COMPARE(text(u"home-weekly-total"_s), u"25 min"_s);
        QCOMPARE(text(u"home-weekly-copy"_s), u"One day of music is already part of this week."_s);
        QCOMPARE(strip()[1], true);

        session->applyEdits(session->startedAt(), 4000, std::nullopt, {}, m_journal->now);
        m_journal->store->save();
        QTRY_COMPARE(text(u"home-weekly-total"_s), u"1h 6m"_s);
        QVERIFY(announcedDays(*m_view->heatmap())
                    .contains(u"Tuesday, March 4, 2025: 1h 6m, 1 session | Intensity 4 of 4"_s));

        m_journal->store->remove(session);
        m_journal->store->save();
        QTRY_COMPARE(text(u"home-weekly-total"_s), u"0 min"_s);
        QCOMPARE(strip(), QList<bool>(7, false));
    }

    void theClockCrossesMidnightIntoMondayWithTheScreenOpen() {
        m_journal->save({2025, 3, 3, 10, 0}, 600);  // Monday
        m_journal->save({2025, 3, 9, 15, 0}, 3600); // Sunday
        m_journal->now = at({2025, 3, 9, 23, 59, 59}).addingMSecs(950);
        show();
        QCOMPARE(text(u"home-greeting"_s), u"Good evening"_s);
        QCOMPARE(text(u"home-weekly-total"_s), u"1h 10m"_s);
        QVERIFY(!named(*m_view, u"home-weekly-comparison"_s)->isVisible());

        // The screen waits for midnight; only the injected clock moves, then its timer looks.
        QCOMPARE(m_view->boundaryTimer()->boundary(), std::optional(at({2025, 3, 10, 0, 0})));
        m_journal->now = at({2025, 3, 10, 0, 0}).addingMSecs(50);
        m_view->boundaryTimer()->check();
        QTRY_COMPARE(text(u"home-weekly-copy"_s),
                     u"The week is open. Play when the moment feels right."_s);
        QCOMPARE(text(u"home-greeting"_s), u"Good morning"_s);
        QCOMPARE(text(u"home-weekly-total"_s), u"0 min"_s);
        QCOMPARE(text(u"home-weekly-comparison"_s), u"10 min by this point last week"_s);
        QCOMPARE(strip(), QList<bool>(7, false));
        QCOMPARE(announcedDays(*m_view->heatmap()).last(),
                 u"Monday, March 10, 2025: 0 min, 0 sessions | Intensity 0 of 4"_s);
    }

    void theButtonsAskTheWindow() {
        show();
        QSignalSpy start(m_view.get(), &HomeView::startRequested);
        QSignalSpy log(m_view.get(), &HomeView::logRequested);
        named<QAbstractButton>(*m_view, u"home-start-practice"_s)->click();
        named<QAbstractButton>(*m_view, u"home-log-practice"_s)->click();
        QCOMPARE(start.count(), 1);
        QCOMPARE(log.count(), 1);
    }
};

QTEST_MAIN(TestHomeView)
#include "tst_homeview.moc"
