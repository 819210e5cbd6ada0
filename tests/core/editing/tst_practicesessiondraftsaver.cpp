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
    void reopenStore() {
        m_store.reset();
        m_store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
    }
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
        reopenStore();
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
        QCOMPARE(session->source(), PracticeSessionSource::manual);
        QCOMPARE(session->startedAt(), at({2025, 3, 5, 12}));
        QCOMPARE(session->createdAt(), m_now);
        QCOMPARE(idsOf(session->storedEntries()),
                 (QList<QUuid>{draft.entries[0].id, draft.entries[2].id}));
        // The last row that was saved decides, not the blank one after it.
        QCOMPARE(m_preferences->lastPracticeCategory(), PracticeCategory::haveFun);
        m_settings->sync();
        QCOMPARE(QSettings(m_settings->fileName(), QSettings::IniFormat)
                     .value(u"lastPracticeCategory"_s)
                     .toString(),
                 u"haveFun"_s);
        QCOMPARE(session->durationSeconds(), 2700);
        QCOMPARE(session->notes(), std::optional<QString>(u"Good day"_s));
        QCOMPARE(titlesOf(session->entries()), (QStringList{u"Tune"_s, u"Scales"_s}));
        QCOMPARE(session->entries()[1]->durationSeconds(), std::optional<std::int64_t>(90));
    }

    void logOfOnlyABlankRowSavesNoEntries() {
        const PracticeSessionDraft draft(at({2025, 3, 5}));
        const PracticeSessionPtr session = saver().saveLogged(draft);
        QVERIFY(session->storedEntries().empty());
        QCOMPARE(session->durationSeconds(), 1800);
        QVERIFY(!rememberedAnyCategory());
    }

    void failedLogLeavesNothing_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("entryMinutes");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("failure");
        QTest::newRow("the database refuses") << u"30"_s << u"2"_s << true << refusal;
    }
    void failedLogLeavesNothing() {
        QFETCH(QString, minutes);
        QFETCH(QString, entryMinutes);
        QFETCH(bool, refuse);
        QFETCH(QString, failure);
        const PracticeSessionPtr existing = storedSession();
        if (refuse)
            refuseEntriesTitled(u"poison"_s);
        PracticeSessionDraft draft(at({2025, 3, 6}));
        draft.duration.setMinutesText(minutes);
        draft.entries.push_back(PracticeEntryDraft(QUuid::createUuid(), u"poison"_s,
                                                   PracticeCategory::haveFun, entryMinutes,
                                                   QString(), 1));
        const PracticeSessionDraft before = draft;

        QCOMPARE(failureOf([&] { saver().saveLogged(draft); }), failure);
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

        reopenStore();
        const PracticeSessionPtr reread = m_store->sessions().front();
        QCOMPARE(idsOf(reread->entries()), (QList<QUuid>{old[0]->id(), old[1]->id()}));
        QCOMPARE(titlesOf(reread->entries()), (QStringList{QString(), u"Scales again"_s}));
        QCOMPARE(reread->entries()[1]->createdAt(), m_now);
        RawDatabase raw(journalPath());
        QCOMPARE(raw.value(u"SELECT count(*) FROM entries"_s).toInt(), 2);
    }

    void editKeepsStoredSecondsWhileTheMinutesTextStands() {
        const PracticeSessionPtr timed = storedSession(90);
        PracticeSessionDraft draft(*timed);
        saver().saveEdited(timed, draft);
        QCOMPARE(timed->durationSeconds(), 90);
        draft.duration.setMinutesText(u"3"_s);
        draft.duration.setMinutesText(u"2"_s);
        saver().saveEdited(timed, draft);
        QCOMPARE(timed->durationSeconds(), 90);
        draft.duration.setMinutesText(u"2.0"_s);
        QCOMPARE(failureOf([&] { saver().saveEdited(timed, draft); }),
                 u"Use a whole number of minutes."_s);

        // Imported days may last no time at all; the edit form shows 1 but keeps 0.
        const PracticeSessionPtr imported = storedSession(0, PracticeSessionSource::imported);
        saver().saveEdited(imported, PracticeSessionDraft(*imported));
        QCOMPARE(imported->durationSeconds(), 0);
    }

    void failedEditLeavesStoreAndDraftAsTheyWere_data() {
        QTest::addColumn<QString>("entryMinutes");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("failure");
        QTest::newRow("the database refuses") << u"4"_s << true << refusal;
    }
    void failedEditLeavesStoreAndDraftAsTheyWere() {
        QFETCH(QString, entryMinutes);
        QFETCH(bool, refuse);
        QFETCH(QString, failure);
        const PracticeSessionPtr session = storedSession();
        const std::vector<PracticeEntryPtr> stored = session->storedEntries();
        if (refuse)
            refuseEntriesTitled(u"poison"_s);

        PracticeSessionDraft draft(*session);
        draft.date = at({2025, 2, 1});
        draft.duration.setMinutesText(u"5"_s);
        draft.notes = u"changed"_s;
        draft.entries.erase(draft.entries.begin());
        draft.entries[0].title = u"poison"_s;
        draft.entries[0].durationMinutesText = entryMinutes;
        const PracticeSessionDraft before = draft;

        QCOMPARE(failureOf([&] { saver().saveEdited(session, draft); }), failure);
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
        reopenStore();
        QVERIFY(m_store->sessions().front()->entries().empty());
        RawDatabase raw(journalPath());
        QCOMPARE(raw.value(u"SELECT count(*) FROM entries"_s).toInt(), 0);
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
