// SPDX-License-Identifier: MIT
#include "core/insights/PracticeAnalytics.h"
#include "core/journal/PracticeDay.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <random>

using namespace brevanta;
using namespace Qt::StringLiterals;

namespace {

Instant local(const Calendar& calendar, const QDateTime& time) {
    return calendar
        .makeInstant({time.date().year(), time.date().month(), time.date().day(),
                      time.time().hour(), time.time().minute()})
        .value();
}

// "2025-03-05 10:00" in the calendar's zone, optionally "=600" for the duration in seconds.
PracticeSessionPtr session(const Calendar& calendar, const QString& line) {
    const QStringList parts = line.split(u'=');
    const QDateTime time = QDateTime::fromString(parts[0], u"yyyy-MM-dd HH:mm"_s);
    Q_ASSERT(time.isValid());
    const std::int64_t seconds = parts.size() > 1 ? parts[1].toLongLong() : 600;
    const Instant start = local(calendar, time);
    return PracticeSession::create(QUuid::createUuid(), start, seconds,
                                   PracticeSessionSource::imported, std::nullopt, {}, start);
}

std::vector<PracticeSessionPtr> sessions(const Calendar& calendar, const QStringList& lines) {
    std::vector<PracticeSessionPtr> list;
    for (const QString& line : lines)
        list.push_back(session(calendar, line));
    return list;
}

QString flags(const std::array<bool, 7>& days) {
    QString text;
    for (const bool day : days)
        text += day ? u'x' : u'.';
    return text;
}

} // namespace

class TestPracticeAnalytics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void biographyInAnyOrder() {
        const Calendar calendar(u"Europe/Berlin", u"de_DE");
        auto journal = sessions(calendar, {u"2025-03-03 09:00=1800"_s, u"2025-03-04 21:00=600"_s,
                                           u"2024-11-30 23:59=45"_s, u"2025-03-04 07:00=3600"_s,
                                           u"2025-03-05 00:00=1"_s});
        const PracticeBiographySummary expected{
            1800 + 600 + 45 + 3600 + 1, 5, 3,
            local(calendar, QDateTime(QDate(2024, 11, 30), QTime(23, 59)))};
        QCOMPARE(PracticeAnalytics::biography(journal, calendar), expected);
        std::mt19937 shuffler(7);
        for (int round = 0; round < 5; ++round) {
            std::shuffle(journal.begin(), journal.end(), shuffler);
            QCOMPARE(PracticeAnalytics::biography(journal, calendar), expected);
        }
    }

    void totalsStopAtTheLargestCount() {
        const Calendar calendar(u"UTC", u"en_US");
        const Instant start = Instant::fromSecsSinceEpoch(0);
        const std::int64_t longest = std::numeric_limits<std::int64_t>::max() / 1000 - 1;
        std::vector<PracticeSessionPtr> journal;
        for (int index = 0; index < 1500; ++index)
            journal.push_back(PracticeSession::create(QUuid::createUuid(), start, longest,
                                                      PracticeSessionSource::imported, std::nullopt,
                                                      {}, start));
        QCOMPARE(PracticeAnalytics::biography(journal, calendar).totalSeconds,
                 std::numeric_limits<std::int64_t>::max());
    }

    void practiceDaysAreDayStartsOnce() {
        const Calendar calendar(u"America/New_York", u"en_US");
        // 9 March 2025 is 23 hours long; its day starts at 00:00 EST.
        const auto journal = sessions(calendar, {u"2025-03-09 23:30"_s, u"2025-03-09 00:00"_s,
                                                 u"2025-03-09 03:30"_s, u"2025-03-08 12:00"_s});
        const std::vector<Instant> expected{
            local(calendar, QDateTime(QDate(2025, 3, 8), QTime(0, 0))),
            local(calendar, QDateTime(QDate(2025, 3, 9), QTime(0, 0)))};
        QCOMPARE(PracticeAnalytics::practiceDays(journal, calendar), expected);
        QCOMPARE(calendarDay(*journal[0], calendar), expected[1]);
        QCOMPARE(calendarDay(*journal[3], calendar), expected[0]);
    }

    // The resolver remembers the last day it found; in whatever order it is asked, it must agree
    // with the calendar, also on the 23- and 25-hour days.
    void dayResolverAgreesWithTheCalendarInAnyOrder() {
        const Calendar calendar(u"America/New_York", u"en_US");
        std::vector<Instant> instants;
        for (const QDate date : {QDate(2025, 3, 8), QDate(2025, 3, 9), QDate(2025, 3, 10),
                                 QDate(2025, 11, 1), QDate(2025, 11, 2), QDate(2025, 11, 3)}) {
            const Instant dayStart = local(calendar, date.startOfDay(Qt::UTC));
            for (std::int64_t minute = 0; minute < 26 * 60; minute += 17)
                instants.push_back(dayStart.addingMSecs(minute * 60'000));
        }
        std::mt19937 shuffler(11);
        for (int round = 0; round < 3; ++round) {
            if (round == 1)
                std::sort(instants.begin(), instants.end(), std::greater<>());
            else if (round == 2)
                std::shuffle(instants.begin(), instants.end(), shuffler);
            PracticeDayResolver resolver(calendar);
            for (const Instant instant : instants)
                QCOMPARE(resolver.dayOf(instant), calendar.startOfDay(instant));
        }
    }

    void longestStreak_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QStringList>("sessions");
        QTest::addColumn<int>("expected");

        const QString newYork = u"America/New_York"_s;
        const QString berlin = u"Europe/Berlin"_s;
        QTest::newRow("no sessions") << newYork << QStringList{} << 0;
        QTest::newRow("Monday, Tuesday and Thursday")
            << newYork
            << QStringList{u"2025-02-27 12:00"_s, u"2025-03-03 08:00"_s, u"2025-03-04 23:59"_s,
                           u"2025-03-06 00:00"_s}
            << 2;
        QTest::newRow("the longest run need not be the latest")
            << newYork
            << QStringList{u"2024-01-01 12:00"_s, u"2024-01-02 12:00"_s, u"2024-01-03 12:00"_s,
                           u"2025-03-03 12:00"_s, u"2025-03-04 12:00"_s}
            << 3;
        // 00:00 on the 23-hour day to 00:00 the next day is 23 hours, yet one day.
        QTest::newRow("New York, clocks forward")
            << newYork
            << QStringList{u"2025-03-08 00:00"_s, u"2025-03-09 00:00"_s, u"2025-03-10 00:00"_s}
            << 3;
        QTest::newRow("New York, clocks back")
            << newYork
            << QStringList{u"2025-11-01 23:59"_s, u"2025-11-02 01:30"_s, u"2025-11-03 00:00"_s}
            << 3;
        QTest::newRow("New York, a gap across the 25-hour day")
            << newYork << QStringList{u"2025-11-01 23:59"_s, u"2025-11-03 00:00"_s} << 1;
        QTest::newRow("Berlin, clocks forward")
            << berlin
            << QStringList{u"2025-03-29 23:30"_s, u"2025-03-30 03:00"_s, u"2025-03-31 00:00"_s}
            << 3;
    }

    void longestStreak() {
        QFETCH(QString, zone);
        QFETCH(QStringList, sessions);
        QFETCH(int, expected);
        const Calendar calendar(zone, u"en_US");
        auto journal = ::sessions(calendar, sessions);
        QCOMPARE(PracticeAnalytics::longestStreak(journal, calendar), expected);
        std::reverse(journal.begin(), journal.end());
        QCOMPARE(PracticeAnalytics::longestStreak(journal, calendar), expected);
    }

    void weeklyEncouragement_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QStringList>("sessions");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("comparison"); // -1: none
        QTest::addColumn<QString>("practicedDays");

        const QString newYork = u"America/New_York"_s;
        const QString berlin = u"Europe/Berlin"_s;
        // Wednesday 5 March 2025; this week runs Monday 3 – Sunday 9 March.
        const QString wednesday = u"2025-03-05 10:00"_s;
        QTest::newRow("this week so far, last week up to the same weekday")
            << newYork << wednesday
            << QStringList{u"2025-03-03 08:00=600"_s, u"2025-03-05 07:00=300"_s,
                           u"2025-02-24 00:00=60"_s, u"2025-02-26 20:00=120"_s}
            << 900 << 180 << u"x.x...."_s;
        QTest::newRow("last Thursday does not count by Wednesday")
            << newYork << wednesday
            << QStringList{u"2025-02-27 00:00=60"_s, u"2025-03-02 23:59=60"_s} << 0 << -1
            << u"......."_s;
        QTest::newRow("later today counts, tomorrow only marks its day")
            << newYork << wednesday
            << QStringList{u"2025-03-05 23:59=400"_s, u"2025-03-06 00:00=500"_s,
                           u"2025-03-09 12:00=500"_s}
            << 400 << -1 << u"..xx..x"_s;
        // Monday: one day elapsed.
        QTest::newRow("Monday compares with last Monday only")
            << newYork << u"2025-03-03 06:00"_s
            << QStringList{u"2025-02-24 23:59=60"_s, u"2025-02-25 00:00=60"_s,
                           u"2025-03-03 22:00=30"_s}
            << 30 << 60 << u"x......"_s;
        // en_US starts weeks on Sunday; the summary still runs Monday to Sunday. 9 March 2025 is
        // also the 23-hour day in New York.
        QTest::newRow("Sunday under a Sunday-first locale, on a 23-hour day")
            << newYork << u"2025-03-09 12:00"_s
            << QStringList{u"2025-03-02 12:00=10"_s,  u"2025-03-03 00:00=20"_s,
                           u"2025-03-09 23:30=40"_s,  u"2025-03-10 00:10=80"_s,
                           u"2025-02-24 00:00=160"_s, u"2025-03-02 23:59=320"_s}
            << 60 << 490 << u"x.....x"_s;
        QTest::newRow("New York, the 25-hour Sunday")
            << newYork << u"2025-11-02 01:30"_s
            << QStringList{u"2025-11-02 23:30=40"_s, u"2025-11-03 00:30=80"_s,
                           u"2025-10-27 00:00=320"_s, u"2025-10-26 23:00=160"_s}
            << 360 << 160 << u"x.....x"_s;
        QTest::newRow("Berlin, the week the clocks go forward")
            << berlin << u"2025-03-30 20:00"_s
            << QStringList{u"2025-03-30 23:30=40"_s, u"2025-03-31 00:10=80"_s,
                           u"2025-03-24 00:00=1"_s, u"2025-03-23 23:59=160"_s}
            << 41 << 160 << u"x.....x"_s;
        QTest::newRow("Berlin, clocks back within last week's span")
            << berlin << u"2025-10-29 10:00"_s
            << QStringList{u"2025-10-26 02:30=5"_s, u"2025-10-22 23:59=7"_s,
                           u"2025-10-23 00:00=11"_s}
            << 0 << 7 << u"......."_s;
        // Friday 25 February 2022 in Amman begins at 01:00: midnight was skipped. Today ends at
        // Saturday's midnight, not at 01:00 on Saturday.
        QTest::newRow("Amman, a day that begins at 01:00")
            << u"Asia/Amman"_s << u"2022-02-25 10:00"_s
            << QStringList{u"2022-02-25 01:30=30"_s, u"2022-02-26 00:30=50"_s} << 30 << -1
            << u"....xx."_s;
    }

    void weeklyEncouragement() {
        QFETCH(QString, zone);
        QFETCH(QString, now);
        QFETCH(QStringList, sessions);
        QFETCH(int, total);
        QFETCH(int, comparison);
        QFETCH(QString, practicedDays);
        const Calendar calendar(zone, u"en_US");
        QCOMPARE(calendar.firstWeekday(), Calendar::sunday);
        auto journal = ::sessions(calendar, sessions);
        const Instant reference =
            local(calendar, QDateTime::fromString(now, u"yyyy-MM-dd HH:mm"_s));

        for (int order = 0; order < 2; ++order) {
            const WeeklyEncouragementSummary week =
                PracticeAnalytics::weeklyEncouragement(journal, reference, calendar);
            QCOMPARE(week.totalSeconds, total);
            QCOMPARE(week.comparisonSeconds,
                     comparison < 0 ? std::nullopt : std::optional<std::int64_t>(comparison));
            QCOMPARE(flags(week.practicedDays), practicedDays);
            std::reverse(journal.begin(), journal.end());
        }
    }
};

QTEST_GUILESS_MAIN(TestPracticeAnalytics)
#include "tst_practiceanalytics.moc"
