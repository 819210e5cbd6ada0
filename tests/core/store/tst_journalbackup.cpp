// SPDX-License-Identifier: MIT
#include "core/store/JournalBackup.h"
#include "core/store/JournalStore.h"
#include "support/RecordTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// 1 June 2025, 12:00 UTC: 08:00 in New York.
const Instant june2025 = Instant::fromSecsSinceEpoch(1'748'779'200);

PracticeSessionPtr session(Instant start) {
    return PracticeSession::create(QUuid::createUuid(), start, 1800, PracticeSessionSource::manual,
                                   std::nullopt, {}, start);
}

constexpr QFile::Permissions othersMayTouch = QFile::ReadGroup | QFile::WriteGroup |
                                              QFile::ExeGroup | QFile::ReadOther |
                                              QFile::WriteOther | QFile::ExeOther;

} // namespace

class TestJournalBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;

    QString journalPath() const { return m_folder->filePath(u"Brevanta.sqlite"_s); }
    QString backups() const { return m_folder->filePath(u"Backups"_s); }

private Q_SLOTS:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    void aBackupIsAPrivateJournalOfWhatWasStored() {
        const PracticeSessionPtr stored = session(june2025);
        {
            auto store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
            store->insert(stored);
            store->save();
            store->insert(session(june2025.addingMSecs(3'600'000))); // never saved

            const std::optional<QString> backup =
                JournalBackup::make(*store, june2025, newYorkCalendar());
            QCOMPARE(backup, QDir(backups()).filePath(u"Brevanta 2025-06-01 08-00-00.sqlite"_s));
            QCOMPARE(QFile::permissions(*backup) & othersMayTouch, QFile::Permissions());
            QCOMPARE(QFile::permissions(backups()) & othersMayTouch, QFile::Permissions());
        }
        // Restoring is opening the copy as the journal.
        auto restored = JournalStore::open(
            StoreConfiguration::atPath(JournalBackup::list(backups()).constFirst()));
        QCOMPARE(restored->sessions().size(), 1u);
        QCOMPARE(restored->sessions().front()->id(), stored->id());
    }

    void onlyTheNewestFiveAreKept() {
        auto store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
        QVERIFY(QDir().mkpath(backups()));
        QFile foreign(QDir(backups()).filePath(u"notes.txt"_s));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.close();
        QStringList made;
        // Two copies in one second, then one a day: names must still sort by age.
        for (const qint64 seconds : {0, 0, 86'400, 2 * 86'400, 3 * 86'400, 4 * 86'400, 5 * 86'400})
            made << *JournalBackup::make(*store, june2025.addingMSecs(seconds * 1000),
                                         newYorkCalendar());
        QCOMPARE(QFileInfo(made[1]).fileName(), u"Brevanta 2025-06-01 08-00-00 2.sqlite"_s);
        QCOMPARE(JournalBackup::list(backups()), made);

        JournalBackup::prune(backups());
        QCOMPARE(JournalBackup::list(backups()), made.mid(2));
        QVERIFY(foreign.exists());
    }

    void failuresAndMemoryJournalsLeaveNothing() {
        auto memory = JournalStore::open(StoreConfiguration::inMemory());
        QCOMPARE(JournalBackup::make(*memory, june2025, newYorkCalendar()), std::nullopt);

        auto store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
        QFile inTheWay(backups());
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        try {
            JournalBackup::make(*store, june2025, newYorkCalendar());
            QFAIL("a backup was made where it cannot be");
        } catch (const JournalBackup::Error& error) {
            QCOMPARE(error.description(), u"A backup of the journal could not be made in “"_s +
                                              QDir::toNativeSeparators(backups()) +
                                              u"” (a file of that name is in the way)."_s);
        }
        QVERIFY(QFileInfo(backups()).isFile());
    }
};

QTEST_GUILESS_MAIN(TestJournalBackup)
#include "tst_journalbackup.moc"
