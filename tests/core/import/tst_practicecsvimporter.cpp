// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVImporter.h"
#include "core/store/JournalStore.h"
#include "core/time/TextServices.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <map>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

const Calendar newYork = newYorkCalendar();

Instant at(const QDateTime& time) {
    return Instant::fromMSecsSinceEpoch(time.toMSecsSinceEpoch());
}

Instant newYorkTime(int year, int month, int day, int hour, int minute = 0) {
    return at(
        QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone("America/New_York")));
}

// Entries written "group|title".
std::vector<PracticeImportEntry> importEntries(const QStringList& entries) {
    std::vector<PracticeImportEntry> result;
    for (const QString& entry : entries)
        result.push_back({QUuid::createUuid(),
                          *PracticeCategory::fromRawValue(entry.section(u'|', 0, 0)),
                          entry.section(u'|', 1), 0});
    return result;
}

PracticeImportCandidate candidate(std::optional<int> year, int month, int day,
                                  std::int64_t durationSeconds, const QStringList& entries = {}) {
    PracticeImportCandidate made;
    made.id = QUuid::createUuid();
    made.sourceFilename = u"Log.csv"_s;
    made.year = year;
    made.month = month;
    made.day = day;
    made.durationSeconds = durationSeconds;
    made.entries = importEntries(entries);
    return made;
}

PracticeSessionPtr session(Instant start, std::int64_t durationSeconds,
                           const QStringList& entries = {}) {
    std::vector<PracticeEntryPtr> records;
    for (const PracticeImportEntry& entry : importEntries(entries))
        records.push_back(PracticeEntry::create(entry.id, entry.title, entry.category, 60,
                                                std::nullopt, 0, nullptr, start));
    return PracticeSession::create(QUuid::createUuid(), start, durationSeconds,
                                   PracticeSessionSource::manual, std::nullopt, std::move(records),
                                   start);
}

QString conflictName(const PracticeCSVImporter::Conflicts& conflicts, const QUuid& id) {
    const auto found = conflicts.constFind(id);
    if (found == conflicts.cend())
        return u"none"_s;
    return *found == PracticeImportConflict::likelyDuplicate ? u"likelyDuplicate"_s : u"sameDay"_s;
}

// The plain reading of the rule, one candidate against every session.
PracticeCSVImporter::Conflicts referenceConflicts(const std::vector<PracticeImportCandidate>& all,
                                                  const std::vector<PracticeSessionPtr>& existing,
                                                  const Calendar& calendar) {
    const auto signature = [&](auto titlesAndGroups) {
        QStringList lines;
        for (const auto& [group, title] : titlesAndGroups)
            lines << group + u'|' +
                         TextServices::splitAtWhitespace(
                             TextServices::caseAndDiacriticFolded(title, calendar.localeName()))
                             .join(u' ');
        lines.sort();
        return lines;
    };
    PracticeCSVImporter::Conflicts conflicts;
    for (const PracticeImportCandidate& item : all) {
        const std::optional<Instant> date = item.date(calendar);
        if (!date)
            continue;
        std::vector<std::pair<QString, QString>> own;
        for (const PracticeImportEntry& entry : item.entries)
            own.emplace_back(entry.category.rawValue(), entry.title);
        bool sameDay = false;
        bool duplicate = false;
        for (const PracticeSessionPtr& stored : existing) {
            if (!calendar.isSameDay(stored->startedAt(), *date))
                continue;
            sameDay = true;
            std::vector<std::pair<QString, QString>> theirs;
            for (const PracticeEntryPtr& entry : stored->entries())
                theirs.emplace_back(entry->category().rawValue(), entry->title());
            if (std::abs(stored->durationSeconds() - item.durationSeconds) <= 60 &&
                signature(own) == signature(theirs)) {
                duplicate = true;
                break;
            }
        }
        if (sameDay)
            conflicts.insert(item.id, duplicate ? PracticeImportConflict::likelyDuplicate
                                                : PracticeImportConflict::sameDay);
    }
    return conflicts;
}

} // namespace

class TestPracticeCSVImporter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void conflictsWithOneStoredSession_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDate>("day"); // the candidate's; an invalid date means no year
        QTest::addColumn<qint64>("candidateSeconds");
        QTest::addColumn<QStringList>("candidateEntries");
        QTest::addColumn<QDateTime>("storedStart");
        QTest::addColumn<qint64>("storedSeconds");
        QTest::addColumn<QStringList>("storedEntries");
        QTest::addColumn<QString>("conflict");

        const QString newYork = u"America/New_York"_s;
        const QTimeZone newYorkZone("America/New_York");
        const auto local = [&](int year, int month, int day, int hour, int minute = 0) {
            return QDateTime(QDate(year, month, day), QTime(hour, minute), newYorkZone);
        };
        const QDate march5(2024, 3, 5);
        const QStringList scales{u"haveFun|Scales"_s};

        QTest::newRow("about the same time and entries")
            << newYork << march5 << qint64(3650) << QStringList{u"haveFun|  scales "_s}
            << local(2024, 3, 5, 9) << qint64(3600) << scales << u"likelyDuplicate"_s;
        QTest::newRow("exactly a minute apart")
            << newYork << march5 << qint64(3540) << scales << local(2024, 3, 5, 9) << qint64(3600)
            << scales << u"likelyDuplicate"_s;
        QTest::newRow("61 seconds apart")
            << newYork << march5 << qint64(3661) << scales << local(2024, 3, 5, 9) << qint64(3600)
            << scales << u"sameDay"_s;
        QTest::newRow("case, accents and spacing")
            << newYork << march5 << qint64(600) << QStringList{u"lookBack|ÉTUDE\tNo.  1"_s}
            << local(2024, 3, 5, 9) << qint64(600) << QStringList{u"lookBack|e\u0301tude no. 1"_s}
            << u"likelyDuplicate"_s;
        QTest::newRow("entries in another order")
            << newYork << march5 << qint64(600)
            << QStringList{u"haveFun|Jam"_s, u"lookBack|Scales"_s, u"lookForward|Song"_s}
            << local(2024, 3, 5, 9) << qint64(600)
            << QStringList{u"lookForward|Song"_s, u"haveFun|Jam"_s, u"lookBack|Scales"_s}
            << u"likelyDuplicate"_s;
        QTest::newRow("one entry more")
            << newYork << march5 << qint64(600)
            << QStringList{u"haveFun|Scales"_s, u"lookBack|Scales"_s} << local(2024, 3, 5, 9)
            << qint64(600) << scales << u"sameDay"_s;
        QTest::newRow("no entries on either side")
            << newYork << march5 << qint64(1800) << QStringList() << local(2024, 3, 5, 9)
            << qint64(1790) << QStringList() << u"likelyDuplicate"_s;
        QTest::newRow("the evening before")
            << newYork << march5 << qint64(600) << scales << local(2024, 3, 4, 23, 30)
            << qint64(600) << scales << u"none"_s;
        QTest::newRow("midnight after")
            << newYork << march5 << qint64(600) << scales << local(2024, 3, 6, 0) << qint64(600)
            << scales << u"none"_s;
        // 10 March 2024 has 23 hours in New York, 3 November 25.
        const QDate springForward(2024, 3, 10);
        const QDate fallBack(2024, 11, 3);
        QTest::newRow("spring-forward day, late evening")
            << newYork << springForward << qint64(600) << scales << local(2024, 3, 10, 23, 30)
            << qint64(600) << scales << u"likelyDuplicate"_s;
        // Kathmandu is UTC+5:45: its day starts at 18:15 UTC the evening before.
        QTest::newRow("quarter-hour zone") << u"Asia/Kathmandu"_s << march5 << qint64(600) << scales
                                           << QDateTime(QDate(2024, 3, 4), QTime(18, 20), Qt::UTC)
                                           << qint64(600) << scales << u"likelyDuplicate"_s;
        QTest::newRow("no year yet") << newYork << QDate() << qint64(600) << scales
                                     << local(2024, 3, 5, 9) << qint64(600) << scales << u"none"_s;
    }
    void conflictsWithOneStoredSession() {
        QFETCH(QString, zone);
        QFETCH(QDate, day);
        QFETCH(qint64, candidateSeconds);
        QFETCH(QStringList, candidateEntries);
        QFETCH(QDateTime, storedStart);
        QFETCH(qint64, storedSeconds);
        QFETCH(QStringList, storedEntries);
        QFETCH(QString, conflict);

        const PracticeImportCandidate item =
            candidate(day.isValid() ? std::optional<int>(day.year()) : std::nullopt,
                      day.isValid() ? day.month() : 3, day.isValid() ? day.day() : 5,
                      candidateSeconds, candidateEntries);
        const PracticeCSVImporter importer(Calendar(zone, u"en_US"));
        const std::vector<PracticeImportCandidate> candidates{item};
        const auto conflicts = importer.conflicts(
            candidates, {session(at(storedStart), storedSeconds, storedEntries)});
        QCOMPARE(conflictName(conflicts, item.id), conflict);
        QCOMPARE(conflicts.size(), conflict == u"none" ? 0 : 1);
    }

    void anyMatchingSessionOfTheDayMakesADuplicate() {
        const PracticeImportCandidate item = candidate(2024, 3, 5, 600, {u"haveFun|Scales"_s});
        const std::vector<PracticeImportCandidate> candidates{item};
        const std::vector<PracticeSessionPtr> existing{
            session(newYorkTime(2024, 3, 5, 8), 3600, {u"haveFun|Scales"_s}),
            session(newYorkTime(2024, 3, 5, 9), 600, {u"lookBack|Chords"_s}),
            session(newYorkTime(2024, 3, 5, 10), 620, {u"haveFun|scales"_s})};
        const auto conflicts = PracticeCSVImporter(newYork).conflicts(candidates, existing);
        QCOMPARE(conflictName(conflicts, item.id), u"likelyDuplicate"_s);
    }

    // Many days against many sessions, in zones with clock changes, half-hour and quarter-hour
    // offsets and a skipped day, checked against the plain reading of the rule.
    void conflictsAgreeWithTheRuleReadPlainly_data() {
        QTest::addColumn<QString>("zone");
        QTest::newRow("New York") << u"America/New_York"_s;
        QTest::newRow("Kathmandu") << u"Asia/Kathmandu"_s;
        QTest::newRow("Lord Howe") << u"Australia/Lord_Howe"_s;
        QTest::newRow("Apia") << u"Pacific/Apia"_s;
        QTest::newRow("UTC") << u"Etc/UTC"_s;
    }
    void conflictsAgreeWithTheRuleReadPlainly() {
        QFETCH(QString, zone);
        const Calendar calendar(zone, u"en_US");
        QRandomGenerator random(42);
        const QStringList titles{u"Scales"_s, u"scales"_s, u"Étude"_s, u"Chords"_s, QString()};
        const auto someEntries = [&] {
            QStringList entries;
            for (const QString& group : {u"haveFun"_s, u"lookBack"_s, u"lookForward"_s}) {
                if (random.bounded(2) == 0)
                    entries << group + u'|' + titles[random.bounded(int(titles.size()))];
            }
            return entries;
        };
        // Two months around a year end, where Apia skipped 30 December 2011.
        const QDate first(2011, 12, 1);
        std::vector<PracticeImportCandidate> candidates;
        for (int index = 0; index < 150; ++index) {
            const QDate day = first.addDays(random.bounded(62));
            candidates.push_back(
                candidate(index % 10 == 0 ? std::nullopt : std::optional<int>(day.year()),
                          day.month(), day.day(), 60 * random.bounded(3, 6), someEntries()));
        }
        std::vector<PracticeSessionPtr> existing;
        const qint64 start = QDateTime(first, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
        for (int index = 0; index < 1500; ++index)
            existing.push_back(session(
                Instant::fromMSecsSinceEpoch(start + qint64(random.bounded(64 * 24 * 60)) * 60'000),
                60 * random.bounded(3, 6), someEntries()));

        const auto conflicts = PracticeCSVImporter(calendar).conflicts(candidates, existing);
        const auto expected = referenceConflicts(candidates, existing, calendar);
        QCOMPARE(conflicts.size(), expected.size());
        int duplicates = 0;
        for (const PracticeImportCandidate& item : candidates) {
            QCOMPARE(conflictName(conflicts, item.id), conflictName(expected, item.id));
            duplicates += conflictName(conflicts, item.id) == u"likelyDuplicate" ? 1 : 0;
        }
        QVERIFY(duplicates > 0);
        QVERIFY(conflicts.size() > duplicates);
    }

    void commitFollowsThePolicy_data() {
        QTest::addColumn<int>("policy");
        QTest::addColumn<QStringList>("approved");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<int>("duplicatesSkipped");

        QTest::newRow("skip duplicates")
            << int(PracticeImportConflictPolicy::skipDuplicates) << QStringList()
            << QStringList{u"clean"_s, u"same"_s} << 2;
        QTest::newRow("approvals mean nothing unless reviewing")
            << int(PracticeImportConflictPolicy::skipDuplicates) << QStringList{u"dup1"_s}
            << QStringList{u"clean"_s, u"same"_s} << 2;
        QTest::newRow("import anyway")
            << int(PracticeImportConflictPolicy::importAnyway) << QStringList()
            << QStringList{u"clean"_s, u"dup1"_s, u"dup2"_s, u"same"_s} << 0;
        QTest::newRow("review, nothing approved")
            << int(PracticeImportConflictPolicy::reviewIndividually) << QStringList()
            << QStringList{u"clean"_s} << 2;
        QTest::newRow("review, some approved")
            << int(PracticeImportConflictPolicy::reviewIndividually)
            << QStringList{u"dup1"_s, u"same"_s} << QStringList{u"clean"_s, u"dup1"_s, u"same"_s}
            << 1;
    }
    void commitFollowsThePolicy() {
        QFETCH(int, policy);
        QFETCH(QStringList, approved);
        QFETCH(QStringList, imported);
        QFETCH(int, duplicatesSkipped);

        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        store->insert(session(newYorkTime(2024, 3, 2, 8), 600, {u"haveFun|dup1"_s}));
        store->insert(session(newYorkTime(2024, 3, 3, 8), 1200, {u"haveFun|dup2"_s}));
        store->insert(session(newYorkTime(2024, 3, 4, 8), 600, {u"haveFun|other"_s}));
        store->save();
        const std::vector<PracticeSessionPtr> before = store->sessions();

        // Named by their only title.
        const std::vector<PracticeImportCandidate> candidates{
            candidate(2024, 3, 1, 600, {u"haveFun|clean"_s}),
            candidate(2024, 3, 2, 630, {u"haveFun|dup1"_s}),
            candidate(2024, 3, 3, 1200, {u"haveFun|dup2"_s}),
            candidate(2024, 3, 4, 600, {u"haveFun|same"_s}),
            candidate(std::nullopt, 3, 6, 600, {u"haveFun|no year"_s})};
        QSet<QUuid> approvedIds;
        for (const PracticeImportCandidate& item : candidates) {
            if (approved.contains(item.entries.front().title))
                approvedIds.insert(item.id);
        }
        QSignalSpy changed(store.get(), &JournalStore::sessionsChanged);
        const PracticeImportSummary summary = PracticeCSVImporter(newYork).commit(
            candidates, PracticeImportConflictPolicy::allCases()[std::size_t(policy)], approvedIds,
            store->sessions(), 7, *store);

        QCOMPARE(changed.size(), 1);
        QVERIFY(!store->hasChanges());
        QStringList importedTitles;
        std::vector<Instant> dates;
        std::int64_t seconds = 0;
        for (const PracticeImportCandidate& item : candidates) {
            if (!imported.contains(item.entries.front().title))
                continue;
            dates.push_back(*item.date(newYork));
            seconds += item.durationSeconds;
        }
        for (const PracticeSessionPtr& stored : store->sessions()) {
            if (std::find(before.begin(), before.end(), stored) == before.end())
                importedTitles.prepend(stored->title());
        }
        QCOMPARE(importedTitles, imported);
        QCOMPARE(summary.importedCount, imported.size());
        QCOMPARE(summary.importedSeconds, seconds);
        QCOMPARE(summary.dates, dates);
        QCOMPARE(summary.duplicatesSkipped, duplicatesSkipped);
        QCOMPARE(summary.rowsSkipped, 7);
    }

    void importedSessionsStartAtNoonOfTheirDay() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        PracticeImportCandidate item = candidate(
            2024, 3, 10, 2400, {u"haveFun|  Blues in A "_s, u"lookBack|"_s, u"lookForward|Song"_s});
        item.entries[0].durationSeconds = 1200;
        item.entries[1].durationSeconds = 0;
        item.entries[2].durationSeconds = 1200;
        const std::vector<PracticeImportCandidate> candidates{item};
        PracticeCSVImporter(newYork).commit(
            candidates, PracticeImportConflictPolicy::skipDuplicates, {}, {}, 0, *store);

        QCOMPARE(store->sessions().size(), 1u);
        const PracticeSessionPtr stored = store->sessions().front();
        // Noon EDT on the spring-forward day.
        const Instant noon = newYorkTime(2024, 3, 10, 12);
        QCOMPARE(stored->startedAt(), noon);
        QCOMPARE(stored->createdAt(), noon);
        QCOMPARE(stored->durationSeconds(), 2400);
        QCOMPARE(stored->source(), PracticeSessionSource::imported);
        QVERIFY(stored->id() != item.id);
        const std::vector<PracticeEntryPtr> entries = stored->storedEntries();
        QCOMPARE(titlesOf(entries), (QStringList{u"Blues in A"_s, QString(), u"Song"_s}));
        QCOMPARE(entries[2]->category(), PracticeCategory::lookForward);
        QCOMPARE(entries[2]->durationSeconds(), 1200);
        QCOMPARE(entries[2]->sortOrder(), 2);
        QCOMPARE(entries[2]->createdAt(), noon);
    }

    // A year given after parsing can name a day its month does not have.
    void dayWithoutADateIsNeitherImportedNorCounted() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        const std::vector<PracticeImportCandidate> candidates{
            candidate(2023, 2, 29, 600, {u"haveFun|Leap"_s}),
            candidate(2023, 2, 28, 900, {u"haveFun|Real"_s})};
        const PracticeImportSummary summary = PracticeCSVImporter(newYork).commit(
            candidates, PracticeImportConflictPolicy::importAnyway, {}, {}, 0, *store);
        QCOMPARE(store->sessions().size(), 1u);
        QCOMPARE(store->sessions().front()->title(), u"Real"_s);
        QCOMPARE(summary.importedCount, 1);
        QCOMPARE(summary.importedSeconds, 900);
        QCOMPARE(summary.dates.size(), 1u);
    }

    void failedSaveLeavesNothingOfTheImport() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Brevanta.sqlite"_s);
        auto store = JournalStore::open(StoreConfiguration::atPath(path));
        store->insert(session(newYorkTime(2024, 3, 1, 8), 600, {u"haveFun|Kept"_s}));
        store->save();
        {
            testing::RawDatabase raw(path);
            QVERIFY(raw.execute(
                u"CREATE TRIGGER refusePoison BEFORE INSERT ON entries WHEN NEW.title = 'Poison' "
                u"BEGIN SELECT RAISE(ABORT, 'the test refuses this entry'); END"_s));
        }
        // The refused day comes last: the days before it were already written in the
        // transaction.
        const std::vector<PracticeImportCandidate> candidates{
            candidate(2024, 3, 2, 600, {u"haveFun|Fine"_s}),
            candidate(2024, 3, 3, 600, {u"haveFun|Also fine"_s}),
            candidate(2024, 3, 4, 600, {u"haveFun|Poison"_s})};
        QSignalSpy changed(store.get(), &JournalStore::sessionsChanged);
        try {
            PracticeCSVImporter(newYork).commit(candidates,
                                                PracticeImportConflictPolicy::skipDuplicates, {},
                                                store->sessions(), 0, *store);
            QFAIL("the import was saved");
        } catch (const JournalStore::SaveError& error) {
            QCOMPARE(error.description(), u"the test refuses this entry"_s);
        }
        QCOMPARE(store->sessions().size(), 1u);
        QCOMPARE(store->sessions().front()->title(), u"Kept"_s);
        QVERIFY(!store->hasChanges());
        QVERIFY(changed.size() <= 1);
    }

    void invalidRecordAbortsTheWholeImport() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        // Its end would lie beyond what the journal can represent.
        const std::vector<PracticeImportCandidate> candidates{
            candidate(2024, 3, 2, 600, {u"haveFun|Fine"_s}),
            candidate(2024, 3, 3, std::numeric_limits<std::int64_t>::max() / 1000,
                      {u"haveFun|Endless"_s})};
        try {
            PracticeCSVImporter(newYork).commit(
                candidates, PracticeImportConflictPolicy::skipDuplicates, {}, {}, 0, *store);
            QFAIL("the import was saved");
        } catch (const PracticeSession::ValidationError& error) {
            QCOMPARE(error.errorCase(), PracticeSession::ValidationError::durationOutOfRange);
        }
        QVERIFY(store->sessions().empty());
        QVERIFY(!store->hasChanges());
    }
};

QTEST_GUILESS_MAIN(TestPracticeCSVImporter)
#include "tst_practicecsvimporter.moc"
