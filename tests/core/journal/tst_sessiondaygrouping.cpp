// SPDX-License-Identifier: MIT
#include "core/journal/SessionDayGrouping.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "support/RecordTestSupport.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

PracticeSessionPtr sessionAt(Instant start) {
    return PracticeSession::create(QUuid::createUuid(), start, 600, PracticeSessionSource::manual,
                                   std::nullopt, {}, start);
}

// "2025-03" for each group, with the sessions of each as indices into `sessions`.
QStringList describe(const std::vector<SessionMonthGroup>& groups,
                     const std::vector<PracticeSessionPtr>& sessions, const Calendar& calendar) {
    QStringList description;
    for (const SessionMonthGroup& group : groups) {
        const DateComponents month = calendar.components(group.month);
        QStringList members;
        for (const PracticeSessionPtr& session : group.sessions)
            members << QString::number(std::find(sessions.begin(), sessions.end(), session) -
                                       sessions.begin());
        description << QStringLiteral("%1-%2:%3")
                           .arg(month.year)
                           .arg(month.month, 2, 10, QLatin1Char('0'))
                           .arg(members.join(u','));
    }
    return description;
}

} // namespace

class TestSessionDayGrouping : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void monthGroups_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QList<QDateTime>>("starts");
        QTest::addColumn<QStringList>("expected");
        const auto utc = [](int year, int month, int day, int hour, int minute = 0) {
            return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
        };
        const QList<QDateTime> monthEnd{utc(2025, 1, 31, 23, 30), utc(2025, 2, 1, 0, 15)};
        QTest::newRow("UTC: the months split between them")
            << u"UTC"_s << monthEnd << QStringList{u"2025-02:1"_s, u"2025-01:0"_s};
        QTest::newRow("New York: both still 31 January")
            << u"America/New_York"_s << monthEnd << QStringList{u"2025-01:1,0"_s};
        QTest::newRow("Tokyo: both already 1 February")
            << u"Asia/Tokyo"_s << monthEnd << QStringList{u"2025-02:1,0"_s};
        // Berlin's clocks went forward on 30 March: 1 April 00:00, 31 March 23:59, 30 March
        // 03:30 and 1 March 00:00 local.
        QTest::newRow("month boundary after a clock change")
            << u"Europe/Berlin"_s
            << QList<QDateTime>{utc(2025, 3, 31, 22), utc(2025, 3, 31, 21, 59),
                                utc(2025, 3, 30, 1, 30), utc(2025, 2, 28, 23)}
            << QStringList{u"2025-04:0"_s, u"2025-03:1,2,3"_s};
        QTest::newRow("latest first whatever the input order")
            << u"America/New_York"_s
            << QList<QDateTime>{utc(2024, 12, 5, 5), utc(2025, 2, 1, 14), utc(2024, 12, 24, 5),
                                utc(2025, 2, 20, 5), utc(2023, 7, 1, 4)}
            << QStringList{u"2025-02:3,1"_s, u"2024-12:2,0"_s, u"2023-07:4"_s};
        QTest::newRow("equal starts keep their given order")
            << u"America/New_York"_s
            << QList<QDateTime>{utc(2025, 3, 4, 17), utc(2025, 3, 4, 17), utc(2025, 3, 5, 5),
                                utc(2025, 3, 4, 17)}
            << QStringList{u"2025-03:2,0,1,3"_s};
        QTest::newRow("no sessions") << u"UTC"_s << QList<QDateTime>() << QStringList();
    }

    void monthGroups() {
        QFETCH(QString, zone);
        QFETCH(QList<QDateTime>, starts);
        QFETCH(QStringList, expected);
        const Calendar calendar(zone, u"en_US");
        std::vector<PracticeSessionPtr> sessions;
        for (const QDateTime& start : starts)
            sessions.push_back(sessionAt(Instant::fromMSecsSinceEpoch(start.toMSecsSinceEpoch())));
        const auto groups = SessionDayGrouping::monthGroups(sessions, calendar);
        QCOMPARE(describe(groups, sessions, calendar), expected);
        for (const SessionMonthGroup& group : groups) {
            const DateComponents month = calendar.components(group.month);
            QCOMPARE(group.month, local(calendar, month.year, month.month, 1));
            QCOMPARE(group.id(), group.month);
        }
    }

    void monthTitle_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("month");
        QTest::addColumn<QDateTime>("nowUtc");
        QTest::addColumn<QString>("expected");

        const QDateTime january3 = QDateTime(QDate(2025, 1, 3), QTime(15, 0), Qt::UTC);
        QTest::newRow("this year: month alone")
            << u"America/New_York"_s << u"en_US"_s << QDate(2025, 1, 1) << january3 << u"JANUARY"_s;
        QTest::newRow("last year: month and year")
            << u"America/New_York"_s << u"en_US"_s << QDate(2024, 12, 1) << january3
            << u"DECEMBER 2024"_s;
        // 02:00 UTC on New Year's Day is still the old year in New York.
        QTest::newRow("the year of now is the calendar's")
            << u"America/New_York"_s << u"en_US"_s << QDate(2024, 12, 1)
            << QDateTime(QDate(2025, 1, 1), QTime(2, 0), Qt::UTC) << u"DECEMBER"_s;
        QTest::newRow("German, upper-cased with its umlaut")
            << u"Europe/Berlin"_s << u"de_DE"_s << QDate(2024, 3, 1) << january3 << u"MÄRZ 2024"_s;
        QTest::newRow("Turkish upper case keeps the dot on i")
            << u"Europe/Istanbul"_s << u"tr_TR"_s << QDate(2025, 4, 1) << january3 << u"NİSAN"_s;
    }

    void monthTitle() {
        QFETCH(QString, zone);
        QFETCH(QString, locale);
        QFETCH(QDate, month);
        QFETCH(QDateTime, nowUtc);
        QFETCH(QString, expected);
        const Calendar calendar(zone, locale);
        const Instant monthStart = local(calendar, month.year(), month.month(), 1);
        QCOMPARE(
            SessionDayGrouping::monthTitle(
                monthStart, Instant::fromMSecsSinceEpoch(nowUtc.toMSecsSinceEpoch()), calendar),
            expected);
    }

    void dayTitle_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("mondayFirst");
        QTest::addColumn<QDateTime>("now");  // local time in New York
        QTest::addColumn<QDateTime>("date"); // local time in New York
        QTest::addColumn<QString>("expected");

        // Wednesday 5 March 2025, 10:00; US weeks run Sunday 2 – Saturday 8 March.
        const QDateTime wednesday(QDate(2025, 3, 5), QTime(10, 0));
        const auto row = [&](const char* name, QDateTime date, const QString& expected) {
            QTest::newRow(name) << u"en_US"_s << false << wednesday << date << expected;
        };
        row("midnight today", QDateTime(QDate(2025, 3, 5), QTime(0, 0)), u"Today"_s);
        row("last minute of yesterday", QDateTime(QDate(2025, 3, 4), QTime(23, 59)),
            u"Yesterday"_s);
        row("earlier this week", QDateTime(QDate(2025, 3, 3), QTime(8, 0)), u"Monday"_s);
        row("later this week", QDateTime(QDate(2025, 3, 7), QTime(12, 0)), u"Friday"_s);
        row("last week", QDateTime(QDate(2025, 3, 1), QTime(23, 59)), u"Saturday 1"_s);
        row("next week", QDateTime(QDate(2025, 3, 9), QTime(12, 0)), u"Sunday 9"_s);
        // The week's interval includes its end: the first instant of next week still counts.
        row("first instant of next week", QDateTime(QDate(2025, 3, 9), QTime(0, 0)), u"Sunday"_s);

        // Monday 10 March 2025, the day after the clocks went forward (a 23-hour Sunday).
        const QDateTime monday(QDate(2025, 3, 10), QTime(0, 30));
        QTest::newRow("Monday-first: last Sunday is yesterday")
            << u"en_US"_s << true << monday << QDateTime(QDate(2025, 3, 9), QTime(0, 0))
            << u"Yesterday"_s;
        QTest::newRow("Monday-first: last Saturday shows its day")
            << u"en_US"_s << true << monday << QDateTime(QDate(2025, 3, 8), QTime(23, 0))
            << u"Saturday 8"_s;
        QTest::newRow("German weekday alone")
            << u"de_DE"_s << true << monday << QDateTime(QDate(2025, 3, 12), QTime(9, 0))
            << u"Mittwoch"_s;
        QTest::newRow("German weekday and day in German order")
            << u"de_DE"_s << true << monday << QDateTime(QDate(2025, 3, 8), QTime(9, 0))
            << u"Samstag, 8."_s;
    }

    void dayTitle() {
        QFETCH(QString, locale);
        QFETCH(bool, mondayFirst);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, date);
        QFETCH(QString, expected);
        Calendar calendar(u"America/New_York", locale);
        calendar = calendar.withWeekRules(
            {mondayFirst ? Calendar::monday : Calendar::sunday, calendar.minimumDaysInFirstWeek()});
        const auto at = [&](const QDateTime& time) {
            return local(calendar, time.date().year(), time.date().month(), time.date().day(),
                         time.time().hour(), time.time().minute());
        };
        QCOMPARE(SessionDayGrouping::title(at(date), at(now), calendar), expected);
    }
};

QTEST_GUILESS_MAIN(TestSessionDayGrouping)
#include "tst_sessiondaygrouping.moc"
