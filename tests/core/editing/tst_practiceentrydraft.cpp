// SPDX-License-Identifier: MIT
#include "core/editing/PracticeEntryDraft.h"
#include "core/model/PracticeSession.h"

#include <QtTest>

#include <optional>

using namespace brevanta;
using namespace Qt::StringLiterals;

namespace {

const Instant march = Instant::fromSecsSinceEpoch(1'740'787'200); // 2025-03-01T00:00Z
const QString negative = u"Entry duration cannot be negative."_s;
const QString tooLarge = u"Practice duration is too large to save safely."_s;

PracticeEntryDraft draftWithMinutes(const QString& minutes) {
    return PracticeEntryDraft(QUuid::createUuid(), u"Scales"_s, PracticeCategory::lookBack, minutes,
                              QString(), 0);
}

PracticeEntryPtr storedEntry(std::optional<std::int64_t> seconds) {
    return PracticeEntry::create(QUuid::createUuid(), u"Scales"_s, PracticeCategory::haveFun,
                                 seconds, u"slowly"_s, 4, nullptr, march);
}

} // namespace

class TestPracticeEntryDraft : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void minutesThatResolve_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("seconds");

        QTest::newRow("empty") << QString() << std::optional<qint64>();
        QTest::newRow("blank") << u" \t\u00A0\n"_s << std::optional<qint64>();
        QTest::newRow("trimmed") << u"\u2028 2 \n"_s << std::optional<qint64>(120);
        QTest::newRow("decimal point") << u"1.5"_s << std::optional<qint64>(90);
        QTest::newRow("exponent") << u"1e1"_s << std::optional<qint64>(600);
        QTest::newRow("0.6 s rounds up") << u"0.01"_s << std::optional<qint64>(1);
        QTest::newRow("0.3 s rounds down") << u"0.005"_s << std::optional<qint64>(0);
        QTest::newRow("7.5 s rounds away from zero") << u"0.125"_s << std::optional<qint64>(8);
        QTest::newRow("too small to tell from zero") << u"1e-400"_s << std::optional<qint64>(0);
        QTest::newRow("just below 2^63 seconds")
            << u"153722867280912912"_s << std::optional<qint64>(9223372036854773760);
    }
    void minutesThatResolve() {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, seconds);
        QCOMPARE(draftWithMinutes(text).resolvedDurationSeconds(), seconds);
    }

    void minutesThatFail_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("decimal comma") << u"1,5"_s << negative;
        QTest::newRow("negative") << u"-1"_s << negative;
        QTest::newRow("infinity") << u"inf"_s << negative;
        QTest::newRow("not a number") << u"nan"_s << negative;
        QTest::newRow("beyond double range") << u"1e400"_s << negative;
        QTest::newRow("seconds reach 2^63") << u"153722867280912913"_s << tooLarge;
        QTest::newRow("huge but finite") << u"1e300"_s << tooLarge;
    }
    void minutesThatFail() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const PracticeEntryDraft draft = draftWithMinutes(text);
        try {
            draft.resolvedDurationSeconds();
            QFAIL("the minutes were accepted");
        } catch (const PracticeEntry::ValidationError& error) {
            QCOMPARE(error.errorCase(), PracticeEntry::ValidationError::durationCannotBeNegative);
            QCOMPARE(error.description(), message);
        } catch (const PracticeSession::ValidationError& error) {
            QCOMPARE(error.errorCase(), PracticeSession::ValidationError::durationOutOfRange);
            QCOMPARE(error.description(), message);
        }
        QVERIFY_THROWS_EXCEPTION(BrevantaError, draft.resolvedEntry(march));
    }

    void storedMinutesAsText_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");

        QTest::newRow("half") << qint64(90) << u"1.5"_s;
        QTest::newRow("63 s") << qint64(63) << u"1.05"_s;
        QTest::newRow("20 s") << qint64(20) << u"0.3333333333333333"_s;
        QTest::newRow("zero") << qint64(0) << u"0"_s;
        QTest::newRow("no exponent for large values")
            << qint64(120'000'000'000'000'000) << u"2000000000000000"_s;
    }
    void storedMinutesAsText() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        const PracticeEntryDraft draft(*storedEntry(seconds));
        QCOMPARE(draft.durationMinutesText, text);
        // Saving the draft untouched stores the same seconds again.
        QCOMPARE(draft.resolvedDurationSeconds(), std::optional<qint64>(seconds));
    }

    void resolvedEntry() {
        const Instant now = march.addingMSecs(5'000);
        const PracticeEntryDraft draft(QUuid::createUuid(), u"  Arpeggios \n"_s,
                                       PracticeCategory::lookForward, u"1.5"_s, u"\n  "_s, 3);
        const PracticeEntryPtr entry = draft.resolvedEntry(now);
        QCOMPARE(entry->id(), draft.id);
        QCOMPARE(entry->title(), u"Arpeggios"_s);
        QCOMPARE(entry->category(), PracticeCategory::lookForward);
        QCOMPARE(entry->durationSeconds(), std::optional<std::int64_t>(90));
        QVERIFY(!entry->notes());
        QCOMPARE(entry->sortOrder(), 3);
        QCOMPARE(entry->createdAt(), now);
        QVERIFY(!entry->updatedAt());
        QVERIFY(!entry->session());

        PracticeEntryDraft blankTitle = draft;
        blankTitle.title = u"   "_s;
        blankTitle.notes = u" keep it light "_s;
        const PracticeEntryPtr blank = blankTitle.resolvedEntry(now);
        QCOMPARE(blank->title(), QString());
        QCOMPARE(blank->notes(), std::optional<QString>(u"keep it light"_s));
    }

    void resolvedEntriesNumberEachGroup() {
        using C = PracticeCategory;
        const std::vector<C> categories{C::haveFun, C::lookBack, C::haveFun, C::lookForward,
                                        C::haveFun};
        std::vector<PracticeEntryDraft> drafts;
        for (const C category : categories)
            drafts.push_back(
                PracticeEntryDraft(QUuid::createUuid(), u"x"_s, category, QString(), QString(), 9));
        const std::vector<PracticeEntryPtr> entries =
            PracticeEntryDraft::resolvedEntries(drafts, march);
        QCOMPARE(entries.size(), drafts.size());
        const std::vector<std::int64_t> expectedOrders{0, 0, 1, 0, 2};
        for (std::size_t index = 0; index < entries.size(); ++index) {
            QCOMPARE(entries[index]->id(), drafts[index].id);
            QCOMPARE(entries[index]->category(), categories[index]);
            QCOMPARE(entries[index]->sortOrder(), expectedOrders[index]);
        }
        // The drafts themselves keep their hints.
        QCOMPARE(drafts[1].sortOrder, 9);
    }
};

QTEST_GUILESS_MAIN(TestPracticeEntryDraft)
#include "tst_practiceentrydraft.moc"
