// SPDX-License-Identifier: MIT
// Opening a journal whose rows follow in the background: they arrive in one step, and what the
// user saves meanwhile is neither lost nor read twice, whichever comes first.
#include "core/import/PracticeImportViewModel.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace brevanta;
using namespace brevanta::testing;

namespace {

const Instant day = Instant::fromSecsSinceEpoch(1'741'186'800); // 2025-03-05T15:00Z

Instant daysLater(int days) {
    return day.addingMSecs(std::int64_t(days) * 86'400'000);
}

PracticeSessionPtr sessionAt(Instant start, const QString& title) {
    std::vector<PracticeEntryPtr> entries{
        PracticeEntry::create(QUuid::createUuid(), title, PracticeCategory::haveFun, 300,
                              std::nullopt, 0, nullptr, start),
        PracticeEntry::create(QUuid::createUuid(), title + QStringLiteral(" again"),
                              PracticeCategory::lookForward, std::nullopt, std::nullopt, 0, nullptr,
                              start)};
    return PracticeSession::create(QUuid::createUuid(), start, 1200, PracticeSessionSource::manual,
                                   std::nullopt, std::move(entries), start);
}

QStringList titlesOf(const std::vector<PracticeSessionPtr>& sessions) {
    QStringList titles;
    for (const PracticeSessionPtr& session : sessions)
        titles << session->title();
    return titles;
}

} // namespace

class TestJournalStoreLoading : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_path;

    std::unique_ptr<JournalStore> openInBackground() {
        return JournalStore::open(StoreConfiguration::atPath(m_path),
                                  JournalStore::RowLoading::inBackground);
    }

private Q_SLOTS:
    // Three stored sessions, on days 0, 2 and 4.
    void init() {
        m_path = m_folder.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
        const auto store = JournalStore::open(StoreConfiguration::atPath(m_path));
        for (int days : {0, 2, 4})
            store->insert(sessionAt(daysLater(days), QStringLiteral("Day %1").arg(days)));
        store->save();
    }

    void saveMergesWithLoad_data() {
        QTest::addColumn<bool>("saveBeforeLoadEnds");
        QTest::addColumn<int>("newDay");
        QTest::addColumn<QStringList>("expected");
        const QStringList newest{QStringLiteral("New"), QStringLiteral("Day 4"),
                                 QStringLiteral("Day 2"), QStringLiteral("Day 0")};
        const QStringList between{QStringLiteral("Day 4"), QStringLiteral("Day 2"),
                                  QStringLiteral("New"), QStringLiteral("Day 0")};
        QTest::newRow("save before the load ends, newest") << true << 6 << newest;
        QTest::newRow("save before the load ends, between stored days") << true << 1 << between;
        QTest::newRow("load ends before the save, newest") << false << 6 << newest;
        QTest::newRow("load ends before the save, between stored days") << false << 1 << between;
    }

    void saveMergesWithLoad() {
        QFETCH(bool, saveBeforeLoadEnds);
        QFETCH(int, newDay);
        QFETCH(QStringList, expected);
        {
            const auto store = openInBackground();
            QVERIFY(!store->isLoaded());
            QSignalSpy loaded(store.get(), &JournalStore::loaded);
            QSignalSpy changes(store.get(), &JournalStore::sessionsChanged);
            if (!saveBeforeLoadEnds) {
                // The rows arrive in one step, with their entries.
                QVERIFY(loaded.wait());
                QCOMPARE(changes.count(), 1);
                QCOMPARE(testing::titlesOf(store->sessions().front()->entries()),
                         (QStringList{QStringLiteral("Day 4"), QStringLiteral("Day 4 again")}));
            }
            store->insert(sessionAt(daysLater(newDay), QStringLiteral("New")));
            store->save();
            if (saveBeforeLoadEnds) {
                QCOMPARE(titlesOf(store->sessions()), QStringList{QStringLiteral("New")});
                QVERIFY(loaded.wait());
            }
            QCOMPARE(titlesOf(store->sessions()), expected);
            QVERIFY(!store->hasChanges());
            // An edit after the load reaches the stored row of the new session, not a copy.
            const PracticeSessionPtr added =
                store->sessions()[std::size_t(expected.indexOf(QStringLiteral("New")))];
            added->applyEdits(added->startedAt(), 1800, QStringLiteral("Edited"),
                              added->storedEntries(), daysLater(7));
            store->save();
        }
        const auto reopened = JournalStore::open(StoreConfiguration::atPath(m_path));
        QCOMPARE(titlesOf(reopened->sessions()), expected);
        const PracticeSessionPtr added =
            reopened->sessions()[std::size_t(expected.indexOf(QStringLiteral("New")))];
        QCOMPARE(added->durationSeconds(), 1800);
        QCOMPARE(testing::titlesOf(added->entries()),
                 (QStringList{QStringLiteral("New"), QStringLiteral("New again")}));
        RawDatabase raw(m_path);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM sessions")).toInt(), 4);
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM entries")).toInt(), 8);
    }

    void rowsWaitUntilAsked_data() {
        QTest::addColumn<bool>("asksInBackground");
        QTest::newRow("asked to load in the background") << true;
        QTest::newRow("never asked, then waited for") << false;
    }

    void rowsWaitUntilAsked() {
        QFETCH(bool, asksInBackground);
        const auto store = JournalStore::open(StoreConfiguration::atPath(m_path),
                                              JournalStore::RowLoading::whenAsked);
        QSignalSpy loaded(store.get(), &JournalStore::loaded);
        store->insert(sessionAt(daysLater(3), QStringLiteral("New")));
        store->save();
        QCoreApplication::processEvents();
        QVERIFY(!store->isLoaded());
        QCOMPARE(titlesOf(store->sessions()), QStringList{QStringLiteral("New")});
        if (asksInBackground) {
            store->loadInBackground();
            store->loadInBackground();
            QVERIFY(loaded.wait());
        } else {
            store->waitUntilLoaded();
        }
        QVERIFY(store->isLoaded());
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(titlesOf(store->sessions()),
                 (QStringList{QStringLiteral("Day 4"), QStringLiteral("New"),
                              QStringLiteral("Day 2"), QStringLiteral("Day 0")}));
    }

    void importReviewWaitsForTheRows() {
        const auto store = openInBackground();
        PracticeImportViewModel review(*store, Calendar(u"UTC", u"en_US"),
                                       Clock([] { return day; }));
        QSignalSpy changed(&review, &PracticeImportViewModel::isLoadingChanged);
        QVERIFY(review.isLoading());
        QVERIFY(!review.canImport());
        QVERIFY(changed.wait());
        QVERIFY(store->isLoaded());
        QVERIFY(!review.isLoading());
    }

    void rollbackWhileLoadingLeavesTheStoredSessions() {
        auto store = openInBackground();
        QSignalSpy loaded(store.get(), &JournalStore::loaded);
        store->insert(sessionAt(daysLater(6), QStringLiteral("Unsaved")));
        store->rollback();
        QVERIFY(loaded.wait());
        QCOMPARE(titlesOf(store->sessions()),
                 (QStringList{QStringLiteral("Day 4"), QStringLiteral("Day 2"),
                              QStringLiteral("Day 0")}));
        // Closing while the rows load lets go of the journal.
        store.reset();
        openInBackground().reset();
        QCOMPARE(JournalStore::open(StoreConfiguration::atPath(m_path))->sessions().size(), 3u);
    }

    void rowsThatCannotBeReadAreReported() {
        // A damaged page at the start of the entries: every check of opening passes (they read
        // the ends of the tables), and only reading all rows fails.
        {
            const auto store = JournalStore::open(StoreConfiguration::atPath(m_path));
            for (int days = 10; days < 400; ++days)
                store->insert(sessionAt(daysLater(days), QStringLiteral("Filler")));
            store->save();
        }
        RawDatabase raw(m_path);
        const qint64 pageSize = raw.value(QStringLiteral("PRAGMA page_size")).toLongLong();
        const qint64 rootPage =
            raw.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'entries'"))
                .toLongLong();
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek((rootPage - 1) * pageSize));
        const QByteArray root = file.read(pageSize);
        QCOMPARE(int(root[0]), 0x05); // an interior page: the table spans several
        const auto byteAt = [&root](int at) { return quint32(quint8(root[at])); };
        const int firstCell = int(byteAt(12) << 8 | byteAt(13));
        const qint64 leftmostChild = byteAt(firstCell) << 24 | byteAt(firstCell + 1) << 16 |
                                     byteAt(firstCell + 2) << 8 | byteAt(firstCell + 3);
        QVERIFY(file.seek((leftmostChild - 1) * pageSize));
        file.write(QByteArray(int(pageSize), '\xff'));
        file.close();
        auto store = openInBackground();
        QSignalSpy failed(store.get(), &JournalStore::loadFailed);
        QVERIFY(failed.wait());
        QVERIFY(!store->isLoaded());
        const QString description = failed.first().first().toString();
        QVERIFY2(description.contains(QStringLiteral("could not be read")),
                 qPrintable(description));
        QCOMPARE(store->loadFailure(), description);
        // Opened for a tool, the same journal is refused outright.
        store.reset();
        QCOMPARE(failureOf([this] { JournalStore::open(StoreConfiguration::atPath(m_path)); }),
                 description);
    }
};

QTEST_GUILESS_MAIN(TestJournalStoreLoading)
#include "tst_journalstoreloading.moc"
