// SPDX-License-Identifier: MIT
#include "InsightsTestSupport.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/insights/InsightsView.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

class TestInsightsView : public QObject {
    Q_OBJECT

    std::unique_ptr<InsightsFixture> m_journal;
    std::unique_ptr<InsightsView> m_view;

    InsightsView& show() {
        m_view = std::make_unique<InsightsView>(*m_journal->store, m_journal->clock(), newYork());
        m_view->resize(1100, 900);
        m_view->show();
        return *m_view;
    }
    bool storyTold() const {
        const bool told = m_view->findChild<QWidget*>(u"insights-story"_s)->isVisible();
        // One of the two, never both.
        return told == !m_view->findChild<QWidget*>(u"insights-empty-story"_s)->isVisible() && told;
    }
    QStringList facts() const {
        QStringList read;
        for (const QWidget* fact : m_view->findChildren<QWidget*>(u"insights-fact"_s))
            read << fact->accessibleName();
        return read;
    }

private Q_SLOTS:
    void init() { m_journal = std::make_unique<InsightsFixture>(); }
    void cleanup() { m_view.reset(); }

    void anEmptyJournalIsWhereTheStoryBegins() {
        show();
        QVERIFY(!storyTold());
        QVERIFY(m_view->findChild<QWidget*>(u"insights-empty-story"_s)->isVisible());
        const QStringList days = announcedDays(*m_view->heatmap());
        QCOMPARE(days.size(), 31 + 28 + 5);
        QCOMPARE(days.filter(u"Intensity 0 of 4"_s).size(), days.size());
    }

    void theStoryFollowsTheJournal() {
        show();
        m_journal->save({2024, 11, 28, 18, 0}, 1500);
        QTRY_VERIFY(storyTold());
        QCOMPARE(named(*m_view, u"insights-total-practice"_s)->text(), u"25 min"_s);
        QCOMPARE(named(*m_view, u"insights-total-practice"_s)->accessibleName(),
                 u"Total practice time, 25 min"_s);
        QCOMPARE(facts(), (QStringList{u"1, session"_s, u"1-day, longest run"_s,
                                       u"November 2024, your story began"_s}));

        m_journal->save({2025, 3, 3, 7, 0}, 3600);
        m_journal->save({2025, 3, 4, 7, 0}, 2700);
        m_journal->save({2025, 3, 4, 19, 0}, 600);
        QTRY_COMPARE(named(*m_view, u"insights-total-practice"_s)->text(), u"2h 20m"_s);
        QCOMPARE(facts(), (QStringList{u"4, sessions"_s, u"2-day, longest run"_s,
                                       u"November 2024, your story began"_s}));

        // Deleting every session tells the empty story again at once.
        const std::vector<PracticeSessionPtr> all = m_journal->store->sessions();
        for (const PracticeSessionPtr& session : all)
            m_journal->store->remove(session);
        m_journal->store->save();
        QTRY_VERIFY(m_view->findChild<QWidget*>(u"insights-empty-story"_s)->isVisible());
        QVERIFY(!m_view->findChild<QWidget*>(u"insights-story"_s)->isVisible());
    }

    void factsStandInARowWhenTheyFit() {
        m_journal->save({2025, 3, 3, 7, 0}, 3600);
        show();
        auto* row = m_view->factsArrangement();
        QCOMPARE(row->currentOrientation(), Qt::Horizontal);
        // Squeezed below the row's width, as a narrower column or larger text would.
        row->resize(row->sizeHint().width() - 1, row->height());
        QCOMPARE(row->currentOrientation(), Qt::Vertical);
        row->resize(row->sizeHint().width(), row->height());
        QCOMPARE(row->currentOrientation(), Qt::Horizontal);
    }
};

QTEST_MAIN(TestInsightsView)
#include "tst_insightsview.moc"
