// SPDX-License-Identifier: MIT
#include "core/model/CompactFields.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "support/RecordTestSupport.h"

#include <QtTest>

#include <limits>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

const Instant startOfMarch = Instant::fromSecsSinceEpoch(1'740'787'200); // 2025-03-01T00:00Z

PracticeEntryPtr makeEntry(const QString& title,
                           PracticeCategory category = PracticeCategory::lookBack,
                           std::int64_t sortOrder = 0, Instant createdAt = startOfMarch) {
    return PracticeEntry::create(QUuid::createUuid(), title, category, std::nullopt, std::nullopt,
                                 sortOrder, nullptr, createdAt);
}

PracticeSessionPtr makeSession(std::vector<PracticeEntryPtr> entries = {},
                               PracticeSessionSource source = PracticeSessionSource::manual,
                               std::int64_t durationSeconds = 600) {
    return PracticeSession::create(QUuid::createUuid(), startOfMarch, durationSeconds, source,
                                   std::nullopt, std::move(entries), startOfMarch);
}

} // namespace

class TestPracticeSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void durationRule_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("startMSecs");
        QTest::addColumn<qint64>("durationSeconds");
        // -1: accepted; otherwise the expected error case.
        QTest::addColumn<int>("expectedError");

        const int positive = PracticeSession::ValidationError::durationMustBePositive;
        const int outOfRange = PracticeSession::ValidationError::durationOutOfRange;
        const qint64 start = startOfMarch.msecsSinceEpoch();
        const qint64 maxSeconds = int64Max / 1000;
        QTest::newRow("timed zero")
            << int(PracticeSessionSource::timed) << start << qint64(0) << positive;
        QTest::newRow("imported zero")
            << int(PracticeSessionSource::imported) << start << qint64(0) << -1;
        QTest::newRow("largest count")
            << int(PracticeSessionSource::manual) << start << qint64(int64Max) << outOfRange;
        QTest::newRow("end just representable")
            << int(PracticeSessionSource::manual) << qint64(0) << maxSeconds << -1;
        QTest::newRow("end one second too late")
            << int(PracticeSessionSource::manual) << qint64(1000) << maxSeconds << outOfRange;
        QTest::newRow("start at the last instant")
            << int(PracticeSessionSource::manual) << qint64(int64Max) << qint64(1) << outOfRange;
    }
    void durationRule() {
        QFETCH(int, source);
        QFETCH(qint64, startMSecs);
        QFETCH(qint64, durationSeconds);
        QFETCH(int, expectedError);
        const Instant start = Instant::fromMSecsSinceEpoch(startMSecs);
        const auto sessionSource = PracticeSessionSource(PracticeSessionSource::Value(source));
        try {
            const PracticeSessionPtr session =
                PracticeSession::create(QUuid::createUuid(), start, durationSeconds, sessionSource,
                                        std::nullopt, {}, startOfMarch);
            QCOMPARE(expectedError, -1);
            QCOMPARE(session->durationSeconds(), durationSeconds);
            QCOMPARE(session->endedAt().msecsSinceEpoch() - startMSecs, durationSeconds * 1000);
            QCOMPARE(session->sourceRawValue(), sessionSource.rawValue());
            QVERIFY(!session->updatedAt());
        } catch (const PracticeSession::ValidationError& error) {
            QCOMPARE(int(error.errorCase()), expectedError);
        }
    }

    void notesNormalisation_data() {
        QTest::addColumn<std::optional<QString>>("notes");
        QTest::addColumn<std::optional<QString>>("stored");
        using Text = std::optional<QString>;
        QTest::newRow("none") << Text() << Text();
        QTest::newRow("spaces and line breaks") << Text(QStringLiteral("  \n\t \r\n ")) << Text();
        QTest::newRow("inner line break stays") << Text(QStringLiteral("\nScales\n\nArpeggios \n"))
                                                << Text(QStringLiteral("Scales\n\nArpeggios"));
    }
    void notesNormalisation() {
        QFETCH(std::optional<QString>, notes);
        QFETCH(std::optional<QString>, stored);
        const auto session =
            PracticeSession::create(QUuid::createUuid(), startOfMarch, 60,
                                    PracticeSessionSource::timed, notes, {}, startOfMarch);
        QCOMPARE(session->notes(), stored);
        const auto entry = PracticeEntry::create(QUuid::createUuid(), QStringLiteral("x"),
                                                 PracticeCategory::haveFun, std::nullopt, notes, 0,
                                                 nullptr, startOfMarch);
        QCOMPARE(entry->notes(), stored);
        entry->setNotes(QStringLiteral("something"));
        entry->setNotes(notes);
        QCOMPARE(entry->notes(), stored);
    }

    void entryValidation_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<std::optional<qint64>>("durationSeconds");
        QTest::addColumn<qint64>("sortOrder");
        QTest::addColumn<int>("expectedError"); // -1: accepted
        QTest::addColumn<QString>("storedTitle");

        using Seconds = std::optional<qint64>;
        const int negativeDuration = PracticeEntry::ValidationError::durationCannotBeNegative;
        const int negativeOrder = PracticeEntry::ValidationError::sortOrderCannotBeNegative;
        QTest::newRow("untimed") << QStringLiteral("Scales") << Seconds() << qint64(0) << -1
                                 << QStringLiteral("Scales");
        QTest::newRow("title of spaces")
            << QStringLiteral("   ") << Seconds(30) << qint64(0) << -1 << QString();
        QTest::newRow("title trimmed") << QStringLiteral("\n Bends \t") << Seconds() << qint64(0)
                                       << -1 << QStringLiteral("Bends");
        QTest::newRow("minus one second") << QStringLiteral("Scales") << Seconds(-1) << qint64(0)
                                          << negativeDuration << QString();
        QTest::newRow("order minus one")
            << QStringLiteral("Scales") << Seconds() << qint64(-1) << negativeOrder << QString();
        QTest::newRow("both wrong: duration wins") << QStringLiteral("Scales") << Seconds(-5)
                                                   << qint64(-1) << negativeDuration << QString();
    }
    void entryValidation() {
        QFETCH(QString, title);
        QFETCH(std::optional<qint64>, durationSeconds);
        QFETCH(qint64, sortOrder);
        QFETCH(int, expectedError);
        QFETCH(QString, storedTitle);
        const std::optional<std::int64_t> duration =
            durationSeconds ? std::optional<std::int64_t>(*durationSeconds) : std::nullopt;
        const PracticeSessionPtr session = makeSession();
        try {
            const auto entry =
                PracticeEntry::create(QUuid::createUuid(), title, PracticeCategory::lookForward,
                                      duration, std::nullopt, sortOrder, session, startOfMarch);
            QCOMPARE(expectedError, -1);
            QCOMPARE(entry->title(), storedTitle);
            QCOMPARE(entry->durationSeconds(), duration);
            QCOMPARE(entry->categoryRawValue(), QStringLiteral("lookForward"));
            QCOMPARE(entry->session(), session);
            QCOMPARE(session->storedEntries().size(), 1u);
        } catch (const PracticeEntry::ValidationError& error) {
            QCOMPARE(int(error.errorCase()), expectedError);
            // A failed constructor makes nothing, so the session gained no entry.
            QVERIFY(session->storedEntries().empty());
        }
    }

    void entrySettersGuardTheirValues() {
        const auto entry = makeEntry(QStringLiteral("Chords"));
        entry->setDurationSeconds(90);
        entry->setSortOrder(2);
        QVERIFY_THROWS_EXCEPTION(PracticeEntry::ValidationError, entry->setDurationSeconds(-1));
        QVERIFY_THROWS_EXCEPTION(PracticeEntry::ValidationError, entry->setSortOrder(-1));
        QCOMPARE(entry->durationSeconds(), std::optional<std::int64_t>(90));
        QCOMPARE(entry->sortOrder(), 2);
        entry->setTitle(QStringLiteral("  Barre chords \n"));
        QCOMPARE(entry->title(), QStringLiteral("Barre chords"));
        entry->setCategory(PracticeCategory::haveFun);
        QCOMPARE(entry->categoryRawValue(), QStringLiteral("haveFun"));
    }

    void displayOrder() {
        const Instant earlier = startOfMarch;
        const Instant later = startOfMarch.addingMSecs(1);
        const auto forward0 =
            makeEntry(QStringLiteral("forward 0"), PracticeCategory::lookForward, 0);
        const auto fun1 = makeEntry(QStringLiteral("fun 1"), PracticeCategory::haveFun, 1);
        const auto fun0Later =
            makeEntry(QStringLiteral("fun 0 later"), PracticeCategory::haveFun, 0, later);
        const auto fun0Earlier =
            makeEntry(QStringLiteral("fun 0 earlier"), PracticeCategory::haveFun, 0, earlier);
        const auto back0 = makeEntry(QStringLiteral("back 0"), PracticeCategory::lookBack, 0);
        const auto back0Twin =
            makeEntry(QStringLiteral("back 0 twin"), PracticeCategory::lookBack, 0);

        const auto session =
            makeSession({forward0, fun1, back0, fun0Later, back0Twin, fun0Earlier});
        QCOMPARE(titlesOf(session->entries()),
                 (QStringList{QStringLiteral("fun 0 earlier"), QStringLiteral("fun 0 later"),
                              QStringLiteral("fun 1"), QStringLiteral("back 0"),
                              QStringLiteral("back 0 twin"), QStringLiteral("forward 0")}));
        // Storage order is what was given.
        QCOMPARE(titlesOf(session->storedEntries()),
                 (QStringList{QStringLiteral("forward 0"), QStringLiteral("fun 1"),
                              QStringLiteral("back 0"), QStringLiteral("fun 0 later"),
                              QStringLiteral("back 0 twin"), QStringLiteral("fun 0 earlier")}));
    }

    void title_data() {
        QTest::addColumn<QStringList>("titles"); // "category:sortOrder:title", storage order
        QTest::addColumn<QString>("expected");
        QTest::newRow("no entries") << QStringList() << QStringLiteral("Practice Session");
        QTest::newRow("all titles empty")
            << QStringList{QStringLiteral("0:0: "), QStringLiteral("2:0:")}
            << QStringLiteral("Practice Session");
        QTest::newRow("first titled in display order")
            << QStringList{QStringLiteral("2:0:Sight reading"), QStringLiteral("0:0:  "),
                           QStringLiteral("1:1:Recording"), QStringLiteral("1:0:Metronome")}
            << QStringLiteral("Metronome");
    }
    void title() {
        QFETCH(QStringList, titles);
        QFETCH(QString, expected);
        std::vector<PracticeEntryPtr> entries;
        for (const QString& row : titles) {
            const QStringList parts = row.split(QLatin1Char(':'));
            entries.push_back(makeEntry(parts[2], PracticeCategory::allCases()[parts[0].toInt()],
                                        parts[1].toInt()));
        }
        QCOMPARE(makeSession(entries)->title(), expected);
    }

    void applyEditsReplacesContent() {
        const auto kept = makeEntry(QStringLiteral("kept"));
        const auto dropped = makeEntry(QStringLiteral("dropped"));
        const auto session = makeSession({kept, dropped});
        const auto added = makeEntry(QStringLiteral("added"), PracticeCategory::haveFun);
        const Instant newStart = startOfMarch.addingMSecs(3'600'000);
        const Instant editedAt = startOfMarch.addingMSecs(7'200'000);

        session->applyEdits(newStart, 90, QStringLiteral(" new notes "), {kept, added}, editedAt);

        QCOMPARE(session->startedAt(), newStart);
        QCOMPARE(session->endedAt(), newStart.addingMSecs(90'000));
        QCOMPARE(session->durationSeconds(), 90);
        QCOMPARE(session->notes(), std::optional<QString>(QStringLiteral("new notes")));
        QCOMPARE(session->updatedAt(), std::optional<Instant>(editedAt));
        QCOMPARE(session->createdAt(), startOfMarch);
        QCOMPARE(titlesOf(session->entries()),
                 (QStringList{QStringLiteral("added"), QStringLiteral("kept")}));
        QCOMPARE(added->session(), session);
        QCOMPARE(kept->session(), session);
        // Left out of the list, not deleted: it belongs to no session any more.
        QVERIFY(!dropped->session());
        QVERIFY(!dropped->isDeleted());
    }

    void failedApplyEditsChangesNothing_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("durationSeconds");
        QTest::newRow("timed zero") << int(PracticeSessionSource::timed) << qint64(0);
        QTest::newRow("imported negative") << int(PracticeSessionSource::imported) << qint64(-60);
        QTest::newRow("end out of range")
            << int(PracticeSessionSource::imported) << qint64(int64Max);
    }
    void failedApplyEditsChangesNothing() {
        QFETCH(int, source);
        QFETCH(qint64, durationSeconds);
        const auto entry = makeEntry(QStringLiteral("old"));
        const auto session =
            makeSession({entry}, PracticeSessionSource(PracticeSessionSource::Value(source)), 600);
        const auto replacement = makeEntry(QStringLiteral("new"));
        QVERIFY_THROWS_EXCEPTION(PracticeSession::ValidationError,
                                 session->applyEdits(startOfMarch.addingMSecs(1000),
                                                     durationSeconds, QStringLiteral("notes"),
                                                     {replacement},
                                                     startOfMarch.addingMSecs(5000)));
        QCOMPARE(session->startedAt(), startOfMarch);
        QCOMPARE(session->endedAt(), startOfMarch.addingMSecs(600'000));
        QCOMPARE(session->durationSeconds(), 600);
        QVERIFY(!session->notes());
        QVERIFY(!session->updatedAt());
        QCOMPARE(session->storedEntries(), std::vector<PracticeEntryPtr>{entry});
        QVERIFY(!replacement->session());
    }

    void inverseStaysInStep() {
        const auto entry = makeEntry(QStringLiteral("wanderer"));
        const auto first = makeSession({entry, entry});
        QCOMPARE(first->storedEntries().size(), 1u); // named twice, listed once
        QCOMPARE(entry->session(), first);

        // Joining another session's list takes the entry out of the first one.
        const auto second = makeSession({entry});
        QVERIFY(first->storedEntries().empty());
        QCOMPARE(entry->session(), second);

        // Re-pointing the entry moves it back.
        entry->setSession(first);
        QCOMPARE(first->storedEntries(), std::vector<PracticeEntryPtr>{entry});
        QVERIFY(second->storedEntries().empty());

        entry->setSession(nullptr);
        QVERIFY(first->storedEntries().empty());
        QVERIFY(!entry->session());

        // An entry made for a session joins its list at the end.
        const auto other = makeEntry(QStringLiteral("first"));
        first->setEntries({other});
        const auto made = PracticeEntry::create(QUuid::createUuid(), QStringLiteral("made"),
                                                PracticeCategory::lookBack, 60, std::nullopt, 1,
                                                first, startOfMarch);
        QCOMPARE(titlesOf(first->storedEntries()),
                 (QStringList{QStringLiteral("first"), QStringLiteral("made")}));
        QCOMPARE(made->session(), first);
    }

    void equalTextsShareOneCopyInAPool() {
        const QByteArray texts[] = {"Scales",
                                    "Scales",
                                    "Scales ",
                                    "scales",
                                    "\xC3\x89tude",
                                    "\xC3\x89tude",
                                    "\xE7\xB7\xB4\xE7\xBF\x92",
                                    "\xE7\xB7\xB4\xE7\xBF\x92",
                                    ""};
        std::vector<CompactText> kept;
        {
            CompactTextPool pool;
            for (const QByteArray& text : texts)
                kept.push_back(pool.fromUtf8(text));
            // The empty text and the repeats take no copy of their own.
            QCOMPARE(pool.size(), 5u);
        }
        // The texts outlive their pool, and every copy reads as it was written.
        const CompactText copy = kept[0];
        kept.erase(kept.begin());
        QCOMPARE(copy.toString(), u"Scales"_s);
        for (std::size_t index = 0; index < kept.size(); ++index)
            QCOMPARE(kept[index].toString(), QString::fromUtf8(texts[index + 1]));
        QVERIFY(!kept.back().isNull());
    }

    void backReferenceDoesNotKeepTheSessionAlive() {
        const auto entry = makeEntry(QStringLiteral("survivor"));
        std::weak_ptr<PracticeSession> watched;
        {
            const auto session = makeSession({entry});
            watched = session;
        }
        // A session owns its entries, not the other way round: no cycle keeps it.
        QVERIFY(watched.expired());
        QVERIFY(!entry->session());
    }
};

QTEST_GUILESS_MAIN(TestPracticeSession)
#include "tst_practicesession.moc"
