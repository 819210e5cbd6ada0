// SPDX-License-Identifier: MIT
#include "core/time/Calendar.h"

#include <QDateTime>
#include <QtTest>

#include <stdexcept>

using namespace brevanta;

namespace {

// Expected instants are written in UTC so that they do not depend on the code under test.
qint64 utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC)
        .toMSecsSinceEpoch();
}

Instant instant(qint64 msecs) {
    return Instant::fromMSecsSinceEpoch(msecs);
}

constexpr qint64 hour = 3600 * 1000;

Calendar newYork() {
    return Calendar(u"America/New_York", u"en_US");
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startOfDayIsTheDaysFirstInstant_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("during");
        QTest::addColumn<qint64>("expectedStart");
        QTest::addColumn<int>("hoursInDay");

        // New York: EST is UTC-5, EDT UTC-4. Spring forward on 9 March 2025, fall back 2 November.
        QTest::newRow("New York, 23-hour day") << QStringLiteral("America/New_York")
                                               << utc(2025, 3, 9, 19) << utc(2025, 3, 9, 5) << 23;
        QTest::newRow("New York, 25-hour day, late evening")
            << QStringLiteral("America/New_York") << utc(2025, 11, 3, 4, 30) << utc(2025, 11, 2, 4)
            << 25;
        // Berlin: CET is UTC+1, CEST UTC+2; 30 March and 26 October 2025.
        // Sydney: AEDT is UTC+11, AEST UTC+10; back on 6 April, forward on 5 October 2025.
        QTest::newRow("Sydney, 23-hour day") << QStringLiteral("Australia/Sydney")
                                             << utc(2025, 10, 5, 3) << utc(2025, 10, 4, 14) << 23;
        // São Paulo skipped midnight on 4 November 2018: the day began at 01:00 (UTC-2).
        QTest::newRow("Sao Paulo, midnight skipped")
            << QStringLiteral("America/Sao_Paulo") << utc(2018, 11, 4, 15) << utc(2018, 11, 4, 3)
            << 23;
    }
    void startOfDayIsTheDaysFirstInstant() {
        QFETCH(QString, zone);
        QFETCH(qint64, during);
        QFETCH(qint64, expectedStart);
        QFETCH(int, hoursInDay);

        const Calendar calendar(zone, u"en_US");
        const Instant start = calendar.startOfDay(instant(during));
        QCOMPARE(start.msecsSinceEpoch(), expectedStart);
        QCOMPARE(calendar.startOfDay(start), start);

        const auto sameTimeTomorrow = calendar.addingDays(start, 1);
        QVERIFY(sameTimeTomorrow);
        const Instant nextStart = calendar.startOfDay(*sameTimeTomorrow);
        QCOMPARE(nextStart.msecsSinceEpoch() - start.msecsSinceEpoch(), hoursInDay * hour);
        QCOMPARE(calendar.daysBetween(start, nextStart), std::optional<std::int64_t>(1));
        QCOMPARE(calendar.daysBetween(start, nextStart.addingMSecs(-1)),
                 std::optional<std::int64_t>(0));
    }

    void daysBetweenCountsCalendarDaysNotSeconds_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<qint64>("days");

        const QString newYork = QStringLiteral("America/New_York");
        // Noon to noon across the 23-hour day is 47 hours: two days, not one.
        QTest::newRow("noon to noon over spring forward")
            << newYork << utc(2025, 3, 8, 17) << utc(2025, 3, 10, 16) << qint64(2);
        QTest::newRow("backwards over fall back")
            << newYork << utc(2025, 11, 3, 17) << utc(2025, 11, 1, 16) << qint64(-2);
        QTest::newRow("late evening to just after midnight")
            << newYork << utc(2025, 3, 4, 4, 59) << utc(2025, 3, 4, 5) << qint64(1);
        // A UTC-day count would say 1 here: it is 22:00 on the 3rd and 00:30 on the 5th locally.
        QTest::newRow("days of the zone, not of UTC")
            << newYork << utc(2025, 3, 4, 3) << utc(2025, 3, 5, 5, 30) << qint64(2);
    }
    void daysBetweenCountsCalendarDaysNotSeconds() {
        QFETCH(QString, zone);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(qint64, days);
        const Calendar calendar(zone, u"en_US");
        QCOMPARE(calendar.daysBetween(instant(from), instant(to)),
                 std::optional<std::int64_t>(days));
    }

    void addingKeepsTheWallClockTime_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("weeks");
        QTest::addColumn<qint64>("expected");

        const QString newYork = QStringLiteral("America/New_York");
        QTest::newRow("noon EST + 1 day = noon EDT")
            << newYork << utc(2025, 3, 8, 17) << 1 << 0 << utc(2025, 3, 9, 16);
        QTest::newRow("noon EDT + 1 day = noon EST")
            << newYork << utc(2025, 11, 1, 16) << 1 << 0 << utc(2025, 11, 2, 17);
        // 02:30 on 9 March does not exist; it moves on by the hour the clocks skipped.
        QTest::newRow("into the gap moves forward")
            << newYork << utc(2025, 3, 8, 7, 30) << 1 << 0 << utc(2025, 3, 9, 7, 30);
        QTest::newRow("Sydney 09:00 AEDT + 1 week = 09:00 AEST")
            << QStringLiteral("Australia/Sydney") << utc(2025, 4, 1, 22) << 0 << 1
            << utc(2025, 4, 8, 23);
    }
    void addingKeepsTheWallClockTime() {
        QFETCH(QString, zone);
        QFETCH(qint64, from);
        QFETCH(int, days);
        QFETCH(int, weeks);
        QFETCH(qint64, expected);
        const Calendar calendar(zone, u"en_US");
        const auto result = weeks != 0 ? calendar.addingWeeks(instant(from), weeks)
                                       : calendar.addingDays(instant(from), days);
        QVERIFY(result);
        QCOMPARE(result->msecsSinceEpoch(), expected);
    }

    void addingMonthsClampsToTheMonthsLength() {
        const Calendar calendar = newYork();
        const auto jan31of2024 = calendar.makeInstant({2024, 1, 31, 9, 30, 0});
        const auto jan31of2025 = calendar.makeInstant({2025, 1, 31, 9, 30, 0});
        QVERIFY(jan31of2024 && jan31of2025);
        QCOMPARE(calendar.components(*calendar.addingMonths(*jan31of2024, 1)),
                 (DateComponents{2024, 2, 29, 9, 30, 0}));
        QCOMPARE(calendar.components(*calendar.addingMonths(*jan31of2025, 1)),
                 (DateComponents{2025, 2, 28, 9, 30, 0}));
        QCOMPARE(calendar.components(*calendar.addingMonths(*jan31of2025, -2)),
                 (DateComponents{2024, 11, 30, 9, 30, 0}));
    }

    void weekRulesComeFromTheLocaleUnlessGiven() {
        const Calendar calendar(u"Europe/Berlin", u"en_US");
        QCOMPARE(int(calendar.firstWeekday()), int(Calendar::sunday));
        QCOMPARE(calendar.minimumDaysInFirstWeek(), 1);

        const Calendar iso = calendar.withISO8601Weeks();
        QCOMPARE(iso.weekRules(), Calendar::iso8601WeekRules);
        QCOMPARE(iso.timeZoneId(), calendar.timeZoneId());
        QCOMPARE(iso.localeName(), calendar.localeName());

        const Calendar given(u"Europe/Berlin", u"en_US",
                             Calendar::WeekRules{Calendar::saturday, 7});
        QCOMPARE(int(given.firstWeekday()), int(Calendar::saturday));
        QCOMPARE(given.minimumDaysInFirstWeek(), 7);
    }

    void weekIntervalFollowsTheFirstWeekday_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("iso");
        QTest::addColumn<qint64>("during");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");

        // All in New York. Wednesday 5 March 2025, noon EST.
        const qint64 wednesday = utc(2025, 3, 5, 17);
        QTest::newRow("Sunday-first en_US") << QStringLiteral("en_US") << false << wednesday
                                            << utc(2025, 3, 2, 5) << utc(2025, 3, 9, 5);
        // The Monday-first week ends after the clocks went forward: 167 hours long.
        QTest::newRow("Monday-first de_DE") << QStringLiteral("de_DE") << false << wednesday
                                            << utc(2025, 3, 3, 5) << utc(2025, 3, 10, 4);
        QTest::newRow("ISO weeks over en_US") << QStringLiteral("en_US") << true << wednesday
                                              << utc(2025, 3, 3, 5) << utc(2025, 3, 10, 4);
        // Sunday 9 March, noon EDT: the first day of a Sunday week, the last of a Monday week.
        const qint64 sunday = utc(2025, 3, 9, 16);
        QTest::newRow("Sunday in Sunday-first") << QStringLiteral("en_US") << false << sunday
                                                << utc(2025, 3, 9, 5) << utc(2025, 3, 16, 4);
        QTest::newRow("last instant of the week")
            << QStringLiteral("en_US") << false << utc(2025, 3, 9, 5) - 1 << utc(2025, 3, 2, 5)
            << utc(2025, 3, 9, 5);
    }
    void weekIntervalFollowsTheFirstWeekday() {
        QFETCH(QString, locale);
        QFETCH(bool, iso);
        QFETCH(qint64, during);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        Calendar calendar(u"America/New_York", locale);
        if (iso)
            calendar = calendar.withISO8601Weeks();
        const auto week = calendar.weekInterval(instant(during));
        QVERIFY(week);
        QCOMPARE(week->start.msecsSinceEpoch(), start);
        QCOMPARE(week->end.msecsSinceEpoch(), end);
        QCOMPARE(calendar.daysBetween(week->start, week->end), std::optional<std::int64_t>(7));
    }

    void monthAndYearIntervals() {
        const Calendar calendar = newYork();
        const auto february = calendar.monthInterval(instant(utc(2024, 2, 29, 23)));
        QVERIFY(february);
        QCOMPARE(february->start.msecsSinceEpoch(), utc(2024, 2, 1, 5));
        QCOMPARE(february->end.msecsSinceEpoch(), utc(2024, 3, 1, 5));

        // 1 January 2025 at 01:00 UTC is still New Year's Eve in New York.
        const auto year = calendar.yearInterval(instant(utc(2025, 1, 1, 1)));
        QVERIFY(year);
        QCOMPARE(year->start.msecsSinceEpoch(), utc(2024, 1, 1, 5));
        QCOMPARE(year->end.msecsSinceEpoch(), utc(2025, 1, 1, 5));
        QCOMPARE(calendar.daysBetween(year->start, year->end), std::optional<std::int64_t>(366));
    }

    void makeInstantBuildsOnlyRealDates_data() {
        QTest::addColumn<QList<int>>("components"); // year, month, day, hour, minute, second
        QTest::addColumn<qint64>("expected");       // -1: cannot be built

        QTest::newRow("Feb 29 in a leap year")
            << QList<int>{2024, 2, 29, 12, 0, 0} << utc(2024, 2, 29, 17);
        QTest::newRow("Feb 29 in a common year") << QList<int>{2023, 2, 29, 12, 0, 0} << qint64(-1);
        QTest::newRow("month 13") << QList<int>{2025, 13, 1, 0, 0, 0} << qint64(-1);
        QTest::newRow("day 0") << QList<int>{2025, 1, 0, 0, 0, 0} << qint64(-1);
        QTest::newRow("far beyond the computable range")
            << QList<int>{6'000'000, 1, 1, 0, 0, 0} << qint64(-1);
        QTest::newRow("last second of a year")
            << QList<int>{2025, 12, 31, 23, 59, 59} << utc(2026, 1, 1, 4, 59, 59);
        QTest::newRow("skipped 02:30 is 03:30 EDT")
            << QList<int>{2025, 3, 9, 2, 30, 0} << utc(2025, 3, 9, 7, 30);
        QTest::newRow("repeated 01:30 is its first, EDT, occurrence")
            << QList<int>{2025, 11, 2, 1, 30, 0} << utc(2025, 11, 2, 5, 30);
    }
    void makeInstantBuildsOnlyRealDates() {
        QFETCH(QList<int>, components);
        QFETCH(qint64, expected);
        const auto built = newYork().makeInstant({components[0], components[1], components[2],
                                                  components[3], components[4], components[5]});
        QCOMPARE(built.has_value(), expected != -1);
        if (built)
            QCOMPARE(built->msecsSinceEpoch(), expected);
    }

    void componentsReadBackWhatWasBuilt() {
        // Berlin midnight on the 25-hour day; Sydney late evening at the year's end.
        for (const auto& [zone, components] :
             {std::pair{u"Europe/Berlin", DateComponents{2025, 10, 26, 0, 41, 7}},
              std::pair{u"Australia/Sydney", DateComponents{2024, 12, 31, 23, 41, 7}}}) {
            const Calendar calendar(zone, u"en_GB");
            const auto built = calendar.makeInstant(components);
            QVERIFY(built);
            QCOMPARE(calendar.components(*built), components);
            // Milliseconds are not a component.
            QCOMPARE(calendar.components(built->addingMSecs(999)), components);
        }
    }

    void valuesCompareBySettings() {
        const Calendar first = newYork();
        const Calendar copy = first;
        QVERIFY(copy.isSameObject(first));
        QVERIFY(newYork() == first);
        QVERIFY(!newYork().isSameObject(first));
        QVERIFY(!(first.withISO8601Weeks() == first));
        QVERIFY(!(Calendar(u"America/New_York", u"en_GB") == first));

        const Calendar moved = first.withTimeZone(u"Australia/Sydney");
        QCOMPARE(moved.timeZoneId(), QStringLiteral("Australia/Sydney"));
        QCOMPARE(moved.localeName(), QStringLiteral("en_US"));
        QCOMPARE(moved.weekRules(), first.weekRules());
        QCOMPARE(first.timeZoneId(), QStringLiteral("America/New_York"));
    }

    void unknownTimeZonesAreRefused() {
        QVERIFY(Calendar::isKnownTimeZone(u"Europe/Berlin"));
        QVERIFY(!Calendar::isKnownTimeZone(u"Mars/Olympus_Mons"));
        QVERIFY(!Calendar::isKnownTimeZone(u""));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Calendar(u"Mars/Olympus_Mons", u"en_US"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, newYork().withTimeZone(u"Nowhere"));
        QVERIFY_THROWS_EXCEPTION(
            std::invalid_argument,
            Calendar(u"UTC", u"en_US", Calendar::WeekRules{Calendar::monday, 0}));
    }

    void resultsOutsideTheComputableRangeAreNothing() {
        const Calendar calendar = newYork();
        const Instant now = instant(utc(2025, 3, 4));
        QVERIFY(!calendar.addingDays(now, std::int64_t(1) << 40));
        QVERIFY(!calendar.addingDays(now, 3'000'000'000LL * 365));
        const Instant farFuture = Instant::fromMSecsSinceEpoch(std::numeric_limits<qint64>::max());
        QVERIFY(!calendar.weekInterval(farFuture));
        QVERIFY(!calendar.yearInterval(farFuture));
        QVERIFY(!calendar.daysBetween(now, farFuture));
        // Operations without an optional still answer, clamped to the range.
        QVERIFY(calendar.startOfDay(farFuture) < farFuture);
    }

    void currentCalendarReadsTheSystemTimeZone() {
        qputenv("TZ", "Australia/Sydney");
        const Calendar calendar = Calendar::current();
        QCOMPARE(calendar.timeZoneId(), QStringLiteral("Australia/Sydney"));
        if (QLocale::system().language() == QLocale::C)
            QCOMPARE(calendar.localeName(), QStringLiteral("en_US_POSIX"));
        qunsetenv("TZ");
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
