// SPDX-License-Identifier: MIT
#include "core/journal/JournalSearchIndex.h"
#include "core/journal/JournalSessionFilter.h"
#include "core/journal/PracticePresentation.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "core/store/StoreConfiguration.h"
#include "core/time/Calendar.h"
#include "support/RecordTestSupport.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const QString narrowNoBreakSpace = QString(QChar(0x202F));

struct EntryFields {
    EntryFields(QString entryTitle, PracticeCategory entryCategory = PracticeCategory::lookBack,
                std::optional<QString> entryNotes = std::nullopt)
        : title(std::move(entryTitle))
        , category(entryCategory)
        , notes(std::move(entryNotes)) {}

    QString title;
    PracticeCategory category;
    std::optional<QString> notes;
};

PracticeSessionPtr makeSession(Instant start, std::vector<EntryFields> entries = {},
                               std::optional<QString> notes = std::nullopt) {
    std::vector<PracticeEntryPtr> records;
    std::int64_t order = 0;
    for (const EntryFields& entry : entries)
        records.push_back(PracticeEntry::create(QUuid::createUuid(), entry.title, entry.category,
                                                std::nullopt, entry.notes, order++, nullptr,
                                                start));
    return PracticeSession::create(QUuid::createUuid(), start, 1200, PracticeSessionSource::manual,
                                   std::move(notes), std::move(records), start);
}

// The journal every search row runs against, in New York, US English. Indices name sessions.
struct Journal {
    Calendar calendar{u"America/New_York", u"en_US"};
    std::vector<PracticeSessionPtr> sessions;

    Journal() {
        // 0: Tuesday 4 March 2025, 15:15 — a Look Forward entry and notes.
        sessions.push_back(makeSession(
            local(calendar, 2025, 3, 4, 15, 15),
            {{u"Scales in E"_s, PracticeCategory::haveFun, {}},
             {u"Slow arpeggios"_s, PracticeCategory::lookForward, u"Metronome at 60"_s}},
            u"Sat by the window at the café"_s));
        // 1: Wednesday 5 March 2025, 08:00 — default title, no entries.
        sessions.push_back(makeSession(local(calendar, 2025, 3, 5, 8, 0)));
        // 2: Tuesday 4 March 2025, 07:30 — a Look Back entry.
        sessions.push_back(
            makeSession(local(calendar, 2025, 3, 4, 7, 30),
                        {{u"Bookkeeping of chords"_s, PracticeCategory::lookBack, {}}}));
        // 3: Friday 14 March 2025, 15:15 — a note mentioning a cafe without accent.
        sessions.push_back(makeSession(local(calendar, 2025, 3, 14, 15, 15),
                                       {{u"Étude no. 3"_s, PracticeCategory::haveFun, {}}},
                                       u"Cafe gig tonight"_s));
    }

    QList<int> indicesOf(const JournalSessionFilter::Matches& found) const {
        QList<int> indices;
        for (const PracticeSessionPtr& session : found)
            indices << int(std::find(sessions.begin(), sessions.end(), session) - sessions.begin());
        return indices;
    }

    int indexOf(const PracticeSessionPtr& session) const {
        return int(std::find(sessions.begin(), sessions.end(), session) - sessions.begin());
    }

    QList<int> search(const QString& query) const {
        return indicesOf(JournalSessionFilter::sessions(sessions, query, calendar));
    }
};

} // namespace

class TestJournalSessionFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void searchableTextJoinsEveryPartWithSingleSpaces() {
        const Journal journal;
        // An absent note is an empty text between two spaces.
        QCOMPARE(JournalSessionFilter::searchableText(*journal.sessions[0], journal.calendar),
                 u"Scales in E Sat by the window at the café Tuesday, March 4, 2025 at 3:15"_s %
                     narrowNoBreakSpace %
                     u"PM Mar 4, 2025 Scales in E  Have Fun Slow arpeggios Metronome at 60 Look "
                     u"Forward"_s);
        QCOMPARE(JournalSessionFilter::searchableText(*journal.sessions[1], journal.calendar),
                 u"Practice Session  Wednesday, March 5, 2025 at 8:00"_s % narrowNoBreakSpace %
                     u"AM Mar 5, 2025"_s);
    }

    void sessions_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("empty query: all, newest first") << QString() << QList<int>{3, 1, 0, 2};
        QTest::newRow("group title in capitals") << u"LOOK FORWARD"_s << QList<int>{0};
        QTest::newRow("abbreviated date") << u"Mar 4"_s << QList<int>{0, 2};
        QTest::newRow("stored title, not the display title")
            << u"practice session"_s << QList<int>{1};
        QTest::newRow("time typed with a no-break space") << u"3:15\u00A0pm"_s << QList<int>{3, 0};
        QTest::newRow("diacritics count: cafe") << u"cafe"_s << QList<int>{3};
        QTest::newRow("diacritics count: etude") << u"etude"_s << QList<int>{};
        QTest::newRow("words must stand side by side") << u"scales window"_s << QList<int>{};
        QTest::newRow("across parts with the spaces as typed")
            << u"window at the café tuesday"_s << QList<int>{0};
        // Between a title and a following empty note stand two spaces.
        QTest::newRow("two spaces where there are two")
            << u"Practice Session  Wednesday"_s << QList<int>{1};
        // A title stands at the start of its text as well as at its entry.
        QTest::newRow("from the title into the notes") << u"in E sat by"_s << QList<int>{0};
        QTest::newRow("from the title past an absent note")
            << u"of chords  tuesday"_s << QList<int>{2};
        QTest::newRow("the title's entry reads on to its group")
            << u"of chords  look back"_s << QList<int>{2};
        QTest::newRow("nothing matches") << u"banjo"_s << QList<int>{};
    }

    void sessions() {
        QFETCH(QString, query);
        QFETCH(QList<int>, expected);
        QCOMPARE(Journal().search(query), expected);
    }

    void equalStartsKeepTheirGivenOrder() {
        const Calendar calendar(u"America/New_York", u"en_US");
        const Instant noon = local(calendar, 2025, 3, 4, 12);
        const std::vector<PracticeSessionPtr> sessions{
            makeSession(noon, {{u"Scales"_s}}), makeSession(local(calendar, 2025, 3, 1)),
            makeSession(noon, {{u"Scales"_s}}), makeSession(local(calendar, 2025, 3, 9)),
            makeSession(noon, {{u"Scales"_s}})};
        const QList<std::vector<PracticeSessionPtr>> expected{
            {sessions[3], sessions[0], sessions[2], sessions[4], sessions[1]},
            {sessions[0], sessions[2], sessions[4]}};
        QCOMPARE(JournalSessionFilter::sessions(sessions, u""_s, calendar).list(), expected[0]);
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"scales"_s, calendar).list(),
                 expected[1]);
    }

    void searchFollowsTheLocale_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("German month") << u"märz"_s << QList<int>{3, 1, 0, 2};
        QTest::newRow("English month is not written") << u"march"_s << QList<int>{};
        QTest::newRow("German weekday") << u"dienstag"_s << QList<int>{0, 2};
        // New York is on summer time from 9 March, Berlin only from 30 March.
        QTest::newRow("24-hour time in Berlin, New York summer") << u"um 20:15"_s << QList<int>{3};
    }

    void searchFollowsTheLocale() {
        QFETCH(QString, query);
        QFETCH(QList<int>, expected);
        Journal journal;
        journal.calendar = Calendar(u"Europe/Berlin", u"de_DE");
        QCOMPARE(journal.search(query), expected);
    }

    // Turkish folds a capital I to a dotless ı, even in a text of plain ASCII.
    void turkishCaseRulesHold() {
        const Calendar turkish(u"Europe/Istanbul", u"tr_TR");
        const std::vector<PracticeSessionPtr> sessions{
            makeSession(local(turkish, 2025, 3, 4, 12), {{u"ISPARTA scales"_s}})};
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"ısparta"_s, turkish).size(),
                 std::size_t(1));
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"isparta"_s, turkish).size(),
                 std::size_t(0));
    }

    void manyDeletionsDoNotLeaveStaleResults() {
        const Calendar calendar(u"UTC", u"en_US");
        std::vector<PracticeSessionPtr> sessions;
        for (int day = 0; day < 3000; ++day)
            sessions.push_back(makeSession(
                Instant::fromSecsSinceEpoch(1'600'000'000 + std::int64_t(day) * 86'400)));
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"2020"_s, calendar).size(),
                 std::size_t(110));
        sessions.resize(10);
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"2020"_s, calendar).size(),
                 std::size_t(10));
        QCOMPARE(JournalSessionFilter::sessions(sessions, u"2021"_s, calendar).size(),
                 std::size_t(0));
    }

    void rollbackIsFoundAtOnce() {
        QStandardPaths::setTestModeEnabled(true);
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        const Calendar calendar(u"America/New_York", u"en_US");
        const PracticeSessionPtr session =
            makeSession(local(calendar, 2025, 3, 4, 15, 15), {{u"Scales"_s}});
        store->insert(session);
        store->save();
        const auto search = [&](const QString& query) {
            return JournalSessionFilter::sessions(store->sessions(), query, calendar).size();
        };
        QCOMPARE(search(u"Mar 4"_s), std::size_t(1));

        session->applyEdits(local(calendar, 2025, 4, 1, 9), 600, u"Changed my mind"_s,
                            session->entries(), local(calendar, 2025, 4, 1, 10));
        QCOMPARE(search(u"Apr 1"_s), std::size_t(1));
        QCOMPARE(search(u"mind"_s), std::size_t(1));
        store->rollback();
        QCOMPARE(search(u"Apr 1"_s), std::size_t(0));
        QCOMPARE(search(u"mind"_s), std::size_t(0));
        QCOMPARE(search(u"Mar 4"_s), std::size_t(1));

        store->remove(session);
        QCOMPARE(search(u"Mar 4"_s), std::size_t(0));
        store->rollback();
        QCOMPARE(search(u"Mar 4"_s), std::size_t(1));
    }

    void blankQueryOverANewestFirstListIsThatList_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("promisedOrder");
        QTest::addColumn<bool>("givenNewestFirst");
        QTest::addColumn<bool>("isGivenList");
        QTest::newRow("blank, order checked") << QString() << false << true << true;
        QTest::newRow("blank, order promised") << u" \n"_s << true << true << true;
        QTest::newRow("blank, out of order: a sorted copy") << QString() << false << false << false;
        QTest::newRow("a query: a list of its own") << u"2025"_s << true << true << false;
    }

    void blankQueryOverANewestFirstListIsThatList() {
        QFETCH(QString, query);
        QFETCH(bool, promisedOrder);
        QFETCH(bool, givenNewestFirst);
        QFETCH(bool, isGivenList);
        const Journal journal;
        std::vector<PracticeSessionPtr> given = journal.sessions;
        std::stable_sort(given.begin(), given.end(), [&](const auto& left, const auto& right) {
            return givenNewestFirst ? left->startedAt() > right->startedAt()
                                    : left->startedAt() < right->startedAt();
        });
        const auto matches = JournalSessionFilter::sessions(
            given, query, journal.calendar,
            promisedOrder ? JournalSessionFilter::GivenOrder::newestFirst
                          : JournalSessionFilter::GivenOrder::any);
        QCOMPARE(matches.isGivenList(), isGivenList);
        QCOMPARE(&matches.list() == &given, isGivenList);
        QCOMPARE(journal.indicesOf(matches), (QList<int>{3, 1, 0, 2}));
    }

    void journalTitle_data() {
        QTest::addColumn<QString>("entryTitle");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");

        // The session starts on Tuesday 4 March 2025 at 20:15 UTC.
        QTest::newRow("a titled session keeps its title")
            << u"Scales in E"_s << u"America/New_York"_s << u"en_US"_s << u"Scales in E"_s;
        QTest::newRow("the default title becomes the weekday")
            << QString() << u"America/New_York"_s << u"en_US"_s << u"Tuesday Practice"_s;
        QTest::newRow("an entry titled exactly like the default")
            << u"Practice Session"_s << u"America/New_York"_s << u"en_US"_s
            << u"Tuesday Practice"_s;
        QTest::newRow("the weekday in the calendar's locale")
            << QString() << u"Europe/Berlin"_s << u"de_DE"_s << u"Dienstag Practice"_s;
    }

    void journalTitle() {
        QFETCH(QString, entryTitle);
        QFETCH(QString, zone);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        const Instant start = Instant::fromMSecsSinceEpoch(
            QDateTime(QDate(2025, 3, 4), QTime(20, 15), Qt::UTC).toMSecsSinceEpoch());
        std::vector<EntryFields> entries;
        if (!entryTitle.isEmpty())
            entries.push_back({entryTitle});
        const PracticeSessionPtr session = makeSession(start, entries);
        QCOMPARE(PracticePresentation::journalTitle(*session, Calendar(zone, locale)), expected);
    }

    // The store's index finds what the search finds, written in slices or all at once, and
    // follows every change: an edit, a moved start, a deletion, a rollback, another calendar.
    void indexFollowsTheStore() {
        QStandardPaths::setTestModeEnabled(true);
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        Journal journal;
        for (const PracticeSessionPtr& session : journal.sessions)
            store->insert(session);
        store->save();
        JournalSearchIndex& index = JournalSearchIndex::of(*store);
        QCOMPARE(&JournalSearchIndex::of(*store), &index);
        const auto found = [&](const QString& query) {
            const auto matches = index.find(query, journal.calendar);
            QList<int> indices;
            for (const PracticeSessionPtr& session :
                 PickedSessions(&store->sessions(), &matches.positions))
                indices << journal.indexOf(session);
            return indices;
        };

        // One session per slice; every start is formatted once.
        std::size_t formatted = 0;
        for (std::size_t next = 0; next < 4;) {
            const auto slice = index.prepare(journal.calendar, 1);
            QCOMPARE(slice.next, next + 1);
            next = slice.next;
            formatted += slice.formatted;
        }
        QCOMPARE(formatted, std::size_t(4));
        QVERIFY(index.isComplete(journal.calendar));
        for (const QString& query : {u"Mar 4"_s, u"3:15\u00A0pm"_s, u"window at the café tuesday"_s,
                                     u"Practice Session  Wednesday"_s, u"cafe"_s})
            QCOMPARE(found(query), journal.search(query));

        journal.sessions[0]->entries().back()->setTitle(u"Legato runs"_s);
        QVERIFY(!index.isComplete(journal.calendar));
        QCOMPARE(found(u"legato"_s), QList<int>{0});
        // A moved start is formatted; the others are copied from the texts before the change.
        const PracticeSessionPtr moved = journal.sessions[2];
        moved->applyEdits(local(journal.calendar, 2025, 3, 6, 19, 45), moved->durationSeconds(),
                          u"Evening"_s, moved->entries(), local(journal.calendar, 2025, 3, 7));
        QCOMPARE(index.prepare(journal.calendar, 10).formatted, std::size_t(1));
        QCOMPARE(found(u"Mar 4"_s), QList<int>{0});
        QCOMPARE(found(u"thursday, march 6, 2025 at 7:45 pm"_s), QList<int>{2});
        store->rollback();
        QCOMPARE(found(u"Mar 4"_s), (QList<int>{0, 2}));
        QCOMPARE(found(u"legato"_s), QList<int>{});
        store->remove(journal.sessions[1]);
        QCOMPARE(found(u"wednesday"_s), QList<int>{});

        // 19:15 UTC on Friday 14 March is already Saturday morning in Sydney.
        const Calendar sydney = journal.calendar.withTimeZone(u"Australia/Sydney");
        QCOMPARE(index.prepare(sydney, 10).formatted, std::size_t(3));
        journal.calendar = sydney;
        QCOMPARE(found(u"saturday, march 15, 2025 at 6:15 am"_s), QList<int>{3});
        QCOMPARE(found(u"Mar 14"_s), QList<int>{});
        QVERIFY(index.memoryBytes() > 0);
    }

    // Days imported from a sheet often share a start: after one of them changes, each keeps its
    // own text, in a journal read from its file as in one made here.
    void sessionsOfOneStartKeepTheirOwnTexts() {
        QStandardPaths::setTestModeEnabled(true);
        const QTemporaryDir folder;
        const auto configuration = StoreConfiguration::atPath(folder.filePath(u"j.sqlite"_s));
        const Calendar calendar(u"UTC", u"en_US");
        const Instant noon = local(calendar, 2025, 3, 4, 12);
        {
            const auto store = JournalStore::open(configuration);
            for (const QString& title : {u"Scales"_s, u"Chords"_s, u"Arpeggios"_s})
                store->insert(makeSession(noon, {{title}}));
            store->save();
        }
        const auto store = JournalStore::open(configuration);
        JournalSearchIndex& index = JournalSearchIndex::of(*store);
        const auto titlesFound = [&](const QString& query) {
            QStringList titles;
            const auto matches = index.find(query, calendar);
            for (const PracticeSessionPtr& session :
                 PickedSessions(&store->sessions(), &matches.positions))
                titles << session->title();
            return titles;
        };
        QCOMPARE(titlesFound(u"chords"_s), QStringList{u"Chords"_s});
        store->sessions()[1]->entries().front()->setTitle(u"Bends"_s);
        for (const QString& title : {u"Arpeggios"_s, u"Bends"_s, u"Scales"_s})
            QCOMPARE(titlesFound(title), QStringList{title});
        QCOMPARE(titlesFound(u"chords"_s), QStringList{});
    }

    // Typing on: a query that extends the last one, looked for only among its matches, finds
    // exactly what a fresh search finds; a mark typed next joins the last letter, so it is
    // searched afresh, as is any query once the journal changed.
    void narrowingFindsWhatAFreshSearchFinds_data() {
        QTest::addColumn<QString>("shorter");
        QTest::addColumn<QString>("longer");
        QTest::addColumn<bool>("narrows");
        QTest::newRow("a word typed on") << u"sc"_s << u"SCALES in"_s << true;
        QTest::newRow("into a date") << u"mar"_s << u"mar 4"_s << true;
        QTest::newRow("accented letter") << u"caf"_s << u"café"_s << true;
        QTest::newRow("a combining mark next") << u"cafe"_s << u"cafe\u0301"_s << false;
        QTest::newRow("another word") << u"scales"_s << u"étude"_s << false;
        QTest::newRow("on from the title") << u"in e"_s << u"in e sat"_s << true;
    }

    void narrowingFindsWhatAFreshSearchFinds() {
        QFETCH(QString, shorter);
        QFETCH(QString, longer);
        QFETCH(bool, narrows);
        QStandardPaths::setTestModeEnabled(true);
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        const Journal journal;
        for (const PracticeSessionPtr& session : journal.sessions)
            store->insert(session);
        JournalSearchIndex& index = JournalSearchIndex::of(*store);
        auto matches = index.find(shorter, journal.calendar);
        QCOMPARE(index.narrow(matches, longer), narrows);
        if (narrows)
            QCOMPARE(matches.positions, index.find(longer, journal.calendar).positions);

        matches = index.find(shorter, journal.calendar);
        store->remove(journal.sessions[3]);
        QVERIFY(!index.narrow(matches, longer));
    }
};

QTEST_GUILESS_MAIN(TestJournalSessionFilter)
#include "tst_journalsessionfilter.moc"
