// SPDX-License-Identifier: MIT
#include "core/editing/PracticeSessionDraft.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "support/JournalTestSupport.h"

#include <QtTest>

#include <limits>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");
const Calendar utc(u"UTC", u"en_US");

Instant at(const Calendar& calendar, DateComponents components, int milliseconds = 0) {
    return calendar.makeInstant(components).value().addingMSecs(milliseconds);
}

PracticeEntryPtr entry(const QString& title, PracticeCategory category, std::int64_t sortOrder,
                       std::optional<std::int64_t> seconds = std::nullopt) {
    return PracticeEntry::create(QUuid::createUuid(), title, category, seconds, std::nullopt,
                                 sortOrder, nullptr, at(utc, {2025, 1, 1}));
}

PracticeSessionPtr storedSession(std::int64_t seconds,
                                 PracticeSessionSource source = PracticeSessionSource::manual,
                                 std::vector<PracticeEntryPtr> entries = {}) {
    return PracticeSession::create(QUuid::createUuid(), at(newYork, {2025, 3, 5, 18, 40, 7}),
                                   seconds, source, u"Warm hands"_s, std::move(entries),
                                   at(utc, {2025, 3, 6}));
}

} // namespace

class TestPracticeSessionDraft : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void blankDraftForLogging() {
        const Instant now = at(newYork, {2025, 3, 5, 9, 15});
        const PracticeSessionDraft draft(now);
        QCOMPARE(draft.date, now);
        QCOMPARE(draft.startTime, now);
        QVERIFY(!draft.hasExplicitStartTime);
        QCOMPARE(draft.duration.minutesText(), u"30"_s);
        QCOMPARE(draft.entries.size(), 1u);
        QCOMPARE(draft.entries[0].category, PracticeCategory::lookBack);
        QVERIFY(!draft.preservedDurationSeconds);
        QVERIFY(draft.entries[0].id != PracticeSessionDraft(now).entries[0].id);
    }

    void draftOfStoredSession() {
        const PracticeSessionPtr session =
            storedSession(90, PracticeSessionSource::manual,
                          {entry(u"later"_s, PracticeCategory::lookForward, 0, 63),
                           entry(u"second"_s, PracticeCategory::haveFun, 1),
                           entry(u"first"_s, PracticeCategory::haveFun, 0)});
        const PracticeSessionDraft draft(*session);
        QCOMPARE(draft.date, session->startedAt());
        QCOMPARE(draft.startTime, session->startedAt());
        QVERIFY(draft.hasExplicitStartTime);
        QCOMPARE(draft.duration.minutesText(), u"2"_s);
        QCOMPARE(draft.preservedDurationSeconds, std::optional<std::int64_t>(90));
        QCOMPARE(draft.originalDurationText, std::optional<QString>(u"2"_s));
        QCOMPARE(draft.notes, u"Warm hands"_s);
        // Display order: by group, then position.
        QStringList titles;
        for (const PracticeEntryDraft& row : draft.entries)
            titles << row.title;
        QCOMPARE(titles, (QStringList{u"first"_s, u"second"_s, u"later"_s}));
        QCOMPARE(draft.entries[2].durationMinutesText, u"1.05"_s);
        QCOMPARE(draft.entries[2].resolvedDurationSeconds(), std::optional<std::int64_t>(63));
    }

    void resolvedDuration_data() {
        QTest::addColumn<qint64>("storedSeconds");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("failure");

        QTest::newRow("untouched keeps 90 s") << qint64(90) << u"2"_s << qint64(90) << QString();
        QTest::newRow("2 with a space is new") << qint64(90) << u"2 "_s << qint64(120) << QString();
        QTest::newRow("3 minutes") << qint64(90) << u"3"_s << qint64(180) << QString();
        QTest::newRow("2.0 is no whole number")
            << qint64(90) << u"2.0"_s << qint64(0) << u"Use a whole number of minutes."_s;
        QTest::newRow("cleared") << qint64(90) << QString() << qint64(0)
                                 << u"Enter a practice duration."_s;
        QTest::newRow("zero-second import shows 1 and keeps 0")
            << qint64(0) << u"1"_s << qint64(0) << QString();
    }
    void resolvedDuration() {
        QFETCH(qint64, storedSeconds);
        QFETCH(QString, typed);
        QFETCH(qint64, seconds);
        QFETCH(QString, failure);
        PracticeSessionDraft draft(*storedSession(storedSeconds, PracticeSessionSource::imported));
        draft.duration.setMinutesText(typed);
        if (failure.isEmpty())
            QCOMPARE(draft.resolvedDurationSeconds(), seconds);
        else
            QCOMPARE(failureOf([&] { draft.resolvedDurationSeconds(); }), failure);
    }

    void resolvedStartedAt_data() {
        QTest::addColumn<Instant>("date");
        QTest::addColumn<std::optional<Instant>>("startTime");
        QTest::addColumn<Instant>("expected");

        QTest::newRow("noon of an ordinary day")
            << at(newYork, {2025, 3, 5, 9, 15}) << std::optional<Instant>()
            << at(utc, {2025, 3, 5, 17});
        // 02:00 to 03:00 does not exist that day; noon is EDT, four hours behind UTC.
        QTest::newRow("noon on the spring-forward day")
            << at(newYork, {2025, 3, 9, 1, 30}) << std::optional<Instant>()
            << at(utc, {2025, 3, 9, 16});
        // The day is the user's, not UTC's: 23:30 in New York is already the next day in UTC.
        QTest::newRow("late evening keeps its local day")
            << at(newYork, {2025, 3, 5, 23, 30}) << std::optional<Instant>()
            << at(utc, {2025, 3, 5, 17});
        QTest::newRow("explicit time on another day, fractions dropped")
            << at(newYork, {2025, 3, 5, 23, 30})
            << std::optional<Instant>(at(newYork, {2025, 2, 20, 7, 15, 9}, 999))
            << at(utc, {2025, 3, 5, 12, 15, 9});
        // A start in the skipped hour moves forward by the gap, as a clock set then would show.
        QTest::newRow("explicit time inside the skipped hour")
            << at(newYork, {2025, 3, 9, 12})
            << std::optional<Instant>(at(newYork, {2025, 3, 10, 2, 30, 45}))
            << at(newYork, {2025, 3, 9, 3, 30, 45});
        // A time that happens twice means its first occurrence, still in daylight time.
        QTest::newRow("explicit time inside the repeated hour")
            << at(newYork, {2025, 11, 2, 12})
            << std::optional<Instant>(at(newYork, {2025, 11, 3, 1, 30}))
            << at(utc, {2025, 11, 2, 5, 30});
    }
    void resolvedStartedAt() {
        QFETCH(Instant, date);
        QFETCH(std::optional<Instant>, startTime);
        QFETCH(Instant, expected);
        PracticeSessionDraft draft(date);
        if (startTime) {
            draft.hasExplicitStartTime = true;
            draft.startTime = *startTime;
        }
        QCOMPARE(draft.resolvedStartedAt(newYork), std::optional<Instant>(expected));
        QCOMPARE(draft.requiredStartedAt(newYork), expected);
    }

    void startTheCalendarCannotBuild() {
        // The last day the calendar can compute: noon of it lies beyond its range.
        PracticeSessionDraft draft(
            Instant::fromMSecsSinceEpoch(std::numeric_limits<qint64>::max()));
        if (draft.resolvedStartedAt(utc))
            QSKIP("the calendar builds noon of its last day");
        QCOMPARE(failureOf([&] { draft.requiredStartedAt(utc); }),
                 u"Practice duration is too large to save safely."_s);
        QCOMPARE(failureOf([&] {
                     draft.makeSession(PracticeSessionSource::manual, utc, at(utc, {2025, 1, 1}));
                 }),
                 u"Practice duration is too large to save safely."_s);
    }

    void omittingBlankUserEntries() {
        PracticeSessionDraft draft(at(newYork, {2025, 3, 5}));
        draft.entries = {
            PracticeEntryDraft(QUuid::createUuid(), u"Scales"_s, PracticeCategory::haveFun, u"5"_s,
                               u"n"_s, 3),
            PracticeEntryDraft::blank(PracticeCategory::lookBack, 0),
            PracticeEntryDraft(QUuid::createUuid(), u" \n\u00A0"_s, PracticeCategory::lookForward,
                               u"1"_s, u"kept"_s, 0),
            PracticeEntryDraft(QUuid::createUuid(), u"\t"_s, PracticeCategory::haveFun, QString(),
                               QString(), 0),
            PracticeEntryDraft(QUuid::createUuid(), u" Chords "_s, PracticeCategory::lookBack,
                               QString(), QString(), 1),
        };
        const PracticeSessionDraft kept = draft.omittingBlankUserEntries({draft.entries[2].id});
        QCOMPARE(kept.entries.size(), 3u);
        QCOMPARE(kept.entries[0], draft.entries[0]);
        QCOMPARE(kept.entries[1], draft.entries[2]);
        QCOMPARE(kept.entries[2], draft.entries[4]);
        // Everything but the rows is as it was, and the draft itself is untouched.
        PracticeSessionDraft expected = draft;
        expected.entries = kept.entries;
        QCOMPARE(kept, expected);
        QCOMPARE(draft.entries.size(), 5u);
        QVERIFY(draft.omittingBlankUserEntries({}).entries.size() == 2);
    }

    void makeSessionForALog() {
        const Instant now = at(newYork, {2025, 3, 7, 8});
        PracticeSessionDraft draft(at(newYork, {2025, 3, 5, 21}));
        draft.duration.setMinutesText(u" 45 "_s);
        draft.notes = u"  Good day \n"_s;
        using C = PracticeCategory;
        draft.entries.clear();
        for (const C category : {C::haveFun, C::lookBack, C::haveFun, C::lookForward, C::haveFun})
            draft.entries.push_back(
                PracticeEntryDraft(QUuid::createUuid(), u"x"_s, category, u"0.5"_s, QString(), 7));

        const PracticeSessionPtr session =
            draft.makeSession(PracticeSessionSource::manual, newYork, now);
        QVERIFY(!session->id().isNull());
        QCOMPARE(session->startedAt(), at(newYork, {2025, 3, 5, 12}));
        QCOMPARE(session->durationSeconds(), 2700);
        QCOMPARE(session->endedAt(), at(newYork, {2025, 3, 5, 12, 45}));
        QCOMPARE(session->source(), PracticeSessionSource::manual);
        QCOMPARE(session->notes(), std::optional<QString>(u"Good day"_s));
        QCOMPARE(session->createdAt(), now);
        QVERIFY(!session->updatedAt());
        // The entries are resolved as the entry drafts' own tests show.
        const std::vector<PracticeEntryPtr>& stored = session->storedEntries();
        QCOMPARE(stored.size(), 5u);
        QCOMPARE(stored[2]->sortOrder(), 1);
        QCOMPARE(stored[4]->durationSeconds(), std::optional<std::int64_t>(30));
        QCOMPARE(stored[4]->createdAt(), now);
    }

    void makeSessionFailures_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("entryMinutes");
        QTest::addColumn<QString>("failure");

        QTest::newRow("no duration") << u" "_s << QString() << u"Enter a practice duration."_s;
        QTest::newRow("entry seconds beyond 64 bits")
            << u"30"_s << u"1e18"_s << u"Practice duration is too large to save safely."_s;
        // The largest whole-minute duration fits in 64 bits but not on the time line.
        QTest::newRow("end beyond the time line")
            << u"153722867280912930"_s << QString()
            << u"Practice duration is too large to save safely."_s;
    }
    void makeSessionFailures() {
        QFETCH(QString, minutes);
        QFETCH(QString, entryMinutes);
        QFETCH(QString, failure);
        PracticeSessionDraft draft(at(newYork, {2025, 3, 5}));
        draft.duration.setMinutesText(minutes);
        draft.entries[0].durationMinutesText = entryMinutes;
        const PracticeSessionDraft before = draft;
        QCOMPARE(failureOf([&] {
                     draft.makeSession(PracticeSessionSource::manual, newYork,
                                       at(newYork, {2025, 3, 6}));
                 }),
                 failure);
        QCOMPARE(draft, before);
    }
};

QTEST_GUILESS_MAIN(TestPracticeSessionDraft)
#include "tst_practicesessiondraft.moc"
