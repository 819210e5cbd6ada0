// SPDX-License-Identifier: MIT
#include "core/editing/PracticePreferences.h"
#include "core/editing/PracticeSessionDraft.h"
#include "core/editing/PracticeSessionDraftSaver.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"

#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");

Instant at(DateComponents components) {
    return newYork.makeInstant(components).value();
}

const Instant created = at({2025, 3, 1, 9});
const QString refusal = u"the test refuses this entry"_s;

PracticeEntryPtr entry(const QString& title, PracticeCategory category,
                       std::optional<std::int64_t> seconds = std::nullopt) {
    return PracticeEntry::create(QUuid::createUuid(), title, category, seconds, std::nullopt, 0,
                                 nullptr, created);
}

} // namespace

class TestPracticeSessionDraftSaver : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<PracticePreferences> m_preferences;
    std::unique_ptr<JournalStore> m_store;
    Instant m_now = at({2025, 3, 10, 8});

    QString journalPath() const { return m_folder->filePath(u"journal/Brevanta.sqlite"_s); }
    PracticeSessionDraftSaver saver() {
        return PracticeSessionDraftSaver(*m_store, newYork, Clock([this] { return m_now; }),
                                         *m_preferences);
    }
    bool rememberedAnyCategory() const {
        return m_settings->contains(
            QLatin1StringView(PracticePreferences::lastPracticeCategoryKey));
    }
    // A saved manual session of 90 seconds with a titled, a blank and another titled entry.
    PracticeSessionPtr storedSession(std::int64_t seconds = 90,
                                     PracticeSessionSource source = PracticeSessionSource::manual) {
        const PracticeSessionPtr session = PracticeSession::create(
            QUuid::createUuid(), at({2025, 3, 5, 18, 30}), seconds, source, u"Warm hands"_s,
            {entry(u"Scales"_s, PracticeCategory::lookBack, 63),
             entry(u""_s, PracticeCategory::haveFun),
             entry(u"Chords"_s, PracticeCategory::lookForward)},
            created);
        m_store->insert(session);
        m_store->save();
        return session;
    }
    void refuseEntriesTitled(const QString& title) {
        RawDatabase raw(journalPath());
        QVERIFY(raw.execute(u"CREATE TRIGGER refuse BEFORE INSERT ON entries WHEN NEW.title = '"_s +
                            title + u"' BEGIN SELECT RAISE(ABORT, '"_s + refusal + u"'); END"_s));
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        m_settings = std::make_unique<QSettings>(m_folder->filePath(u"preferences.ini"_s),
                                                 QSettings::IniFormat);
        m_preferences = std::make_unique<PracticePreferences>(*m_settings);
        m_store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
    }
    void cleanup() {
        m_store.reset();
        m_preferences.reset();
        m_settings.reset();
        m_folder.reset();
    }

    void rememberedCategory_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("rawValue");
        QTest::addColumn<PracticeCategory>("category");
        QTest::newRow("nothing stored")
            << QVariant() << u"lookBack"_s << PracticeCategory(PracticeCategory::lookBack);
        QTest::newRow("no group") << QVariant(u"Look Forward"_s) << u"Look Forward"_s
                                  << PracticeCategory(PracticeCategory::lookBack);
    }
    void rememberedCategory() {
        QFETCH(QVariant, stored);
        QFETCH(QString, rawValue);
        QFETCH(PracticeCategory, category);
        if (stored.isValid())
            m_settings->setValue(u"lastPracticeCategory"_s, stored);
        QCOMPARE(m_preferences->lastPracticeCategoryRawValue(), rawValue);
        QCOMPARE(m_preferences->lastPracticeCategory(), category);
    }

    void logDropsBlankRowsAndRemembersTheLastGroup() {
        PracticeSessionDraft draft(at({2025, 3, 5, 21}));
        draft.duration.setMinutesText(u"45"_s);
        draft.notes = u" Good day "_s;
        draft.entries = {
            PracticeEntryDraft(QUuid::createUuid(), u"Scales"_s, PracticeCategory::lookBack,
                               u"1.5"_s, QString(), 0),
            PracticeEntryDraft::blank(PracticeCategory::lookBack, 1),
            PracticeEntryDraft(QUuid::createUuid(), u"Tune"_s, PracticeCategory::haveFun, QString(),
                               u"by ear"_s, 2),
            PracticeEntryDraft::blank(PracticeCategory::lookForward, 3),
        };
        const PracticeSessionDraft before = draft;

        const PracticeSessionPtr session = saver().saveLogged(draft);
        QCOMPARE(draft, before);
        QVERIFY(!m_store->hasChanges());
        QCOMPARE(m_store->sessions(), std::vector<PracticeSessionPtr>{session});
        QCOMPARE(idsOf(session->storedEntries()),
                 (QList<QUuid>{draft.entries[0].id, draft.entries[2].id}));
        // The last row that was saved decides, not the blank one after it.
        QCOMPARE(m_preferences->lastPracticeCategory(), PracticeCategory::haveFun);
        m_settings->sync();
        QCOMPARE(QSettings(m_settings->fileName(), QSettings::IniFormat)
                     .value(u"lastPracticeCategory"_s)
                     .toString(),
                 u"haveFun"_s);
        QCOMPARE(session->createdAt(), m_now);
    }

    void logOfOnlyABlankRowSavesNoEntries() {
        const PracticeSessionDraft draft(at({2025, 3, 5}));
        const PracticeSessionPtr session = saver().saveLogged(draft);
        QVERIFY(session->storedEntries().empty());
        QCOMPARE(session->durationSeconds(), 1800);
        QVERIFY(!rememberedAnyCategory());
    }

    void failedLogLeavesNothing() {
        const PracticeSessionPtr existing = storedSession();
        refuseEntriesTitled(u"poison"_s);
        PracticeSessionDraft draft(at({2025, 3, 6}));
        draft.entries.push_back(PracticeEntryDraft(
            QUuid::createUuid(), u"poison"_s, PracticeCategory::haveFun, u"2"_s, QString(), 1));
        const PracticeSessionDraft before = draft;

        QCOMPARE(failureOf([&] { saver().saveLogged(draft); }), refusal);
        QCOMPARE(draft, before);
        QVERIFY(!m_store->hasChanges());
        QCOMPARE(m_store->sessions(), std::vector<PracticeSessionPtr>{existing});
        QVERIFY(!rememberedAnyCategory());
    }

    void editKeepsStoredBlankEntriesButDropsNewBlankRows() {
        const PracticeSessionPtr session = storedSession();
        const std::vector<PracticeEntryPtr> old = session->entries(); // blank, Scales, Chords
        QCOMPARE(titlesOf(old), (QStringList{QString(), u"Scales"_s, u"Chords"_s}));

        PracticeSessionDraft draft(*session);
        draft.entries[1].title = u"Scales again"_s;
        draft.entries.erase(draft.entries.begin() + 2);
        draft.entries.push_back(PracticeEntryDraft::blank(PracticeCategory::lookForward, 2));
        draft.notes = u"Edited"_s;

        saver().saveEdited(session, draft);
        QVERIFY(!m_store->hasChanges());
        QCOMPARE(session->updatedAt(), std::optional<Instant>(m_now));
        QCOMPARE(session->notes(), std::optional<QString>(u"Edited"_s));
        QCOMPARE(session->durationSeconds(), 90);
        QCOMPARE(session->startedAt(), at({2025, 3, 5, 18, 30}));
        QCOMPARE(idsOf(session->entries()), (QList<QUuid>{old[0]->id(), old[1]->id()}));
        for (const PracticeEntryPtr& kept : session->entries()) {
            // Kept entries are new records under their old ids.
            QCOMPARE(kept->createdAt(), m_now);
            QVERIFY(!kept->isDeleted());
        }
        for (const PracticeEntryPtr& gone : old)
            QVERIFY(gone->isDeleted());
        QCOMPARE(session->entries()[1]->durationSeconds(), std::optional<std::int64_t>(63));
        // The new Look Forward row was dropped, so the kept Look Back row is remembered.
        QCOMPARE(m_preferences->lastPracticeCategory(), PracticeCategory::lookBack);
        // Re-created under the same ids in the same save: the store's tests show it reaches the
        // file.
        QCOMPARE(titlesOf(session->entries()), (QStringList{QString(), u"Scales again"_s}));
    }

    void failedEditLeavesStoreAndDraftAsTheyWere() {
        const PracticeSessionPtr session = storedSession();
        const std::vector<PracticeEntryPtr> stored = session->storedEntries();
        refuseEntriesTitled(u"poison"_s);

        PracticeSessionDraft draft(*session);
        draft.date = at({2025, 2, 1});
        draft.duration.setMinutesText(u"5"_s);
        draft.notes = u"changed"_s;
        draft.entries.erase(draft.entries.begin());
        draft.entries[0].title = u"poison"_s;
        draft.entries[0].durationMinutesText = u"4"_s;
        const PracticeSessionDraft before = draft;

        QCOMPARE(failureOf([&] { saver().saveEdited(session, draft); }), refusal);
        QCOMPARE(draft, before);
        QVERIFY(!m_store->hasChanges());
        QVERIFY(!rememberedAnyCategory());
        QCOMPARE(session->startedAt(), at({2025, 3, 5, 18, 30}));
        QCOMPARE(session->durationSeconds(), 90);
        QCOMPARE(session->notes(), std::optional<QString>(u"Warm hands"_s));
        QVERIFY(!session->updatedAt());
        QCOMPARE(session->storedEntries(), stored);
        for (const PracticeEntryPtr& each : stored) {
            QVERIFY(!each->isDeleted());
            QCOMPARE(each->session(), session);
        }
        QCOMPARE(titlesOf(stored), (QStringList{u"Scales"_s, QString(), u"Chords"_s}));
    }

    void removingEveryEntryDeletesTheOldRecords() {
        const PracticeSessionPtr session = storedSession();
        PracticeSessionDraft draft(*session);
        draft.entries.clear();
        saver().saveEdited(session, draft);
        QVERIFY(session->entries().empty());
        QVERIFY(!rememberedAnyCategory());
        QVERIFY(!m_store->hasChanges());
    }

    void inPlaceEditKeepsEveryRowAndTheRememberedGroup() {
        const PracticeSessionPtr session = storedSession();
        m_preferences->setLastPracticeCategory(PracticeCategory::haveFun);
        PracticeSessionDraft draft(*session);
        const PracticeEntryDraft added =
            PracticeEntryDraft::blank(PracticeCategory::lookForward, 1);
        draft.entries.push_back(added);
        saver().saveEditedInPlace(session, draft);
        QCOMPARE(session->entries().size(), 4u);
        QCOMPARE(session->entries().back()->id(), added.id);
        QCOMPARE(session->entries().back()->sortOrder(), 1);
        QCOMPARE(m_preferences->lastPracticeCategory(), PracticeCategory::haveFun);
    }

    void editOfADeletedSessionIsRefused() {
        const PracticeSessionPtr session = storedSession();
        const PracticeSessionDraft draft(*session);
        m_store->remove(session);
        m_store->save();
        QCOMPARE(failureOf([&] { saver().saveEdited(session, draft); }),
                 u"This practice session was deleted, so these changes can’t be saved."_s);
        QVERIFY(!m_store->hasChanges());
        QVERIFY(m_store->sessions().empty());
        QVERIFY(!rememberedAnyCategory());
    }
};

QTEST_GUILESS_MAIN(TestPracticeSessionDraftSaver)
#include "tst_practicesessiondraftsaver.moc"
