// SPDX-License-Identifier: MIT
#include "core/insights/PracticeAnalytics.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "support/RecordTestSupport.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

PracticeSessionPtr sessionAt(Instant start, std::int64_t seconds) {
    return PracticeSession::create(QUuid::createUuid(), start, seconds,
                                   PracticeSessionSource::imported, std::nullopt, {}, start);
}

QStringList idsOf(const CalendarHeatmapBand& band, std::size_t from, std::size_t count) {
    QStringList ids;
    for (std::size_t index = from; index < from + count && index < band.cells.size(); ++index)
        ids << band.cells[index].id;
    return ids;
}

int paddingCount(const CalendarHeatmapBand& band) {
    return int(std::count_if(band.cells.begin(), band.cells.end(),
                             [](const CalendarHeatmapCell& cell) { return !cell.day; }));
}

} // namespace

class TestCalendarHeatmap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void intensity() {
        // Up to a quarter of an hour, half an hour, an hour, and more.
        const std::pair<std::int64_t, int> levels[] = {{-60, 0},  {0, 0},     {1, 1},    {900, 1},
                                                       {901, 2},  {1800, 2},  {1801, 3}, {3600, 3},
                                                       {3601, 4}, {86'400, 4}};
        for (const auto& [seconds, level] : levels)
            QCOMPARE((HeatmapDay{Instant(), seconds, 1, false}.intensity()), level);
    }

    void oneDayPerDayOfTheYear_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("dayCount");
        QTest::newRow("2025 in New York") << u"America/New_York"_s << 2025 << 365;
        QTest::newRow("leap year 2024 in Berlin") << u"Europe/Berlin"_s << 2024 << 366;
    }

    void oneDayPerDayOfTheYear() {
        QFETCH(QString, zone);
        QFETCH(int, year);
        QFETCH(int, dayCount);
        const Calendar calendar(zone, u"en_US");
        const auto days =
            PracticeAnalytics::calendarYearHeatmap({}, local(calendar, year, 7, 15, 13), calendar);
        QCOMPARE(int(days.size()), dayCount);
        // Each is the start of the next calendar day, across both clock changes.
        QDate date(year, 1, 1);
        for (const HeatmapDay& day : days) {
            QCOMPARE(day.day, local(calendar, date.year(), date.month(), date.day()));
            date = date.addDays(1);
        }
        QCOMPARE(date, QDate(year + 1, 1, 1));
    }

    void sessionsLandOnTheirDays() {
        const Calendar calendar(u"America/New_York", u"en_US");
        const Instant now = local(calendar, 2025, 6, 10, 9, 0);
        const std::vector<PracticeSessionPtr> sessions{
            sessionAt(local(calendar, 2025, 6, 10, 8, 0), 600),
            sessionAt(local(calendar, 2025, 6, 10, 23, 59), 1500), // later today
            sessionAt(local(calendar, 2025, 6, 11, 0, 0), 300),    // tomorrow
            sessionAt(local(calendar, 2025, 12, 31, 23, 59), 60),
            sessionAt(local(calendar, 2025, 1, 1, 0, 0), 30),
            sessionAt(local(calendar, 2024, 12, 31, 23, 59), 7), // other years
            sessionAt(local(calendar, 2026, 1, 1, 0, 0), 7),
            // 03:00 UTC on 1 January 2025 is still New Year's Eve in New York.
            sessionAt(Instant::fromMSecsSinceEpoch(
                          QDateTime(QDate(2025, 1, 1), QTime(3, 0), Qt::UTC).toMSecsSinceEpoch()),
                      7)};
        const auto days = PracticeAnalytics::calendarYearHeatmap(sessions, now, calendar);
        QCOMPARE(days.size(), std::size_t(365));

        const auto dayOf = [&](int month, int day) {
            return days[std::size_t(QDate(2025, 1, 1).daysTo(QDate(2025, month, day)))];
        };
        const Instant june10 = local(calendar, 2025, 6, 10);
        QCOMPARE(dayOf(6, 10), (HeatmapDay{june10, 2100, 2, false}));
        QCOMPARE(dayOf(6, 10).intensity(), 3);
        QCOMPARE(dayOf(6, 11), (HeatmapDay{local(calendar, 2025, 6, 11), 300, 1, true}));
        QCOMPARE(dayOf(12, 31).durationSeconds, 60);
        QCOMPARE(dayOf(12, 31).isFuture, true);
        QCOMPARE(dayOf(1, 1).durationSeconds, 30);
        QCOMPARE(dayOf(6, 9).isFuture, false);
        QCOMPARE(dayOf(6, 9).sessionCount, 0);

        std::int64_t total = 0;
        for (const HeatmapDay& day : days)
            total += day.durationSeconds;
        QCOMPARE(total, 600 + 1500 + 300 + 60 + 30);
    }

    void bandLayout_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("leading");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("trailing");

        // 2026 begins on a Thursday and 1 July 2026 is a Wednesday.
        QTest::newRow("2026 full year")
            << 2026 << false << u"full-year"_s << u"2026"_s << 3 << 365 << 3;
        QTest::newRow("2026 second half")
            << 2026 << true << u"second-half"_s << u"JUL–DEC"_s << 2 << 184 << 3;
        // 2024 begins on a Monday and has 366 days.
        QTest::newRow("2024 first half")
            << 2024 << true << u"first-half"_s << u"JAN–JUN"_s << 0 << 182 << 0;
        // 1 July 2024 is a Monday too.
        // 2023 ends on a Sunday: no trailing padding.
        QTest::newRow("2023 full year")
            << 2023 << false << u"full-year"_s << u"2023"_s << 6 << 365 << 0;
    }

    void bandLayout() {
        QFETCH(int, year);
        QFETCH(bool, split);
        QFETCH(QString, id);
        QFETCH(QString, title);
        QFETCH(int, leading);
        QFETCH(int, dayCount);
        QFETCH(int, trailing);
        // US English starts weeks on Sunday; the bands still put Monday on top.
        const Calendar calendar(u"America/New_York", u"en_US");
        const auto bands =
            PracticeAnalytics::calendarYearBands({}, local(calendar, year, 3, 1), split, calendar);
        QCOMPARE(bands.size(), std::size_t(split ? 2 : 1));
        const auto band = std::find_if(bands.begin(), bands.end(),
                                       [&](const CalendarHeatmapBand& b) { return b.id == id; });
        QVERIFY(band != bands.end());

        QCOMPARE(band->title, title);
        QCOMPARE(int(band->cells.size()), leading + dayCount + trailing);
        QCOMPARE(band->cells.size() % 7, std::size_t(0));
        QCOMPARE(band->columnCount(), int(band->cells.size() / 7));
        QCOMPARE(paddingCount(*band), leading + trailing);

        QStringList expectedIds;
        for (int index = 0; index < leading; ++index)
            expectedIds << id + u"-leading-" + QString::number(index);
        for (int index = 0; index < dayCount; ++index)
            expectedIds << id + u"-day-" + QString::number(index);
        for (int index = 0; index < trailing; ++index)
            expectedIds << id + u"-trailing-" + QString::number(index);
        QCOMPARE(idsOf(*band, 0, band->cells.size()), expectedIds);

        const HeatmapDay& first = *band->cells[std::size_t(leading)].day;
        QCOMPARE(calendar.weekday(first.day), Calendar::Weekday((leading + 1) % 7 + 1));
        QCOMPARE(first.day, local(calendar, year, id == u"second-half" ? 7 : 1, 1));
        const HeatmapDay& last = *band->cells[std::size_t(leading + dayCount - 1)].day;
        QCOMPARE(last.day, id == u"first-half" ? local(calendar, year, 6, 30)
                                               : local(calendar, year, 12, 31));
    }

    void bandsCarryTheDaysAndTheirPractice() {
        const Calendar calendar(u"America/New_York", u"en_US");
        const Instant now = local(calendar, 2026, 7, 1, 12);
        const std::vector<PracticeSessionPtr> sessions{
            sessionAt(local(calendar, 2026, 6, 30, 23, 0), 1000),
            sessionAt(local(calendar, 2026, 7, 1, 0, 0), 2000)};
        const auto halves = PracticeAnalytics::calendarYearBands(sessions, now, true, calendar);
        QCOMPARE(halves[0].cells[3 + 180].day->durationSeconds, 1000); // 30 June
        QCOMPARE(halves[1].cells[2].day->durationSeconds, 2000);       // 1 July
        QCOMPARE(halves[1].cells[2].day->isFuture, false);
        QCOMPARE(halves[1].cells[3].day->isFuture, true);
    }

    void yearAndTitleAreTheCalendars() {
        // 02:00 UTC on New Year's Day 2026 is still 2025 in New York.
        const Calendar calendar(u"America/New_York", u"en_US");
        const Instant now = Instant::fromMSecsSinceEpoch(
            QDateTime(QDate(2026, 1, 1), QTime(2, 0), Qt::UTC).toMSecsSinceEpoch());
        const auto bands = PracticeAnalytics::calendarYearBands({}, now, false, calendar);
        QCOMPARE(bands[0].title, u"2025"_s);
        QCOMPARE(bands[0].cells[2].day->day, local(calendar, 2025, 1, 1)); // a Wednesday
        QCOMPARE(
            PracticeAnalytics::calendarYearBands({}, now, false, calendar.withTimeZone(u"UTC"))[0]
                .title,
            u"2026"_s);
    }
};

QTEST_GUILESS_MAIN(TestCalendarHeatmap)
#include "tst_calendarheatmap.moc"
