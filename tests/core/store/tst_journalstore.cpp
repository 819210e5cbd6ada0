// SPDX-License-Identifier: MIT
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalLock.h"
#include "core/store/JournalStore.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Instant march = Instant::fromSecsSinceEpoch(1'740'787'200); // 2025-03-01T00:00Z

Instant minutesAfterMarch(std::int64_t minutes) {
    return march.addingMSecs(minutes * 60'000);
}

PracticeEntryPtr makeEntry(const QString& title,
                           PracticeCategory category = PracticeCategory::lookBack,
                           QUuid id = QUuid::createUuid(), std::int64_t sortOrder = 0) {
    return PracticeEntry::create(id, title, category, 60, std::nullopt, sortOrder, nullptr, march);
}

PracticeSessionPtr makeSession(Instant start, const QStringList& titles = {},
                               PracticeSessionSource source = PracticeSessionSource::manual) {
    std::vector<PracticeEntryPtr> entries;
    for (const QString& title : titles)
        entries.push_back(makeEntry(title));
    return PracticeSession::create(QUuid::createUuid(), start, 1800, source, std::nullopt,
                                   std::move(entries), march);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The helper opening `path` in a process of its own: its exit code and what it printed.
std::pair<int, QString> openInHelper(const QString& path, const QString& variable = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!variable.isEmpty())
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(JOURNAL_STORE_HELPER), {QStringLiteral("open"), path});
    helper.waitForFinished(30'000);
    return {helper.exitCode(), QString::fromUtf8(helper.readAllStandardOutput()).trimmed()};
}

} // namespace

class TestJournalStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;

    QString journalPath() const {
        return m_folder->filePath(QStringLiteral("journal/Brevanta.sqlite"));
    }
    std::unique_ptr<JournalStore> openJournal() const {
        return JournalStore::open(StoreConfiguration::atPath(journalPath()));
    }

    // A journal with a few saved sessions, closed again.
    void writeSmallJournal(int sessionCount = 3) {
        const auto store = openJournal();
        for (int index = 0; index < sessionCount; ++index)
            store->insert(makeSession(minutesAfterMarch(index),
                                      {QStringLiteral("Scales"), QStringLiteral("Chords")}));
        store->save();
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // A permissive mask, so that owner-only files are the store's doing.
        ::umask(022);
    }
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() { m_folder.reset(); }

    void configurationFromArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("inMemory");
        QTest::newRow("no switch") << QStringList{QStringLiteral("brevanta")} << false;
        QTest::newRow("switch") << QStringList{QStringLiteral("brevanta"),
                                               QStringLiteral("-ui-testing")}
                                << true;
        QTest::newRow("switch among others")
            << QStringList{QStringLiteral("brevanta"), QStringLiteral("-a"),
                           QStringLiteral("-ui-testing"), QStringLiteral("b")}
            << true;
        // Only the exact switch counts.
        QTest::newRow("prefix only")
            << QStringList{QStringLiteral("brevanta"), QStringLiteral("-ui-testing-now")} << false;
        QTest::newRow("double dash")
            << QStringList{QStringLiteral("brevanta"), QStringLiteral("--ui-testing")} << false;
    }
    void configurationFromArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, inMemory);
        const StoreConfiguration configuration = StoreConfiguration::fromArguments(arguments);
        QCOMPARE(configuration.isStoredInMemoryOnly, inMemory);
        QCOMPARE(configuration.name, QStringLiteral("Brevanta"));
        QVERIFY(configuration.resolvedFilePath().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    }

    void inMemoryStoreStartsEmptyEveryTime() {
        {
            const auto store = JournalStore::open(StoreConfiguration::inMemory());
            QVERIFY(store->sessions().empty());
            store->insert(makeSession(march, {QStringLiteral("Scales")}));
            store->save();
            QCOMPARE(store->sessions().size(), 1u);
            // The one connection keeps the database: a second in-memory store is another one.
            const auto other = JournalStore::open(StoreConfiguration::inMemory());
            QVERIFY(other->sessions().empty());
        }
        QVERIFY(JournalStore::open(StoreConfiguration::inMemory())->sessions().empty());
        QVERIFY(!QFileInfo::exists(StoreConfiguration::defaultFilePath()));
    }

    void entryWithoutTitleSavesAsEmptyTitle() {
        const QUuid sessionId = QUuid::createUuid();
        {
            const auto store = openJournal();
            const auto untitled =
                PracticeEntry::create(QUuid::createUuid(), QString(), PracticeCategory::haveFun,
                                      std::nullopt, std::nullopt, 0, nullptr, march);
            store->insert(PracticeSession::create(sessionId, march, 60,
                                                  PracticeSessionSource::manual, std::nullopt,
                                                  {untitled}, march));
            store->save();
        }
        const auto store = openJournal();
        QCOMPARE(store->sessions().size(), 1u);
        const PracticeSessionPtr session = store->sessions().front();
        QCOMPARE(session->storedEntries().size(), 1u);
        QCOMPARE(session->storedEntries().front()->title(), QString());
        QCOMPARE(session->title(), QStringLiteral("Practice Session"));
    }

    void savedSessionsSurviveReopening() {
        const QUuid sessionId = QUuid::createUuid();
        const QUuid entryId = QUuid::createUuid();
        const Instant start = Instant::fromMSecsSinceEpoch(1'741'000'123'456);
        const Instant edited = start.addingMSecs(99);
        {
            const auto store = openJournal();
            const auto first =
                makeEntry(QStringLiteral("Look forward"), PracticeCategory::lookForward);
            const auto second =
                PracticeEntry::create(entryId, QStringLiteral("Bends"), PracticeCategory::haveFun,
                                      std::nullopt, QStringLiteral("left hand"), 4, nullptr, start);
            const auto third = makeEntry(QStringLiteral("Untimed"), PracticeCategory::lookBack);
            const auto session = PracticeSession::create(
                sessionId, start, 5400, PracticeSessionSource::timed, QStringLiteral("A good day"),
                {first, second, third}, march);
            store->insert(session);
            store->save();
            // Storage order is kept as the list says, not as the entries were made.
            session->applyEdits(start, 5400, QStringLiteral("A good day"), {third, first, second},
                                edited);
            third->setDurationSeconds(std::nullopt);
            store->save();
        }
        const auto store = openJournal();
        QCOMPARE(store->sessions().size(), 1u);
        const PracticeSessionPtr session = store->sessions().front();
        QCOMPARE(session->id(), sessionId);
        QCOMPARE(session->startedAt(), start);
        QCOMPARE(session->endedAt(), start.addingMSecs(5'400'000));
        QCOMPARE(session->durationSeconds(), 5400);
        QCOMPARE(session->source(), PracticeSessionSource::timed);
        QCOMPARE(session->notes(), std::optional<QString>(QStringLiteral("A good day")));
        QCOMPARE(session->createdAt(), march);
        QCOMPARE(session->updatedAt(), std::optional<Instant>(edited));
        QCOMPARE(titlesOf(session->storedEntries()),
                 (QStringList{QStringLiteral("Untimed"), QStringLiteral("Look forward"),
                              QStringLiteral("Bends")}));
        const PracticeEntryPtr bends = session->storedEntries()[2];
        QCOMPARE(bends->id(), entryId);
        QCOMPARE(bends->category(), PracticeCategory::haveFun);
        QCOMPARE(bends->durationSeconds(), std::nullopt);
        QCOMPARE(bends->notes(), std::optional<QString>(QStringLiteral("left hand")));
        QCOMPARE(bends->sortOrder(), 4);
        QCOMPARE(bends->createdAt(), start);
        QCOMPARE(bends->session(), session);
        QCOMPARE(session->storedEntries()[0]->durationSeconds(), std::nullopt);
        QCOMPARE(session->storedEntries()[1]->durationSeconds(), std::optional<std::int64_t>(60));
        QVERIFY(!store->hasChanges());
    }

    void entriesAddedToAnOlderSessionComeBackInTheirPlace() {
        // Rows are read in the order they were made: the new entry's row comes after the later
        // session's, far from its own session's others.
        const auto first = makeEntry(QStringLiteral("Scales"));
        const auto second = makeEntry(QStringLiteral("Bends"));
        const auto older = makeSession(minutesAfterMarch(10));
        const auto added = makeEntry(QStringLiteral("Added later"));
        {
            const auto store = openJournal();
            older->applyEdits(older->startedAt(), 1800, std::nullopt, {first, second}, march);
            store->insert(older);
            store->save();
            store->insert(makeSession(minutesAfterMarch(20), {QStringLiteral("Newer")}));
            store->save();
            older->applyEdits(older->startedAt(), 1800, std::nullopt, {second, added, first},
                              march);
            store->save();
        }
        const auto store = openJournal();
        QCOMPARE(store->sessions().size(), 2u);
        QCOMPARE(titlesOf(store->sessions()[1]->storedEntries()),
                 (QStringList{QStringLiteral("Bends"), QStringLiteral("Added later"),
                              QStringLiteral("Scales")}));
        QCOMPARE(titlesOf(store->sessions()[0]->storedEntries()),
                 QStringList{QStringLiteral("Newer")});
    }

    void sessionsAreNewestFirstAndLive() {
        QList<QUuid> expected;
        {
            const auto store = openJournal();
            const auto first = makeSession(minutesAfterMarch(10));
            const auto third = makeSession(minutesAfterMarch(30));
            const auto second = makeSession(minutesAfterMarch(20));
            store->insert(first);
            store->insert(third);
            store->insert(second);
            QCOMPARE(idsOf(store->sessions()),
                     (QList<QUuid>{third->id(), second->id(), first->id()}));

            first->applyEdits(minutesAfterMarch(40), 60, std::nullopt, {}, march);
            QCOMPARE(idsOf(store->sessions()),
                     (QList<QUuid>{first->id(), third->id(), second->id()}));
            store->save();

            // Sessions that start together: the later one comes first, every time.
            const auto twin = makeSession(minutesAfterMarch(30));
            store->insert(twin);
            store->remove(second);
            expected = {first->id(), twin->id(), third->id()};
            QCOMPARE(idsOf(store->sessions()), expected);
            store->save();
            QCOMPARE(idsOf(store->sessions()), expected);
        }
        QCOMPARE(idsOf(openJournal()->sessions()), expected);
    }

    void bulkChangesKeepTheOrder() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        QRandomGenerator random(7);
        std::vector<PracticeSessionPtr> all;
        {
            const JournalStore::ChangeBatch batch(*store);
            for (int index = 0; index < 500; ++index) {
                all.push_back(makeSession(minutesAfterMarch(random.bounded(100))));
                store->insert(all.back());
            }
        }
        for (int round = 0; round < 200; ++round) {
            const PracticeSessionPtr& session = all[random.bounded(int(all.size()))];
            if (round % 3 == 0)
                store->remove(session);
            else if (round % 3 == 1)
                store->insert(session);
            else
                session->applyEdits(minutesAfterMarch(random.bounded(100)), 60, std::nullopt, {},
                                    march);
            if (round % 7 == 0)
                store->sessions();
        }
        std::vector<PracticeSessionPtr> expected;
        for (const PracticeSessionPtr& session : all) {
            if (!session->isDeleted())
                expected.push_back(session);
        }
        std::sort(expected.begin(), expected.end(), [&all](const auto& left, const auto& right) {
            if (left->startedAt() != right->startedAt())
                return left->startedAt() > right->startedAt();
            // Inserted in list order, so the later insert is further along.
            return std::find(all.begin(), all.end(), left) >
                   std::find(all.begin(), all.end(), right);
        });
        QCOMPARE(idsOf(store->sessions()), idsOf(expected));
        store->save();
        QCOMPARE(idsOf(store->sessions()), idsOf(expected));
    }

    // An import adds many days at once to a journal that already has sessions before, between
    // and after them: every one stays, in order.
    void manyArrivalsKeepTheSessionsAlreadyListed() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        QList<std::pair<int, QUuid>> byMinute;
        const auto add = [&](int minutes) {
            const PracticeSessionPtr session = makeSession(minutesAfterMarch(minutes));
            store->insert(session);
            byMinute.append({minutes, session->id()});
        };
        for (const int minutes : {0, 3, 52, 1000})
            add(minutes);
        store->save();
        QCOMPARE(store->sessions().size(), 4u);
        {
            const JournalStore::ChangeBatch batch(*store);
            for (int index = 0; index < 20; ++index)
                add(10 + 5 * index);
        }
        std::sort(byMinute.begin(), byMinute.end(),
                  [](const auto& left, const auto& right) { return left.first > right.first; });
        QList<QUuid> expected;
        for (const auto& [minutes, id] : byMinute)
            expected << id;
        QCOMPARE(idsOf(store->sessions()), expected);
        store->save();
        QCOMPARE(idsOf(store->sessions()), expected);
    }

    void listenersHearOfEachChangeOnce() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        QSignalSpy changed(store.get(), &JournalStore::sessionsChanged);
        const auto session = makeSession(march, {QStringLiteral("Scales")});
        store->insert(session);
        QCOMPARE(changed.count(), 1);
        session->storedEntries().front()->setTitle(QStringLiteral("Modes"));
        QCOMPARE(changed.count(), 2);
        session->applyEdits(minutesAfterMarch(5), 120, QStringLiteral("notes"),
                            {makeEntry(QStringLiteral("new"))}, march);
        QCOMPARE(changed.count(), 3);
        store->save();
        QCOMPARE(changed.count(), 4);
        store->save();
        store->rollback();
        QCOMPARE(changed.count(), 4); // nothing to save or undo, nothing to tell
        store->remove(session);
        QCOMPARE(changed.count(), 5);
        store->rollback();
        QCOMPARE(changed.count(), 6);
        {
            const JournalStore::ChangeBatch batch(*store);
            for (int index = 0; index < 100; ++index)
                store->insert(makeSession(minutesAfterMarch(index)));
            store->save();
            QCOMPARE(changed.count(), 6);
        }
        QCOMPARE(changed.count(), 7);
        QCOMPARE(store->sessions().size(), 101u);

        // A record outside the store tells nobody.
        makeEntry(QStringLiteral("loose"))->setTitle(QStringLiteral("still loose"));
        QCOMPARE(changed.count(), 7);
    }

    // Equal texts read from the file share their characters: each record must still read, write
    // and let go of its own as if it were alone.
    void equalTextsReadBackStayEachRecordsOwn_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << u"Slow, then 90 bpm"_s;
        QTest::newRow("Latin-1") << u"Étude à ¾ tempo"_s;
        QTest::newRow("beyond Latin-1") << u"練習 ♪ 🎸"_s;
    }
    void equalTextsReadBackStayEachRecordsOwn() {
        QFETCH(QString, text);
        {
            const auto store = openJournal();
            for (int index = 0; index < 3; ++index) {
                const auto entry =
                    PracticeEntry::create(QUuid::createUuid(), text, PracticeCategory::haveFun,
                                          std::nullopt, text, 0, nullptr, march);
                store->insert(PracticeSession::create(QUuid::createUuid(), minutesAfterMarch(index),
                                                      600, PracticeSessionSource::manual, text,
                                                      {entry}, march));
            }
            store->save();
        }
        {
            const auto store = openJournal();
            QCOMPARE(store->sessions().size(), 3u);
            store->sessions()[0]->storedEntries().front()->setTitle(u"Renamed"_s);
            store->remove(store->sessions()[1]);
            store->save();
        }
        const auto store = openJournal();
        QCOMPARE(store->sessions().size(), 2u);
        const PracticeEntryPtr renamed = store->sessions()[0]->storedEntries().front();
        const PracticeEntryPtr untouched = store->sessions()[1]->storedEntries().front();
        QCOMPARE(renamed->title(), u"Renamed"_s);
        QCOMPARE(renamed->notes(), std::optional<QString>(text));
        QCOMPARE(untouched->title(), text);
        QCOMPARE(untouched->notes(), std::optional<QString>(text));
        QCOMPARE(store->sessions()[1]->notes(), std::optional<QString>(text));
    }

    void deletingSessionDeletesItsEntries() {
        const auto store = openJournal();
        const auto doomed = makeSession(march, {QStringLiteral("a"), QStringLiteral("b")});
        const auto kept = makeSession(minutesAfterMarch(1), {QStringLiteral("c")});
        store->insert(doomed);
        store->insert(kept);
        store->save();
        const std::vector<PracticeEntryPtr> doomedEntries = doomed->storedEntries();

        store->remove(doomed);
        QVERIFY(doomed->isDeleted());
        for (const PracticeEntryPtr& entry : doomedEntries)
            QVERIFY(entry->isDeleted());
        QCOMPARE(store->sessions(), std::vector<PracticeSessionPtr>{kept});
        store->save();
        QVERIFY(doomed->isDeleted());

        RawDatabase raw(journalPath());
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM sessions")).toInt(), 1);
        QCOMPARE(raw.value(QStringLiteral("SELECT group_concat(title) FROM entries")).toString(),
                 QStringLiteral("c"));
    }

    void deletingEntryKeepsSessionAndItsOtherEntries() {
        {
            const auto store = openJournal();
            const auto session =
                makeSession(march, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
            store->insert(session);
            store->save();
            const PracticeEntryPtr middle = session->storedEntries()[1];
            store->remove(middle);
            QVERIFY(middle->isDeleted());
            QVERIFY(!middle->session());
            QVERIFY(!session->isDeleted());
            QCOMPARE(titlesOf(session->storedEntries()),
                     (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
            store->save();
        }
        const auto store = openJournal();
        QCOMPARE(store->sessions().size(), 1u);
        QCOMPARE(titlesOf(store->sessions().front()->storedEntries()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    }

    void removingThroughTheLiveListsRemovesThatRecord() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        const auto newest =
            makeSession(minutesAfterMarch(2), {QStringLiteral("x"), QStringLiteral("y")});
        const auto older = makeSession(minutesAfterMarch(1), {QStringLiteral("z")});
        store->insert(newest);
        store->insert(older);
        // The handles passed are elements of the lists that the removal changes.
        store->remove(newest->storedEntries()[0]);
        QCOMPARE(titlesOf(newest->storedEntries()), QStringList{QStringLiteral("y")});
        store->remove(store->sessions()[0]);
        QVERIFY(newest->isDeleted());
        QVERIFY(!older->isDeleted());
        QVERIFY(!older->storedEntries()[0]->isDeleted());
        QCOMPARE(store->sessions(), std::vector<PracticeSessionPtr>{older});
    }

    void unknownStoredValuesReadLeniently() {
        {
            const auto store = openJournal();
            const auto session = PracticeSession::create(
                QUuid::createUuid(), march, 60, PracticeSessionSource::timed, std::nullopt,
                {makeEntry(QStringLiteral("forward"), PracticeCategory::lookForward),
                 makeEntry(QStringLiteral("odd"), PracticeCategory::haveFun, QUuid::createUuid(),
                           5),
                 makeEntry(QStringLiteral("back"), PracticeCategory::lookBack, QUuid::createUuid(),
                           1)},
                march);
            store->insert(session);
            store->save();
        }
        {
            RawDatabase raw(journalPath());
            QVERIFY(raw.execute(QStringLiteral(
                "UPDATE entries SET categoryRawValue = 'HaveFun' WHERE title = 'odd'")));
            QVERIFY(raw.execute(QStringLiteral("UPDATE sessions SET sourceRawValue = 'synced'")));
        }
        const auto store = openJournal();
        const PracticeSessionPtr session = store->sessions().front();
        QCOMPARE(session->sourceRawValue(), QStringLiteral("synced"));
        QCOMPARE(session->source(), PracticeSessionSource::manual);
        QCOMPARE(titlesOf(session->entries()),
                 (QStringList{QStringLiteral("back"), QStringLiteral("odd"),
                              QStringLiteral("forward")}));
        QCOMPARE(session->entries()[1]->categoryRawValue(), QStringLiteral("HaveFun"));
        QCOMPARE(session->entries()[1]->category(), PracticeCategory::lookBack);
    }

    // Whatever a row holds comes back byte for byte when its record is written again, however
    // compactly the record keeps it.
    void storedValuesAreWrittenBackAsTheyWere_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Latin-1 title") << u"entries"_s << u"title"_s << u"'Étude à ¾, ½ tempo'"_s;
        QTest::newRow("title beyond Latin-1") << u"entries"_s << u"title"_s << u"'練習 ♪ 🎸'"_s;
        QTest::newRow("empty title") << u"entries"_s << u"title"_s << u"''"_s;
        QTest::newRow("empty entry notes") << u"entries"_s << u"notes"_s << u"''"_s;
        QTest::newRow("entry notes") << u"entries"_s << u"notes"_s << u"'Slow, then 90 bpm'"_s;
        QTest::newRow("unknown category")
            << u"entries"_s << u"categoryRawValue"_s << u"'Have Fun ✓'"_s;
        QTest::newRow("untimed entry") << u"entries"_s << u"durationSeconds"_s << u"NULL"_s;
        QTest::newRow("longest entry")
            << u"entries"_s << u"durationSeconds"_s << u"9223372036854775807"_s;
        QTest::newRow("earliest update")
            << u"entries"_s << u"updatedAt"_s << u"-9223372036854775807"_s;
        QTest::newRow("updated at the epoch") << u"entries"_s << u"updatedAt"_s << u"0"_s;
        QTest::newRow("empty session notes") << u"sessions"_s << u"notes"_s << u"''"_s;
        QTest::newRow("no session notes") << u"sessions"_s << u"notes"_s << u"NULL"_s;
        QTest::newRow("unknown source") << u"sessions"_s << u"sourceRawValue"_s << u"'Imported '"_s;
        QTest::newRow("session updated") << u"sessions"_s << u"updatedAt"_s << u"1741000123456"_s;
    }
    void storedValuesAreWrittenBackAsTheyWere() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, stored);
        writeSmallJournal(1);
        const QString read = u"SELECT quote(%1) FROM %2"_s.arg(column, table) +
                             (table == u"entries" ? u" WHERE title <> 'Chords'"_s : QString());
        QVariant before;
        {
            RawDatabase raw(journalPath());
            QVERIFY(raw.execute(u"UPDATE %1 SET %2 = %3"_s.arg(table, column, stored) +
                                (table == u"entries" ? u" WHERE title = 'Scales'"_s : QString())));
            before = raw.value(read);
            QVERIFY(before.isValid());
        }
        {
            const auto store = openJournal();
            const PracticeSessionPtr session = store->sessions().front();
            QCOMPARE(session->storedEntries().size(), 2u);
            // Both rows are written again: the session's list changes, the kept entry moves.
            const PracticeEntryPtr kept = session->storedEntries().front();
            store->remove(session->storedEntries().back());
            kept->setSortOrder(kept->sortOrder() + 1);
            store->save();
        }
        RawDatabase raw(journalPath());
        QCOMPARE(raw.value(read), before);
    }

    void rollbackUndoesEveryUnsavedChange() {
        auto store = openJournal();
        const auto edited = makeSession(march, {QStringLiteral("a"), QStringLiteral("b")});
        const auto removed = makeSession(minutesAfterMarch(1), {QStringLiteral("r")});
        store->insert(edited);
        store->insert(removed);
        store->save();
        const PracticeEntryPtr a = edited->storedEntries()[0];
        const PracticeEntryPtr b = edited->storedEntries()[1];
        const PracticeEntryPtr r = removed->storedEntries()[0];

        const auto added = makeSession(minutesAfterMarch(2), {QStringLiteral("new")});
        const auto newEntry = makeEntry(QStringLiteral("c"));
        store->insert(added);
        edited->applyEdits(minutesAfterMarch(3), 42, QStringLiteral("changed"), {newEntry, a},
                           minutesAfterMarch(9));
        a->setTitle(QStringLiteral("renamed"));
        store->remove(b);
        store->remove(removed);
        r->setNotes(QStringLiteral("written after the delete"));
        QVERIFY(store->hasChanges());

        store->rollback();
        QVERIFY(!store->hasChanges());
        QCOMPARE(store->sessions(), (std::vector<PracticeSessionPtr>{removed, edited}));
        QVERIFY(!added->isDeleted());
        QCOMPARE(edited->startedAt(), march);
        QCOMPARE(edited->durationSeconds(), 1800);
        QCOMPARE(edited->endedAt(), march.addingMSecs(1'800'000));
        QVERIFY(!edited->notes());
        QVERIFY(!edited->updatedAt());
        QCOMPARE(edited->storedEntries(), (std::vector<PracticeEntryPtr>{a, b}));
        QCOMPARE(a->title(), QStringLiteral("a"));
        QCOMPARE(a->session(), edited);
        QCOMPARE(b->session(), edited);
        QVERIFY(!b->isDeleted());
        QVERIFY(!newEntry->session());
        QVERIFY(!removed->isDeleted());
        QVERIFY(!r->isDeleted());
        QVERIFY(!r->notes());
        QCOMPARE(r->session(), removed);

        // What the store shows is what it holds.
        store.reset();
        store = openJournal();
        QCOMPARE(store->sessions().size(), 2u);
        QCOMPARE(titlesOf(store->sessions()[1]->storedEntries()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(titlesOf(store->sessions()[0]->storedEntries()), QStringList{QStringLiteral("r")});
    }

    void failedSaveLeavesNoTrace() {
        writeSmallJournal(1);
        auto store = openJournal();
        const PracticeSessionPtr edited = store->sessions().front();
        const std::vector<PracticeEntryPtr> oldEntries = edited->storedEntries();
        {
            RawDatabase raw(journalPath());
            QVERIFY(raw.execute(QStringLiteral(
                "CREATE TRIGGER refusePoison BEFORE INSERT ON entries WHEN NEW.title = 'poison' "
                "BEGIN SELECT RAISE(ABORT, 'the test refuses this entry'); END")));
        }
        QSignalSpy changed(store.get(), &JournalStore::sessionsChanged);

        // One user action: edit a session the editor's way and add another.
        edited->applyEdits(minutesAfterMarch(60), 99, QStringLiteral("edited"),
                           {makeEntry(QStringLiteral("Scales again"), PracticeCategory::haveFun,
                                      oldEntries[0]->id())},
                           minutesAfterMarch(61));
        for (const PracticeEntryPtr& entry : oldEntries)
            store->remove(entry);
        const auto added =
            makeSession(minutesAfterMarch(120), {QStringLiteral("fine"), QStringLiteral("poison")});
        store->insert(added);

        try {
            store->save();
            QFAIL("the save should have failed");
        } catch (const JournalStore::SaveError& error) {
            QCOMPARE(error.description(), QStringLiteral("the test refuses this entry"));
        }
        QVERIFY(store->hasChanges());
        store->rollback();

        QCOMPARE(store->sessions(), std::vector<PracticeSessionPtr>{edited});
        QCOMPARE(edited->startedAt(), minutesAfterMarch(0));
        QCOMPARE(edited->durationSeconds(), 1800);
        QVERIFY(!edited->notes());
        QVERIFY(!edited->updatedAt());
        QCOMPARE(edited->storedEntries(), oldEntries);
        QCOMPARE(titlesOf(edited->entries()),
                 (QStringList{QStringLiteral("Scales"), QStringLiteral("Chords")}));
        for (const PracticeEntryPtr& entry : oldEntries) {
            QVERIFY(!entry->isDeleted());
            QCOMPARE(entry->session(), edited);
        }
        QVERIFY(changed.count() > 0);

        // Nothing of the failed save reached the file.
        {
            RawDatabase raw(journalPath());
            QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM sessions")).toInt(), 1);
            QCOMPARE(raw.value(QStringLiteral("SELECT durationSeconds FROM sessions")).toInt(),
                     1800);
            QCOMPARE(
                raw.value(QStringLiteral("SELECT group_concat(title) FROM entries")).toString(),
                QStringLiteral("Scales,Chords"));
            QVERIFY(raw.execute(QStringLiteral("DROP TRIGGER refusePoison")));
        }
        // The user may try again.
        added->storedEntries()[1]->setTitle(QStringLiteral("cured"));
        store->insert(added);
        store->save();
        store.reset();
        store = openJournal();
        QCOMPARE(store->sessions().size(), 2u);
        QCOMPARE(titlesOf(store->sessions().front()->storedEntries()),
                 (QStringList{QStringLiteral("fine"), QStringLiteral("cured")}));
    }

    void editKeepingEntryIdsSaves() {
        writeSmallJournal(1);
        QList<QUuid> keptIds;
        {
            const auto store = openJournal();
            const PracticeSessionPtr session = store->sessions().front();
            const std::vector<PracticeEntryPtr> old = session->storedEntries();
            std::vector<PracticeEntryPtr> renewed;
            for (const PracticeEntryPtr& entry : old) {
                keptIds << entry->id();
                renewed.push_back(makeEntry(entry->title() + QStringLiteral(" (kept)"),
                                            entry->category(), entry->id()));
            }
            session->applyEdits(session->startedAt(), 600, std::nullopt, renewed,
                                minutesAfterMarch(5));
            for (const PracticeEntryPtr& entry : old)
                store->remove(entry);
            store->save();
        }
        const auto store = openJournal();
        const PracticeSessionPtr session = store->sessions().front();
        QCOMPARE(titlesOf(session->storedEntries()),
                 (QStringList{QStringLiteral("Scales (kept)"), QStringLiteral("Chords (kept)")}));
        QCOMPARE(
            (QList<QUuid>{session->storedEntries()[0]->id(), session->storedEntries()[1]->id()}),
            keptIds);
        RawDatabase raw(journalPath());
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM entries")).toInt(), 2);
    }

    void unusableFilesAreLeftUntouched_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("expectedError");
        QTest::newRow("text file")
            << QStringLiteral("text") << int(JournalStore::OpenError::notAJournal);
        QTest::newRow("random bytes")
            << QStringLiteral("random") << int(JournalStore::OpenError::notAJournal);
        QTest::newRow("another program's database")
            << QStringLiteral("foreign") << int(JournalStore::OpenError::notAJournal);
        QTest::newRow("another store's name")
            << QStringLiteral("renamed") << int(JournalStore::OpenError::notAJournal);
        QTest::newRow("newer schema version")
            << QStringLiteral("newer") << int(JournalStore::OpenError::newerSchemaVersion);
        QTest::newRow("damaged pages")
            << QStringLiteral("damaged") << int(JournalStore::OpenError::unreadable);
        QTest::newRow("cut short")
            << QStringLiteral("truncated") << int(JournalStore::OpenError::unreadable);
    }
    void unusableFilesAreLeftUntouched() {
        QFETCH(QString, kind);
        QFETCH(int, expectedError);
        const QString path = journalPath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == QStringLiteral("text")) {
            QVERIFY(writeBytes(path, "Dear diary,\nno journal here.\n"));
        } else if (kind == QStringLiteral("random")) {
            QByteArray bytes(64 * 1024, Qt::Uninitialized);
            QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                          bytes.size() / 4);
            QVERIFY(writeBytes(path, bytes));
        } else if (kind == QStringLiteral("foreign")) {
            RawDatabase raw(path);
            QVERIFY(raw.execute(QStringLiteral("CREATE TABLE recipes (name TEXT)")));
            QVERIFY(raw.execute(QStringLiteral("INSERT INTO recipes VALUES ('bread')")));
        } else {
            writeSmallJournal(kind == QStringLiteral("damaged") ? 400 : 3);
            if (kind == QStringLiteral("renamed") || kind == QStringLiteral("newer")) {
                RawDatabase raw(path);
                QVERIFY(raw.execute(
                    kind == QStringLiteral("renamed")
                        ? QStringLiteral(
                              "UPDATE metadata SET value = 'Recipes' WHERE key = 'storeName'")
                        : QStringLiteral(
                              "UPDATE metadata SET value = '2.0.0' WHERE key = 'schemaVersion'")));
            }
            QByteArray bytes = bytesOf(path);
            QVERIFY(bytes.size() > 4 * 4096);
            if (kind == QStringLiteral("damaged"))
                bytes.replace(2 * 4096, bytes.size() - 3 * 4096,
                              QByteArray(bytes.size() - 3 * 4096, '\xa5'));
            else if (kind == QStringLiteral("truncated"))
                bytes.truncate(2 * 4096);
            QVERIFY(writeBytes(path, bytes));
        }
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")));
        const QByteArray before = bytesOf(path);
        QVERIFY(!before.isEmpty());

        try {
            openJournal();
            QFAIL("opening should have failed");
        } catch (const JournalStore::OpenError& error) {
            QCOMPARE(int(error.errorCase()), expectedError);
            QVERIFY2(error.description().contains(QDir::toNativeSeparators(path)),
                     qPrintable(error.description()));
            QVERIFY(error.description().endsWith(QStringLiteral("It was left unchanged.")));
        }
        QCOMPARE(bytesOf(path), before);
        // Nothing was left beside it either, not even the empty side files of a look inside.
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-shm")));
        // A second attempt finds the same file, not a fresh journal in its place.
        QVERIFY_THROWS_EXCEPTION(JournalStore::OpenError, openJournal());
        QCOMPARE(bytesOf(path), before);
    }

    void folderAtTheJournalPathIsRefused() {
        QVERIFY(QDir().mkpath(journalPath()));
        try {
            openJournal();
            QFAIL("opening should have failed");
        } catch (const JournalStore::OpenError& error) {
            QCOMPARE(error.errorCase(), JournalStore::OpenError::notAJournal);
        }
        QVERIFY(QFileInfo(journalPath()).isDir());
    }

    void emptyFileBecomesAJournal() {
        QVERIFY(QDir().mkpath(QFileInfo(journalPath()).absolutePath()));
        QVERIFY(writeBytes(journalPath(), QByteArray()));
        openJournal()->insert(makeSession(march));
        QVERIFY(openJournal()->sessions().empty());
        {
            const auto store = openJournal();
            store->insert(makeSession(march));
            store->save();
        }
        QCOMPARE(openJournal()->sessions().size(), 1u);
    }

    void journalIsOwnerOnly() {
        const auto store = openJournal();
        store->insert(makeSession(march, {QStringLiteral("private")}));
        store->save();
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        const QStringList paths{journalPath(), journalPath() + QStringLiteral("-wal"),
                                QFileInfo(journalPath()).absolutePath()};
        for (const QString& path : paths) {
            const QFile::Permissions permissions = QFileInfo(path).permissions();
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            QVERIFY2(!(permissions & others), qPrintable(path));
            QVERIFY(permissions & QFile::ReadOwner);
            QVERIFY(permissions & QFile::WriteOwner);
        }
    }

    void secondProcessIsRefused() {
        auto store = openJournal();
        store->insert(makeSession(march, {QStringLiteral("first process")}));
        store->save();

        QProcess helper;
        helper.start(QStringLiteral(JOURNAL_STORE_HELPER), {QStringLiteral("open"), journalPath()});
        QVERIFY(helper.waitForFinished(30'000));
        const QString output = QString::fromUtf8(helper.readAllStandardOutput()).trimmed();
        QCOMPARE(helper.exitCode(), 2);
        QVERIFY2(output.contains(QStringLiteral("is already open in another Brevanta process")),
                 qPrintable(output));

        // The first process carries on untouched.
        store->insert(makeSession(minutesAfterMarch(1)));
        store->save();
        QCOMPARE(store->sessions().size(), 2u);
        // Nor may the same process open it twice.
        QVERIFY_THROWS_EXCEPTION(JournalStore::OpenError, openJournal());
        store.reset();

        helper.start(QStringLiteral(JOURNAL_STORE_HELPER), {QStringLiteral("open"), journalPath()});
        QVERIFY(helper.waitForFinished(30'000));
        QCOMPARE(helper.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()).trimmed(),
                 QStringLiteral("opened 2"));
    }

    void lockOfAKilledProcessIsTakenOver() {
        writeSmallJournal(2);
        QProcess helper;
        helper.start(QStringLiteral(JOURNAL_STORE_HELPER), {QStringLiteral("hold"), journalPath()});
        QVERIFY(helper.waitForReadyRead(30'000));
        QCOMPARE(QString::fromUtf8(helper.readLine()).trimmed(), QStringLiteral("opened 2"));
        try {
            openJournal();
            QFAIL("the journal is held by the helper");
        } catch (const JournalStore::OpenError& error) {
            QCOMPARE(error.errorCase(), JournalStore::OpenError::alreadyOpen);
        }
        helper.kill();
        QVERIFY(helper.waitForFinished(30'000));
        QCOMPARE(openJournal()->sessions().size(), 2u);
    }

    // The lock taken on its own thread before the application starts is the one the store
    // then holds: for a journal nobody holds, for a new one (its folder made on that thread),
    // and for one already held, whose refusal comes from open() as it always did.
    void lockTakenAhead_data() {
        QTest::addColumn<bool>("journalExists");
        QTest::addColumn<bool>("heldAlready");
        QTest::newRow("journal nobody holds") << true << false;
        QTest::newRow("new journal in a new folder") << false << false;
        QTest::newRow("journal held already") << true << true;
    }
    void lockTakenAhead() {
        QFETCH(bool, journalExists);
        QFETCH(bool, heldAlready);
        if (journalExists)
            writeSmallJournal(2);
        const auto holder = heldAlready ? openJournal() : nullptr;
        const StoreConfiguration configuration = StoreConfiguration::atPath(journalPath());
        JournalLockAhead ahead(configuration);
        if (heldAlready) {
            try {
                JournalStore::open(configuration, JournalStore::RowLoading::beforeReturning,
                                   &ahead);
                QFAIL("the journal is held already");
            } catch (const JournalStore::OpenError& error) {
                QCOMPARE(error.errorCase(), JournalStore::OpenError::alreadyOpen);
            }
            return;
        }
        auto store =
            JournalStore::open(configuration, JournalStore::RowLoading::beforeReturning, &ahead);
        QCOMPARE(store->sessions().size(), journalExists ? 2u : 0u);
        QVERIFY(!failureOf([this] { openJournal(); }).isNull()); // held through the store
        store.reset();
        QVERIFY(openJournal()); // and let go with it
    }

    // A lock is judged by what it says: one that cannot be read (empty after a power cut, cut
    // short, garbage) is stale; one from another machine sharing the folder is not.
    void leftoverLockFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("otherMachine");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("garbage") << QByteArray("\x89\xfe\0\x17~\n\x01", 7) << QString();
        QTest::newRow("cut after the process id") << QByteArray("4242\n") << QString();
        QTest::newRow("another machine") << QByteArray("4242\nBrevanta\nmusic-room.example\n")
                                         << QStringLiteral("music-room.example");
    }
    void leftoverLockFiles() {
        QFETCH(QByteArray, content);
        QFETCH(QString, otherMachine);
        writeSmallJournal(2);
        const QString lockPath = journalPath() + QStringLiteral(".lock");
        QVERIFY(writeBytes(lockPath, content));
        if (otherMachine.isEmpty()) {
            const auto store = openJournal();
            QCOMPARE(store->sessions().size(), 2u);
            QVERIFY(!failureOf([this] { openJournal(); }).isNull()); // and really held
            return;
        }
        const QString failure = failureOf([this] { openJournal(); });
        QVERIFY2(failure.contains(u"“" + otherMachine + u"”") &&
                     failure.contains(QDir::toNativeSeparators(lockPath)),
                 qPrintable(failure));
        QCOMPARE(bytesOf(lockPath), content);
    }

    void lockThatCannotBeWrittenSaysWhy() {
        writeSmallJournal(1);
        QVERIFY(writeBytes(journalPath() + QStringLiteral(".lock"), QByteArray()));
        // As on a full disk: the stale lock goes, and no new one can be written.
        const auto [exitCode, output] =
            openInHelper(journalPath(), QStringLiteral("JOURNAL_HELPER_FILE_LIMIT=0"));
        QCOMPARE(exitCode, 2);
        QVERIFY2(output.contains(u"could not be locked for this process: File too large."),
                 qPrintable(output));
    }

    // SQLite opens a file it may not write read-only, without a word; the store refuses it at
    // open, names the culprit and changes no mode.
    void journalThisUserCannotWriteIsRefused_data() {
        QTest::addColumn<QString>("readOnly");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("read-only file") << QString() << 0400 << false;
        QTest::newRow("another user's file") << QString() << 0644 << true;
        QTest::newRow("read-only -shm left by a crash") << QStringLiteral("-shm") << 0400 << false;
    }
    void journalThisUserCannotWriteIsRefused() {
        QFETCH(QString, readOnly);
        QFETCH(int, mode);
        QFETCH(bool, foreign);
        const bool root = ::geteuid() == 0;
        if (foreign && !root)
            QSKIP("needs a second user: run as root");
        // Root may write anything: as root the helper runs as nobody.
        const uint user = root ? 65534 : ::geteuid();
        writeSmallJournal(2);
        if (!readOnly.isEmpty()) { // a killed process leaves -wal and -shm behind
            QProcess holder;
            holder.start(QStringLiteral(JOURNAL_STORE_HELPER),
                         {QStringLiteral("hold"), journalPath()});
            QVERIFY(holder.waitForReadyRead(30'000));
            holder.kill();
            QVERIFY(holder.waitForFinished(30'000));
        }
        QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ExeOwner | QFile::ExeOther));
        const QDir folder(QFileInfo(journalPath()).absolutePath());
        for (const QString& name : folder.entryList(QDir::AllEntries | QDir::NoDotDot)) {
            if (!foreign || name == u".")
                QCOMPARE(::chown(QFile::encodeName(folder.filePath(name)).constData(), user, user),
                         0);
        }
        const QString target = journalPath() + readOnly;
        QCOMPARE(::chmod(QFile::encodeName(target).constData(), mode_t(mode)), 0);
        const QByteArray bytes = bytesOf(journalPath());

        const auto [exitCode, output] = openInHelper(
            journalPath(), root ? QStringLiteral("JOURNAL_HELPER_UID=65534") : QString());
        QCOMPARE(exitCode, 2);
        QVERIFY2(output.contains(QStringLiteral("cannot be saved to: the file %1 is read-only")
                                     .arg(QDir::toNativeSeparators(target))),
                 qPrintable(output));
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(bytesOf(journalPath()), bytes);
    }

    void recordsOutliveTheirStore() {
        PracticeSessionPtr session;
        {
            const auto store = JournalStore::open(StoreConfiguration::inMemory());
            session = makeSession(march, {QStringLiteral("a")});
            store->insert(session);
            store->save();
        }
        session->applyEdits(minutesAfterMarch(1), 60, std::nullopt,
                            {makeEntry(QStringLiteral("b"))}, march);
        QCOMPARE(session->title(), QStringLiteral("b"));
        QVERIFY(!session->isDeleted());

        // A new store takes it as a new record.
        const auto store = openJournal();
        store->insert(session);
        store->save();
        QCOMPARE(store->sessions(), std::vector<PracticeSessionPtr>{session});
    }

    void recordOfAnotherStoreIsRefused() {
        const auto first = JournalStore::open(StoreConfiguration::inMemory());
        const auto second = JournalStore::open(StoreConfiguration::inMemory());
        const auto session = makeSession(march);
        first->insert(session);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, second->insert(session));
        QVERIFY(second->sessions().empty());
    }
};

QTEST_GUILESS_MAIN(TestJournalStore)
#include "tst_journalstore.moc"
