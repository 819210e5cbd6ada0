// SPDX-License-Identifier: MIT
#include "core/time/DateFormatting.h"
#include "core/time/DateParsing.h"
#include "core/time/TextServices.h"

#include <QDateTime>
#include <QTimeZone>
#include <QtTest>

using namespace brevanta;
using Style = DateFormatting::Style;

Q_DECLARE_METATYPE(DateFormatting::Style)

namespace {

// Tuesday 4 March 2025, 20:15 UTC: 15:15 in New York, 21:15 in Berlin and Paris, 20:15 in London.
const Instant tuesdayEvening = Instant::fromMSecsSinceEpoch(
    QDateTime(QDate(2025, 3, 4), QTime(20, 15), Qt::UTC).toMSecsSinceEpoch());

// ICU 72 (CLDR 42) writes a narrow no-break space between the time and AM/PM.
const QString narrowNoBreakSpace = QString(QChar(0x202F));

} // namespace

class TestDateFormatting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stylesFollowTheLocale_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Style>("style");
        QTest::addColumn<QString>("expected");

        const auto us = [](const char* name, Style style, const QString& expected) {
            QTest::newRow(name) << QStringLiteral("America/New_York") << QStringLiteral("en_US")
                                << style << expected;
        };
        us("en_US abbreviated date", Style::abbreviatedDate, QStringLiteral("Mar 4, 2025"));
        us("en_US complete date with short time", Style::completeDateShortTime,
           u"Tuesday, March 4, 2025 at 3:15" % narrowNoBreakSpace % u"PM");
        us("en_US wide month and year", Style::wideMonthYear, QStringLiteral("March 2025"));
        // ICU's "EEEEd" gives "4 Tuesday" here; US dates read weekday first.
        us("en_US weekday and day", Style::wideWeekdayDay, QStringLiteral("Tuesday 4"));

        const auto de = [](const char* name, Style style, const QString& expected) {
            QTest::newRow(name) << QStringLiteral("Europe/Berlin") << QStringLiteral("de_DE")
                                << style << expected;
        };
        de("de_DE complete date with short time", Style::completeDateShortTime,
           QStringLiteral("Dienstag, 4. März 2025 um 21:15"));
        de("de_DE weekday and day", Style::wideWeekdayDay, QStringLiteral("Dienstag, 4."));

        // Where the locale's dates put the day first, so does this.
        QTest::newRow("tr_TR weekday and day")
            << QStringLiteral("Europe/Istanbul") << QStringLiteral("tr_TR") << Style::wideWeekdayDay
            << QStringLiteral("4 Salı");
        QTest::newRow("ja_JP weekday and day")
            << QStringLiteral("Asia/Tokyo") << QStringLiteral("ja_JP") << Style::wideWeekdayDay
            << QStringLiteral("5日水曜日");
        QTest::newRow("en_GB complete date with short time")
            << QStringLiteral("Europe/London") << QStringLiteral("en_GB")
            << Style::completeDateShortTime << QStringLiteral("Tuesday, 4 March 2025 at 20:15");
        QTest::newRow("fr_FR complete date with short time")
            << QStringLiteral("Europe/Paris") << QStringLiteral("fr_FR")
            << Style::completeDateShortTime << QStringLiteral("mardi 4 mars 2025 à 21:15");

        // The calendar's zone decides the day: already Wednesday morning in Sydney.
        QTest::newRow("Sydney complete date")
            << QStringLiteral("Australia/Sydney") << QStringLiteral("en_US") << Style::completeDate
            << QStringLiteral("Wednesday, March 5, 2025");
        // Thai defaults to the Buddhist era (2568); the journal's calendar is Gregorian.
        QTest::newRow("Thai locale, Gregorian year")
            << QStringLiteral("Asia/Bangkok") << QStringLiteral("th_TH") << Style::wideMonthYear
            << QStringLiteral("มีนาคม 2025");
    }
    void stylesFollowTheLocale() {
        QFETCH(QString, zone);
        QFETCH(QString, locale);
        QFETCH(Style, style);
        QFETCH(QString, expected);
        const Calendar calendar(zone, locale);
        QCOMPARE(DateFormatting::formatUnremembered(tuesdayEvening, style, calendar), expected);
        QCOMPARE(DateFormatting::format(tuesdayEvening, style, calendar), expected);
        // The second call answers from memory; it must say the same.
        QCOMPARE(DateFormatting::format(tuesdayEvening, style, calendar), expected);
        QCOMPARE(DateFormatting::formatUnremembered(tuesdayEvening, style, calendar), expected);
    }

    void skeletonsUseTheLocalesBestPattern() {
        const Calendar us(u"America/New_York", u"en_US");
        const Calendar germany(u"Europe/Berlin", u"de_DE");
        QCOMPARE(DateFormatting::formatSkeleton(tuesdayEvening, u"yMMMd", us),
                 QStringLiteral("Mar 4, 2025"));
        // Not the same as the German medium date style ("04.03.2025").
        QCOMPARE(DateFormatting::formatSkeleton(tuesdayEvening, u"yMMMd", germany),
                 QStringLiteral("4. März 2025"));
        QCOMPARE(DateFormatting::formatSkeleton(tuesdayEvening, u"MMMMy", us),
                 DateFormatting::wideMonthYear(tuesdayEvening, us));
    }

    void remembersTextsPerCalendarNotAcrossThem() {
        // More calendars than the per-thread cache keeps, used in turns with the same instant:
        // each answer must belong to its own calendar.
        const QList<Calendar> calendars{
            Calendar(u"America/New_York", u"en_US"), Calendar(u"Australia/Sydney", u"en_US"),
            Calendar(u"Europe/Berlin", u"de_DE"),    Calendar(u"Europe/Paris", u"fr_FR"),
            Calendar(u"Europe/London", u"en_GB"),    Calendar(u"Asia/Tokyo", u"en_US")};
        const QStringList expected{
            QStringLiteral("Tuesday, March 4, 2025"), QStringLiteral("Wednesday, March 5, 2025"),
            QStringLiteral("Dienstag, 4. März 2025"), QStringLiteral("mardi 4 mars 2025"),
            QStringLiteral("Tuesday, 4 March 2025"),  QStringLiteral("Wednesday, March 5, 2025")};
        for (int round = 0; round < 3; ++round) {
            for (qsizetype index = 0; index < calendars.size(); ++index)
                QCOMPARE(DateFormatting::completeDate(tuesdayEvening, calendars[index]),
                         expected[index]);
        }
        // An equal calendar built separately shares the same answers.
        QCOMPARE(
            DateFormatting::completeDate(tuesdayEvening, Calendar(u"Australia/Sydney", u"en_US")),
            expected[1]);
    }

    void manyInstantsInTurnEachGetTheirOwnText() {
        // Checked against Qt's own time zone data and month names, independent of ICU.
        const Calendar calendar(u"America/New_York", u"en_US");
        const QTimeZone zone("America/New_York");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const qint64 first = tuesdayEvening.msecsSinceEpoch();
        for (int index = 0; index < 400; ++index) {
            // Steps of a day and seven hours cross clock changes and every hour of the day.
            const qint64 msecs = first + qint64(index) * (31 * 3600 * 1000);
            const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecs, zone);
            const Instant moment = Instant::fromMSecsSinceEpoch(msecs);
            QCOMPARE(DateFormatting::abbreviatedDate(moment, calendar),
                     english.toString(local.date(), u"MMM d, yyyy"));
            QCOMPARE(TextServices::withPlainSpaces(DateFormatting::shortTime(moment, calendar)),
                     english.toString(local.time(), u"h:mm AP"));
            // The previous instant again, in another style, between two new ones.
            if (index > 0) {
                const QDateTime previous = local.addSecs(-31 * 3600);
                QCOMPARE(DateFormatting::wideWeekday(
                             Instant::fromMSecsSinceEpoch(previous.toMSecsSinceEpoch()), calendar),
                         english.dayName(previous.date().dayOfWeek()));
            }
        }
    }

    void formattingWorksOnOtherThreads() {
        const Calendar calendar(u"Europe/Berlin", u"de_DE");
        QString fromThread;
        QThread* thread = QThread::create(
            [&] { fromThread = DateFormatting::completeDateShortTime(tuesdayEvening, calendar); });
        thread->start();
        QVERIFY(thread->wait(10000));
        delete thread;
        QCOMPARE(fromThread, QStringLiteral("Dienstag, 4. März 2025 um 21:15"));
    }

    void fixedPatternParsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: the text does not parse

        QTest::newRow("Jan 1, 2000") << QStringLiteral("Jan 1, 2000") << QDate(2000, 1, 1);
        QTest::newRow("lower-case month") << QStringLiteral("jan 1, 2000") << QDate(2000, 1, 1);
        QTest::newRow("Feb 30") << QStringLiteral("Feb 30, 2000") << QDate();
        QTest::newRow("Feb 29 of a common year") << QStringLiteral("Feb 29, 2001") << QDate();
        QTest::newRow("unknown month") << QStringLiteral("Foo 1, 2000") << QDate();
        QTest::newRow("German month") << QStringLiteral("Mär 1, 2000") << QDate();
        QTest::newRow("trailing text") << QStringLiteral("Jan 1, 2000x") << QDate();
        QTest::newRow("missing comma") << QStringLiteral("Jan 1 2000") << QDate();
    }
    void fixedPatternParsing() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto parsed = DateParsing::parse(text, u"MMM d, yyyy", u"en_US_POSIX");
        QCOMPARE(parsed.has_value(), date.isValid());
        if (parsed)
            QCOMPARE(*parsed, (DateComponents{date.year(), date.month(), date.day(), 0, 0, 0}));
    }

    void parsingIgnoresTheUsersZone() {
        // The same fields under any TZ: parsing reads civil fields, no instant in between.
        qputenv("TZ", "Pacific/Kiritimati");
        const auto parsed = DateParsing::parse(u"Dec 31, 2000", u"MMM d, yyyy", u"en_US_POSIX");
        qunsetenv("TZ");
        QVERIFY(parsed);
        QCOMPARE(*parsed, (DateComponents{2000, 12, 31, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestDateFormatting)
#include "tst_dateformatting.moc"
