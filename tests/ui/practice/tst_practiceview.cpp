// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSessionController.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "support/TimerTestSupport.h"
#include "support/WidgetTestSupport.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppLabel.h"
#include "ui/design/FirstFitContainer.h"
#include "ui/editing/AdaptiveArrangement.h"
#include "ui/editing/PracticeFields.h"
#include "ui/practice/ActivePracticeRoom.h"
#include "ui/practice/PracticeView.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");
const Instant tenOClock = newYork.makeInstant({2025, 3, 4, 10}).value();

QStringList textsOf(const std::vector<ActiveThoughtDraft>& thoughts) {
    QStringList texts;
    for (const ActiveThoughtDraft& thought : thoughts)
        texts << thought.text;
    return texts;
}

QList<std::int64_t> ordersOf(const std::vector<ActiveThoughtDraft>& thoughts) {
    QList<std::int64_t> orders;
    for (const ActiveThoughtDraft& thought : thoughts)
        orders << thought.sortOrder;
    return orders;
}

} // namespace

class TestPracticeView : public QObject {
    Q_OBJECT

    MovableClock m_time{tenOClock};
    std::unique_ptr<ActivePracticeSessionController> m_controller;
    std::unique_ptr<PracticeView> m_view;

    Clock clock() { return m_time.clock(); }
    void advance(double seconds) { m_time.advance(seconds); }
    ActivePracticeRoom* room() const { return m_view->room(); }
    template <typename T> T* find(const QString& name) const {
        T* widget = m_view->findChild<T*>(name);
        if (!widget)
            qWarning() << "no widget named" << name;
        return widget;
    }
    QLineEdit* thoughtField() const { return find<QLineEdit>(u"thought-field"_s); }
    AppButton* button(const QString& name) const { return find<AppButton>(name); }
    QString clockText() const {
        const auto* fit = room()->findChild<FirstFitContainer*>();
        return static_cast<AppLabel*>(fit->currentVariant())->text();
    }
    QStringList shownThoughts() const {
        QStringList texts;
        for (const QWidget* row : room()->findChildren<QWidget*>(u"thought-row"_s))
            texts << row->findChild<AppLabel*>(u"thought-text"_s)->text();
        return texts;
    }
    const ActivePracticeSession& session() const { return *m_controller->activeSession(); }
    void typeThought(const QString& text) {
        thoughtField()->setFocus();
        QTest::keyClicks(thoughtField(), text);
        QTest::keyClick(thoughtField(), Qt::Key_Return);
    }
    void openRoom(int width = 1000) {
        m_controller->start(m_time.now);
        m_view->resize(width, 800);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QApplication::setActiveWindow(m_view.get());
        QVERIFY(room());
    }

private Q_SLOTS:
    void init() {
        m_time.now = tenOClock;
        m_controller = std::make_unique<ActivePracticeSessionController>(clock());
        m_view = std::make_unique<PracticeView>(*m_controller, clock(), newYork);
    }
    void cleanup() {
        m_view.reset();
        m_controller.reset();
    }

    void idleFaceAsksToStartAndFollowsTheController() {
        m_view->show();
        QVERIFY(!room());
        QSignalSpy start(m_view.get(), &PracticeView::startRequested);
        QVERIFY(find<QWidget>(u"practice-idle"_s)->isVisible());
        button(u"start-practice"_s)->click();
        QCOMPARE(start.count(), 1);
        QVERIFY(!m_controller->hasActiveSession());

        m_controller->start(m_time.now);
        QVERIFY(room());
        QVERIFY(room()->isVisible());
        QCOMPARE(room()->objectName(), u"session-workspace-active"_s);
        QCOMPARE(find<AppLabel>(u"practice-clock"_s)->accessibleName(), u"Elapsed practice time"_s);

        m_controller->discard();
        QVERIFY(!room());
        QVERIFY(find<QWidget>(u"practice-idle"_s)->isVisible());
    }

    void addingAThoughtTrimsItClearsTheFieldAndKeepsFocus() {
        openRoom();
        thoughtField()->setFocus();
        QTest::keyClicks(thoughtField(), u"   "_s);
        QVERIFY(!button(u"add-thought"_s)->isEnabled());
        QTest::keyClick(thoughtField(), Qt::Key_Return);
        QVERIFY(session().thoughts.empty());

        QTest::keyClicks(thoughtField(), u" Legato runs "_s);
        QVERIFY(button(u"add-thought"_s)->isEnabled());
        QTest::keyClick(thoughtField(), Qt::Key_Return);
        QCOMPARE(textsOf(session().thoughts), QStringList{u"Legato runs"_s});
        QCOMPARE(shownThoughts(), QStringList{u"Legato runs"_s});
        QVERIFY(thoughtField()->text().isEmpty());
        QVERIFY(!button(u"add-thought"_s)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), thoughtField());

        QTest::keyClicks(thoughtField(), u"Vibrato"_s);
        button(u"add-thought"_s)->click();
        QCOMPARE(textsOf(session().thoughts), (QStringList{u"Legato runs"_s, u"Vibrato"_s}));
        QCOMPARE(ordersOf(session().thoughts), (QList<std::int64_t>{0, 1}));
        // Tab reaches the new rows' buttons before the notes and the actions.
        const auto removes = room()->findChildren<AppButton*>(u"remove-thought"_s);
        QCOMPARE(nextTabStop(button(u"add-thought"_s)), removes.at(0));
        QCOMPARE(nextTabStop(removes.at(1)), find<QWidget>(u"practice-notes"_s));
    }

    void removingTheSecondOfThreeRenumbersTheRest() {
        openRoom();
        for (const QString& text : {u"One"_s, u"Two"_s, u"Three"_s})
            typeThought(text);
        const QUuid second = session().thoughts[1].id;
        QWidget* row = room()->findChildren<QWidget*>(u"thought-row"_s).at(1);
        row->findChild<AppButton*>(u"remove-thought"_s)->click();
        QCOMPARE(textsOf(session().thoughts), (QStringList{u"One"_s, u"Three"_s}));
        QCOMPARE(ordersOf(session().thoughts), (QList<std::int64_t>{0, 1}));
        QCOMPARE(shownThoughts(), (QStringList{u"One"_s, u"Three"_s}));
        QVERIFY(std::none_of(session().thoughts.begin(), session().thoughts.end(),
                             [&](const ActiveThoughtDraft& t) { return t.id == second; }));
    }

    void pauseHoldsTheClockAndResumeContinuesFromIt() {
        openRoom();
        advance(75);
        room()->refreshClock();
        QCOMPARE(clockText(), u"00:01:15"_s);

        button(u"pause-resume"_s)->click();
        QVERIFY(session().isPaused);
        QCOMPARE(button(u"pause-resume"_s)->text(), u"Resume"_s);
        QCOMPARE(button(u"pause-resume"_s)->symbolName(), u"play.fill"_s);
        QVERIFY(room()
                    ->findChild<QWidget*>(u"practice-clock-block"_s)
                    ->accessibleName()
                    .startsWith(u"PAUSED, 00:01:15, Started 10:00"_s));
        advance(600);
        room()->refreshClock();
        QCOMPARE(clockText(), u"00:01:15"_s);

        button(u"pause-resume"_s)->click();
        QVERIFY(!session().isPaused);
        QCOMPARE(button(u"pause-resume"_s)->text(), u"Pause"_s);
        advance(5);
        room()->refreshClock();
        QCOMPARE(clockText(), u"00:01:20"_s);
    }

    void theTickerRedrawsFromTheClockEverySecond() {
        openRoom();
        QTimer& ticker = room()->clockTicker();
        QCOMPARE(ticker.interval(), 1000);
        advance(3 * 3600 + 2);
        // The ticker reads the clock; it never counts its own ticks.
        QVERIFY(testing::fire(ticker));
        QCOMPARE(clockText(), u"03:00:02"_s);
        advance(1);
        QVERIFY(testing::fire(ticker));
        QCOMPARE(clockText(), u"03:00:03"_s);
        m_view->hide();
        QVERIFY(!ticker.isActive());
    }

    void finishAndPauseSynchroniseNotesFirst() {
        openRoom();
        QSignalSpy finish(m_view.get(), &PracticeView::finishRequested);
        QSignalSpy discard(m_view.get(), &PracticeView::discardRequested);
        auto* notes = find<GrowingTextEdit>(u"practice-notes"_s);
        notes->setFocus();
        QTest::keyClicks(notes, u"Warm hands"_s);
        QCOMPARE(session().notes, u"Warm hands"_s);
        button(u"finish-practice"_s)->click();
        QCOMPARE(finish.count(), 1);
        QVERIFY(m_controller->hasActiveSession());
        button(u"discard-practice"_s)->click();
        QCOMPARE(discard.count(), 1);
        QVERIFY(m_controller->hasActiveSession());
    }

    void aQuickThoughtJoinsTheRoomInsteadOfBeingOverwritten() {
        openRoom();
        typeThought(u"From the room"_s);
        // The window's quick-thought sheet adds through the controller while the room is open.
        m_controller->addThought(u"  From the sheet "_s);
        QCOMPARE(shownThoughts(), (QStringList{u"From the room"_s, u"From the sheet"_s}));
        typeThought(u"Later"_s);
        QCOMPARE(textsOf(session().thoughts),
                 (QStringList{u"From the room"_s, u"From the sheet"_s, u"Later"_s}));
        QCOMPARE(ordersOf(session().thoughts), (QList<std::int64_t>{0, 1, 2}));

        // Another window's room removes one and edits the notes: this room follows.
        std::vector<ActiveThoughtDraft> elsewhere = session().thoughts;
        elsewhere.erase(elsewhere.begin());
        m_controller->update(u"Notes from elsewhere"_s, elsewhere);
        QCOMPARE(shownThoughts(), (QStringList{u"From the sheet"_s, u"Later"_s}));
        QCOMPARE(room()->notes(), u"Notes from elsewhere"_s);
        button(u"pause-resume"_s)->click();
        QCOMPARE(textsOf(session().thoughts), (QStringList{u"From the sheet"_s, u"Later"_s}));
        QCOMPARE(session().notes, u"Notes from elsewhere"_s);
    }

    void aNarrowRoomShrinksTheClockAndStacksTheActions() {
        openRoom(1000);
        auto* actions = find<AdaptiveArrangement>(u"practice-actions"_s);
        QCOMPARE(actions->currentOrientation(), Qt::Horizontal);
        m_view->resize(330, 800);
        QTRY_COMPARE(actions->currentOrientation(), Qt::Vertical);
        QCOMPARE(static_cast<AppLabel*>(room()->findChild<FirstFitContainer*>()->currentVariant())
                     ->font()
                     .pixelSize(),
                 54);
        const int finishY = button(u"finish-practice"_s)->mapTo(m_view.get(), QPoint()).y();
        const int pauseY = button(u"pause-resume"_s)->mapTo(m_view.get(), QPoint()).y();
        const int discardY = button(u"discard-practice"_s)->mapTo(m_view.get(), QPoint()).y();
        QVERIFY(finishY < pauseY);
        QVERIFY(pauseY < discardY);
    }

    void aNewSessionGetsAFreshRoom() {
        openRoom();
        typeThought(u"Old"_s);
        const QPointer<ActivePracticeRoom> ended = room();
        m_controller->finish(m_time.now, std::nullopt, {}, [](const PracticeSessionPtr&) {});
        QVERIFY(!room());
        m_controller->start(m_time.now);
        QVERIFY(room());
        QVERIFY(shownThoughts().isEmpty());

        // The ended room lingers until the event loop deletes it: it never writes into the new
        // session.
        QVERIFY(ended);
        auto* staleField = ended->findChild<QLineEdit*>(u"thought-field"_s);
        QTest::keyClicks(staleField, u"Stale"_s);
        QTest::keyClick(staleField, Qt::Key_Return);
        QTest::keyClicks(ended->findChild<GrowingTextEdit*>(u"practice-notes"_s), u"Stale"_s);
        QVERIFY(session().thoughts.empty());
        QVERIFY(session().notes.isEmpty());
    }
};

QTEST_MAIN(TestPracticeView)
#include "tst_practiceview.moc"
