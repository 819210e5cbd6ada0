// SPDX-License-Identifier: MIT
#include "core/journal/JournalSearchIndex.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "ui/shell/JournalSearchWarmUp.h"

#include <QSignalSpy>
#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;

namespace {

PracticeSessionPtr makeSession(int day) {
    const Instant start = Instant::fromSecsSinceEpoch(1'741'000'000 + std::int64_t(day) * 86'400);
    return PracticeSession::create(QUuid::createUuid(), start, 1200, PracticeSessionSource::manual,
                                   std::nullopt, {}, start);
}

// A store with `count` sessions and a warm-up on it. Each test walks under its own time zone, so
// that no other test has written its texts on this thread before.
struct WarmUpFixture {
    explicit WarmUpFixture(QStringView zone, int count = 0)
        : calendar(zone, u"en_US") {
        for (int day = 0; day < count; ++day)
            store->insert(makeSession(day));
    }

    // Dates a search of the whole store would still have had to format; formats them.
    std::size_t missingTexts() const {
        return JournalSearchIndex::of(*store).prepare(calendar, 100'000).formatted;
    }

    Calendar calendar;
    int calendarReads = 0;
    std::unique_ptr<JournalStore> store = JournalStore::open(StoreConfiguration::inMemory());
    JournalSearchWarmUp warmUp{*store, [this] {
                                   ++calendarReads;
                                   return calendar;
                               }};
};

} // namespace

class TestJournalSearchWarmUp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void walksInChunksAndStops() {
        WarmUpFixture fixture(u"America/Phoenix", 5);
        fixture.warmUp.setChunkSize(2);
        QSignalSpy finished(&fixture.warmUp, &JournalSearchWarmUp::finished);
        fixture.warmUp.start();
        QVERIFY(fixture.warmUp.isWalking());
        QCOMPARE(fixture.warmUp.position(), std::size_t(0));

        // Driven by hand here; the event loop never turns, so the timer does not interfere.
        for (const std::size_t expected : {2, 4}) {
            fixture.warmUp.step();
            QCOMPARE(fixture.warmUp.position(), expected);
            QVERIFY(fixture.warmUp.isWalking());
            QCOMPARE(finished.count(), 0);
        }
        fixture.warmUp.step();
        QCOMPARE(fixture.warmUp.position(), std::size_t(5));
        QVERIFY(!fixture.warmUp.isWalking());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(fixture.warmUp.formattedCount(), std::size_t(5));
        QCOMPARE(fixture.calendarReads, 1);
        QCOMPARE(fixture.missingTexts(), std::size_t(0));

        fixture.warmUp.step();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(fixture.calendarReads, 1);
    }

    void changesStartAnotherWalk() {
        WarmUpFixture fixture(u"Asia/Kolkata", 4);
        QSignalSpy finished(&fixture.warmUp, &JournalSearchWarmUp::finished);
        fixture.warmUp.start();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(fixture.warmUp.formattedCount(), std::size_t(4));

        // Only the new start is written; the others are looked up.
        const PracticeSessionPtr added = makeSession(30);
        fixture.store->insert(added);
        QVERIFY(fixture.warmUp.isWalking());
        QCOMPARE(fixture.warmUp.position(), std::size_t(0));
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(fixture.warmUp.formattedCount(), std::size_t(1));
        QCOMPARE(fixture.missingTexts(), std::size_t(0));

        // A change that moves no start writes nothing.
        added->applyEdits(added->startedAt(), 600, u"Longer notes"_s, {}, added->startedAt());
        QVERIFY(fixture.warmUp.isWalking());
        QTRY_COMPARE(finished.count(), 3);
        QCOMPARE(fixture.warmUp.formattedCount(), std::size_t(0));
        QCOMPARE(fixture.calendarReads, 3);

        // A change in the middle of a walk starts it over.
        fixture.warmUp.setChunkSize(2);
        added->applyEdits(added->startedAt().addingMSecs(60'000), 600, std::nullopt, {},
                          added->startedAt());
        fixture.warmUp.step();
        QCOMPARE(fixture.warmUp.position(), std::size_t(2));
        fixture.store->remove(fixture.store->sessions().back());
        QCOMPARE(fixture.warmUp.position(), std::size_t(0));
        QTRY_COMPARE(finished.count(), 4);
        QCOMPARE(fixture.warmUp.position(), std::size_t(4));
        QCOMPARE(fixture.missingTexts(), std::size_t(0));

        // Emptied, the journal has nothing left to walk.
        while (!fixture.store->sessions().empty())
            fixture.store->remove(fixture.store->sessions().front());
        QVERIFY(!fixture.warmUp.isWalking());
    }

    void emptyJournalHasNothingToWalk() {
        WarmUpFixture fixture(u"Africa/Nairobi");
        QSignalSpy finished(&fixture.warmUp, &JournalSearchWarmUp::finished);
        fixture.warmUp.start();
        QVERIFY(fixture.warmUp.isStarted());
        QVERIFY(!fixture.warmUp.isWalking());
        fixture.warmUp.step();
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 0);
        QCOMPARE(fixture.calendarReads, 0);
    }

    void nothingHappensBeforeStart() {
        WarmUpFixture fixture(u"Europe/Lisbon", 3);
        fixture.store->insert(makeSession(40));
        QVERIFY(!fixture.warmUp.isStarted());
        QVERIFY(!fixture.warmUp.isWalking());
        QCOMPARE(fixture.missingTexts(), std::size_t(4));

        // A second start does not walk again.
        QSignalSpy finished(&fixture.warmUp, &JournalSearchWarmUp::finished);
        fixture.warmUp.start();
        QTRY_COMPARE(finished.count(), 1);
        fixture.warmUp.start();
        QVERIFY(!fixture.warmUp.isWalking());
    }
};

QTEST_GUILESS_MAIN(TestJournalSearchWarmUp)
#include "tst_journalsearchwarmup.moc"
