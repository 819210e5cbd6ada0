// SPDX-License-Identifier: MIT
#include "core/editing/PracticeEntryDraft.h"
#include "core/practice/ActivePracticeSession.h"
#include "core/practice/ActivePracticeSessionController.h"
#include "core/store/StoreError.h"
#include "support/JournalTestSupport.h"

#include <QSignalSpy>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;
using Controller = ActivePracticeSessionController;

namespace {

const Instant tenOClock = Instant::fromSecsSinceEpoch(1'741'186'800); // 2025-03-05T15:00Z

Instant after(std::int64_t milliseconds) {
    return tenOClock.addingMSecs(milliseconds);
}

ActiveThoughtDraft thought(const QString& text, std::int64_t sortOrder = 0) {
    return {QUuid::createUuid(), text, sortOrder};
}

PracticeEntryDraft entryDraft(const QString& title, PracticeCategory category,
                              const QString& minutes = QString()) {
    return PracticeEntryDraft(QUuid::createUuid(), title, category, minutes, QString(), 0);
}

// Counts what the controller tells its listeners.
struct Listener {
    explicit Listener(Controller& controller)
        : session(&controller, &Controller::activeSessionChanged)
        , savedId(&controller, &Controller::savedSessionIdChanged) {}
    QSignalSpy session;
    QSignalSpy savedId;
};

} // namespace

class TestActivePracticeSessionController : public QObject {
    Q_OBJECT

    Instant m_now = after(3'600'000);
    std::vector<PracticeSessionPtr> m_saved;

    Clock clock() {
        return Clock([this] { return m_now; });
    }
    Controller::SaveAction keepingSaved() {
        return [this](const PracticeSessionPtr& session) { m_saved.push_back(session); };
    }

private Q_SLOTS:
    void init() { m_saved.clear(); }

    void elapsedDuration_data() {
        QTest::addColumn<double>("banked");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<std::optional<Instant>>("resumedAt");
        QTest::addColumn<Instant>("measuredAt");
        QTest::addColumn<double>("elapsed");
        QTest::newRow("running") << 10.0 << false << std::optional<Instant>(tenOClock)
                                 << after(5500) << 15.5;
        QTest::newRow("measured before the resume")
            << 10.0 << false << std::optional<Instant>(tenOClock) << after(-60'000) << 10.0;
        QTest::newRow("paused") << 10.0 << true << std::optional<Instant>() << after(99'000)
                                << 10.0;
    }
    void elapsedDuration() {
        QFETCH(double, banked);
        QFETCH(bool, paused);
        QFETCH(std::optional<Instant>, resumedAt);
        QFETCH(Instant, measuredAt);
        QFETCH(double, elapsed);
        ActivePracticeSession session;
        session.accumulatedActiveDuration = banked;
        session.isPaused = paused;
        session.mostRecentResumeDate = resumedAt;
        QCOMPARE(session.elapsedDuration(measuredAt), elapsed);
    }

    void title_data() {
        QTest::addColumn<QStringList>("thoughts");
        QTest::addColumn<QString>("title");
        QTest::newRow("first with words, trimmed")
            << QStringList{u" \n"_s, u"\t Scales \u2028"_s, u"Chords"_s} << u"Scales"_s;
        QTest::newRow("no thoughts") << QStringList() << u"Practice Session"_s;
    }
    void title() {
        QFETCH(QStringList, thoughts);
        QFETCH(QString, title);
        ActivePracticeSession session;
        for (const QString& text : thoughts)
            session.thoughts.push_back(thought(text));
        QCOMPARE(session.title(), title);
    }

    void startCreatesARunningSession() {
        Controller controller(clock());
        Listener listener(controller);
        QVERIFY(!controller.hasActiveSession());
        QCOMPARE(controller.start(tenOClock), Controller::StartResult::started);
        QVERIFY(controller.hasActiveSession());
        const ActivePracticeSession& session = *controller.activeSession();
        QVERIFY(!session.id.isNull());
        QCOMPARE(session.startedAt, tenOClock);
        QCOMPARE(session.accumulatedActiveDuration, 0.0);
        QVERIFY(!session.isPaused);
        QCOMPARE(session.mostRecentResumeDate, std::optional<Instant>(tenOClock));
        QCOMPARE(session.notes, QString());
        QVERIFY(session.thoughts.empty());
        QCOMPARE(listener.session.count(), 1);
        QCOMPARE(listener.savedId.count(), 0);
    }

    void secondStartChangesNothing() {
        Controller controller(clock());
        controller.start(tenOClock);
        controller.addThought(u"Scales"_s);
        controller.pause(after(30'000));
        const ActivePracticeSession before = *controller.activeSession();
        Listener listener(controller);
        QCOMPARE(controller.start(after(60'000)), Controller::StartResult::alreadyActive);
        QCOMPARE(*controller.activeSession(), before);
        QCOMPARE(listener.session.count(), 0);
    }

    void pauseAndResumeBankActiveTime() {
        // 10:00:00 start, 10:00:30 pause, 10:05:00 resume, 10:05:10 finish: 40 active seconds.
        Controller controller(clock());
        controller.start(tenOClock);
        controller.pause(after(30'000));
        QVERIFY(controller.activeSession()->isPaused);
        QVERIFY(!controller.activeSession()->mostRecentResumeDate);
        QCOMPARE(controller.activeSession()->accumulatedActiveDuration, 30.0);
        QCOMPARE(controller.activeSession()->elapsedDuration(after(200'000)), 30.0);
        controller.resume(after(300'000));
        QCOMPARE(controller.activeSession()->mostRecentResumeDate,
                 std::optional<Instant>(after(300'000)));
        QCOMPARE(controller.activeSession()->accumulatedActiveDuration, 30.0);

        const PracticeSessionPtr session =
            controller.finish(after(310'000), std::nullopt, {}, keepingSaved());
        QCOMPARE(session->durationSeconds(), 40);
        QCOMPARE(session->startedAt(), tenOClock);
        QCOMPARE(session->endedAt(), after(40'000));
    }

    void pauseAndResumeOnlyWhenTheyApply() {
        Controller controller(clock());
        Listener idle(controller);
        controller.pause(tenOClock);
        controller.resume(tenOClock);
        QVERIFY(!controller.hasActiveSession());
        QCOMPARE(idle.session.count(), 0);

        controller.start(tenOClock);
        Listener listener(controller);
        controller.resume(after(5'000)); // already running
        QCOMPARE(controller.activeSession()->mostRecentResumeDate,
                 std::optional<Instant>(tenOClock));
        controller.pause(after(10'000));
        controller.pause(after(20'000)); // already paused
        QCOMPARE(controller.activeSession()->accumulatedActiveDuration, 10.0);
        QCOMPARE(listener.session.count(), 1);
    }

    void finishRoundsToWholeSeconds_data() {
        QTest::addColumn<qint64>("activeMilliseconds");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("0.4 s is at least 1") << qint64(400) << qint64(1);
        QTest::newRow("nothing at all is at least 1") << qint64(0) << qint64(1);
        QTest::newRow("2.4 s rounds down") << qint64(2400) << qint64(2);
        QTest::newRow("2.5 s rounds up") << qint64(2500) << qint64(3);
    }
    void finishRoundsToWholeSeconds() {
        QFETCH(qint64, activeMilliseconds);
        QFETCH(qint64, seconds);
        Controller controller(clock());
        controller.start(tenOClock);
        const PracticeSessionPtr session =
            controller.finish(after(activeMilliseconds), std::nullopt, {}, keepingSaved());
        QCOMPARE(session->durationSeconds(), seconds);
    }

    void finishSavesOneTimedSession() {
        Controller controller(clock());
        controller.start(tenOClock);
        controller.update(u"room notes"_s, {thought(u"a"_s), thought(u"b"_s)});
        const QUuid runId = controller.activeSession()->id;
        Listener listener(controller);
        const std::vector<PracticeEntryDraft> drafts{
            entryDraft(u" a "_s, PracticeCategory::lookForward, u"1.5"_s),
            entryDraft(u"b"_s, PracticeCategory::haveFun),
            entryDraft(u"c"_s, PracticeCategory::lookForward)};

        const PracticeSessionPtr session =
            controller.finish(after(60'000), std::nullopt, drafts, keepingSaved());
        QCOMPARE(m_saved, std::vector<PracticeSessionPtr>{session});
        QCOMPARE(session->id(), runId);
        QCOMPARE(session->source(), PracticeSessionSource::timed);
        QCOMPARE(session->startedAt(), tenOClock);
        QCOMPARE(session->durationSeconds(), 60);
        QCOMPARE(session->notes(), std::optional<QString>(u"room notes"_s));
        // Stamped by the clock, not by the instant the time was measured at.
        QCOMPARE(session->createdAt(), m_now);
        const std::vector<PracticeEntryPtr>& entries = session->storedEntries();
        QCOMPARE(entries.size(), 3u);
        QCOMPARE(entries[0]->title(), u"a"_s);
        QCOMPARE(entries[0]->sortOrder(), 0);
        QCOMPARE(entries[0]->durationSeconds(), std::optional<std::int64_t>(90));
        QCOMPARE(entries[1]->sortOrder(), 0);
        QCOMPARE(entries[2]->sortOrder(), 1);
        QCOMPARE(entries[2]->createdAt(), m_now);
        QCOMPARE(session->title(), u"b"_s);

        QVERIFY(!controller.hasActiveSession());
        QCOMPARE(controller.savedSessionId(), std::optional<QUuid>(runId));
        QCOMPARE(listener.session.count(), 1);
        QCOMPARE(listener.savedId.count(), 1);
    }

    void finishPrefersTheGivenNotes_data() {
        QTest::addColumn<std::optional<QString>>("given");
        QTest::addColumn<std::optional<QString>>("stored");
        QTest::newRow("none given")
            << std::optional<QString>() << std::optional<QString>(u"from the room"_s);
        QTest::newRow("given empty")
            << std::optional<QString>(QString()) << std::optional<QString>();
    }
    void finishPrefersTheGivenNotes() {
        QFETCH(std::optional<QString>, given);
        QFETCH(std::optional<QString>, stored);
        Controller controller(clock());
        controller.start(tenOClock);
        controller.update(u"from the room"_s, {});
        QCOMPARE(controller.finish(after(5'000), given, {}, keepingSaved())->notes(), stored);
    }

    void savedRunCannotBeSavedTwice() {
        Controller controller(clock());
        controller.start(tenOClock);
        controller.finish(after(5'000), std::nullopt, {}, keepingSaved());
        Listener listener(controller);
        const QString alreadySaved = u"This practice session has already been saved."_s;
        QCOMPARE(
            failureOf([&] { controller.finish(after(6'000), std::nullopt, {}, keepingSaved()); }),
            alreadySaved);
        QCOMPARE(m_saved.size(), 1u);

        // A new start clears the guard: that run can be finished.
        QCOMPARE(controller.start(after(10'000)), Controller::StartResult::started);
        QVERIFY(!controller.savedSessionId());
        QCOMPARE(listener.savedId.count(), 1);
        controller.finish(after(12'000), std::nullopt, {}, keepingSaved());
        QCOMPARE(m_saved.size(), 2u);
        QVERIFY(m_saved[0]->id() != m_saved[1]->id());

        // So does discarding; with nothing running the other error speaks.
        controller.discard();
        QVERIFY(!controller.savedSessionId());
        QCOMPARE(
            failureOf([&] { controller.finish(after(13'000), std::nullopt, {}, keepingSaved()); }),
            u"There is no active practice session to finish."_s);
    }

    void failedFinishChangesNothing_data() {
        QTest::addColumn<QString>("entryMinutes");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QString>("failure");
        QTest::newRow("the store refuses") << QString() << true << u"The disk is full."_s;
        QTest::newRow("entry minutes are no number")
            << u"abc"_s << false << u"Entry duration cannot be negative."_s;
        QTest::newRow("entry seconds beyond 64 bits")
            << u"1e18"_s << false << u"Practice duration is too large to save safely."_s;
    }
    void failedFinishChangesNothing() {
        QFETCH(QString, entryMinutes);
        QFETCH(bool, saveFails);
        QFETCH(QString, failure);
        Controller controller(clock());
        controller.start(tenOClock);
        controller.update(u"notes"_s, {thought(u"Scales"_s)});
        const ActivePracticeSession before = *controller.activeSession();
        Listener listener(controller);
        int saveCalls = 0;
        const auto refusing = [&](const PracticeSessionPtr&) {
            ++saveCalls;
            if (saveFails)
                throw StoreError(u"The disk is full."_s);
        };
        const std::vector<PracticeEntryDraft> drafts{
            entryDraft(u"Scales"_s, PracticeCategory::haveFun, entryMinutes)};

        QCOMPARE(failureOf([&] { controller.finish(after(20'000), u"sheet"_s, drafts, refusing); }),
                 failure);
        QCOMPARE(saveCalls, saveFails ? 1 : 0);
        QCOMPARE(*controller.activeSession(), before);
        QVERIFY(!controller.savedSessionId());
        QCOMPARE(listener.session.count() + listener.savedId.count(), 0);
        // The clock kept counting: a later attempt measures the longer run.
        const PracticeSessionPtr session =
            controller.finish(after(45'000), std::nullopt, {}, keepingSaved());
        QCOMPARE(session->durationSeconds(), 45);
        QCOMPARE(session->id(), before.id);
    }

    void addThought() {
        Controller controller(clock());
        controller.addThought(u"before any session"_s);
        QVERIFY(!controller.hasActiveSession());

        controller.start(tenOClock);
        controller.addThought(u"first"_s);
        Listener listener(controller);
        controller.addThought(u" \n\t\u2029 "_s);
        QCOMPARE(controller.activeSession()->thoughts.size(), 1u);
        QCOMPARE(listener.session.count(), 0);

        controller.pause(after(1'000));
        controller.addThought(u"  a phrase \n"_s);
        const std::vector<ActiveThoughtDraft>& thoughts = controller.activeSession()->thoughts;
        QCOMPARE(thoughts.size(), 2u);
        QCOMPARE(thoughts[1].text, u"a phrase"_s);
        QCOMPARE(thoughts[1].sortOrder, 1);
        QVERIFY(!thoughts[1].id.isNull());
        QVERIFY(thoughts[1].id != thoughts[0].id);
        QCOMPARE(listener.session.count(), 2);
    }

    void updateTakesTheRoomsCopies() {
        Controller controller(clock());
        controller.update(u"ignored"_s, {thought(u"x"_s)});
        QVERIFY(!controller.hasActiveSession());

        controller.start(tenOClock);
        const std::vector<ActiveThoughtDraft> thoughts{thought(u"c"_s, 7), thought(u"a"_s, 3),
                                                       thought(u" b "_s, 9)};
        controller.update(u"  untrimmed \n"_s, thoughts);
        const ActivePracticeSession& session = *controller.activeSession();
        QCOMPARE(session.notes, u"  untrimmed \n"_s);
        QCOMPARE(session.thoughts.size(), 3u);
        for (std::size_t index = 0; index < thoughts.size(); ++index) {
            QCOMPARE(session.thoughts[index].id, thoughts[index].id);
            QCOMPARE(session.thoughts[index].text, thoughts[index].text);
            QCOMPARE(session.thoughts[index].sortOrder, std::int64_t(index));
        }
        QCOMPARE(session.thoughts[2].trimmedText(), u"b"_s);

        // The same copies again are no change, and nobody is told.
        Listener listener(controller);
        controller.update(u"  untrimmed \n"_s, thoughts);
        QCOMPARE(listener.session.count(), 0);
        controller.update(u"  untrimmed \n"_s, {});
        QCOMPARE(listener.session.count(), 1);
    }

    void discardForgetsTheRun() {
        Controller controller(clock());
        Listener idle(controller);
        controller.discard();
        QCOMPARE(idle.session.count() + idle.savedId.count(), 0);

        controller.start(tenOClock);
        controller.addThought(u"Scales"_s);
        Listener listener(controller);
        controller.discard();
        QVERIFY(!controller.hasActiveSession());
        QCOMPARE(listener.session.count(), 1);
        QCOMPARE(listener.savedId.count(), 0);
        QVERIFY(m_saved.empty());
    }
};

QTEST_GUILESS_MAIN(TestActivePracticeSessionController)
#include "tst_activepracticesessioncontroller.moc"
