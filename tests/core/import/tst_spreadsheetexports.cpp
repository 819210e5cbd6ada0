// SPDX-License-Identifier: MIT
// Sheets typed into a real spreadsheet and exported by it, read as they stand and with the option
// that reads what the spreadsheet rewrote.
#include "core/import/ImportTextFormat.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/SpreadsheetCells.h"
#include "support/RecordTestSupport.h"

#include <QFile>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;
using ParserError = PracticeCSVParser::ParserError;
using Separator = ImportTextFormat::Separator;
using Encoding = ImportTextFormat::Encoding;

namespace {

const QString typed = u"Practice Log April 2026 typed [explicit].csv"_s;
const QString semicolon = u"Practice Log April 2026 typed [semicolon].csv"_s;
const QString utf16 = u"Practice Log April 2026 typed [utf16].csv"_s;
const QString textcols = u"Practice Log April 2026 textcols [explicit].csv"_s;
const QString formatted = u"Practice Log April 2026 formatted [explicit].csv"_s;
const QString roundtrip = u"Practice Log January 2025 [roundtrip-plain].csv"_s;

// Days as "month/day year minutes" and the warnings' messages.
struct Reading {
    QStringList days;
    std::int64_t minutes = 0;
    std::int64_t skipped = 0;
    QStringList warnings;
    SpreadsheetFormatSummary format;
};

Reading read(const QByteArray& bytes, const QString& filename, bool option) {
    const PracticeImportFileResult result =
        PracticeCSVParser::parse(bytes, filename, newYorkCalendar(), {option});
    Reading reading{{}, 0, result.skippedRows, {}, result.spreadsheetFormat};
    for (const PracticeImportCandidate& candidate : result.candidates) {
        reading.days << u"%1/%2 %3 %4"_s.arg(candidate.month)
                            .arg(candidate.day)
                            .arg(candidate.year.value_or(0))
                            .arg(candidate.durationSeconds / 60);
        reading.minutes += candidate.durationSeconds / 60;
        for (const PracticeImportWarning& warning : candidate.warnings)
            reading.warnings << warning.message();
    }
    return reading;
}

const QStringList typedApril{u"4/1 2026 65"_s,  u"4/2 2026 45"_s, u"4/3 2026 15"_s,
                             u"4/5 2026 130"_s, u"4/7 2026 30"_s, u"4/8 2026 120"_s,
                             u"4/9 2026 45"_s};

} // namespace

class TestSpreadsheetExports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numericDates_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("placedDay"); // 0: not placed in the month
        QTest::newRow("US short year") << u"04/01/26"_s << 4 << 1;
        QTest::newRow("US, day first reading is January") << u"4/1/2026"_s << 1 << 4;
        QTest::newRow("same either way") << u"04/04/26"_s << 4 << 4;
        QTest::newRow("day first only") << u"13/04/2026"_s << 4 << 13;
        QTest::newRow("dots") << u"1.4.2026"_s << 4 << 1;
        QTest::newRow("year first") << u" 2026-04-01 "_s << 4 << 1;
        QTest::newRow("year first, other month") << u"2026-01-04"_s << 4 << 0;
        QTest::newRow("neither in the month") << u"01/02/26"_s << 4 << 0;
    }
    void numericDates() {
        QFETCH(QString, cell);
        QFETCH(int, month);
        QFETCH(int, placedDay);
        const auto date = SpreadsheetCells::numericDate(cell);
        QVERIFY(date);
        const auto placed = SpreadsheetCells::placedInMonth(*date, month);
        QCOMPARE(placed ? placed->day : 0, placedDay);
        if (placed)
            QCOMPARE(placed->month, month);
    }

    void notNumericDates_data() {
        QTest::addColumn<QString>("cell");
        for (const QString& cell : {u"Apr 1"_s, u"4/1"_s, u"13/13/26"_s, u"04/01/260"_s,
                                    u"4-1-2026"_s, u"04/01.26"_s, u"٠٤/٠١/٢٦"_s, u""_s})
            QTest::addRow("'%s'", qUtf8Printable(cell)) << cell;
    }
    void notNumericDates() {
        QFETCH(QString, cell);
        QVERIFY(!SpreadsheetCells::numericDate(cell));
    }

    void spreadsheetTimes_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<qint64>("seconds"); // -1: recognised but not whole minutes; -2: not a time
        QTest::newRow("midnight hour") << u"12:30:00 AM"_s << qint64(1800);
        QTest::newRow("morning") << u"01:05:00 AM"_s << qint64(3900);
        QTest::newRow("noon hour") << u"12:25:00 PM"_s << qint64(12 * 3600 + 1500);
        QTest::newRow("afternoon, lower case, no seconds")
            << u"1:30 pm"_s << qint64(13 * 3600 + 1800);
        QTest::newRow("narrow no-break space") << u"12:15:00\u202FAM"_s << qint64(900);
        QTest::newRow("duration") << u"02:00:00"_s << qint64(7200);
        QTest::newRow("over a day") << u"25:30:00"_s << qint64(25 * 3600 + 1800);
        QTest::newRow("seconds") << u"0:30:15"_s << qint64(-1);
        QTest::newRow("day fraction") << u"0.0208333"_s << qint64(1800);
        QTest::newRow("fraction rounds") << u".0104"_s << qint64(900);
        QTest::newRow("decimal comma") << u"0,5"_s << qint64(12 * 3600);
        QTest::newRow("hour 13 with PM") << u"13:00:00 PM"_s << qint64(-2);
        QTest::newRow("glued meridiem") << u"1:30:00AM"_s << qint64(-2);
        QTest::newRow("minutes 60") << u"1:60:00"_s << qint64(-2);
        QTest::newRow("hours:minutes") << u"1:30"_s << qint64(-2);
        QTest::newRow("whole number") << u"1"_s << qint64(-2);
        QTest::newRow("over a day as a number") << u"1.5"_s << qint64(-2);
        QTest::newRow("formula") << u"=SUM(F6:F14)"_s << qint64(-2);
    }
    void spreadsheetTimes() {
        QFETCH(QString, cell);
        QFETCH(qint64, seconds);
        const auto time = SpreadsheetCells::spreadsheetTime(cell);
        QCOMPARE(!time ? -2 : time->seconds.value_or(-1), seconds);
        // The sheet's own time grammar is unchanged.
        if (cell != u"1:30"_s)
            QCOMPARE(PracticeCSVParser::duration(cell), qint64(0));
    }

    void monthsInFileNames_data() {
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("month"); // 0: none
        QTest::newRow("written out") << u"Practice Log April 2026 typed [explicit].csv"_s << 4;
        QTest::newRow("abbreviated") << u"log-sept-2025.csv"_s << 9;
        QTest::newRow("two names of one month") << u"Dec December.csv"_s << 12;
        QTest::newRow("two months") << u"January-February 2025.csv"_s << 0;
        QTest::newRow("inside a word") << u"Marching band 2025.csv"_s << 0;
        QTest::newRow("none") << u"2025-04.csv"_s << 0;
    }
    void monthsInFileNames() {
        QFETCH(QString, filename);
        QFETCH(int, month);
        QCOMPARE(SpreadsheetCells::monthInFilename(filename).value_or(0), month);
    }

    void exportsAsTheyStand() {
        // The typed sheet: only the two day cells that stayed text give days, and their times,
        // written as clock times, are said to be unreadable rather than missing.
        const Reading april = read(fixture(typed), typed, false);
        QCOMPARE(april.days, (QStringList{u"4/2 2026 0"_s, u"4/7 2026 0"_s}));
        QCOMPARE(april.skipped, 6);
        QCOMPARE(april.warnings,
                 (QStringList{u"Look Back time \u201c12:20:00 AM\u201d could not be read as hours "
                              u"and minutes."_s,
                              u"Look Forward time \u201c12:25:00 AM\u201d could not be read as "
                              u"hours and minutes."_s,
                              u"The daily total \u201c12:45:00 AM\u201d could not be read as "
                              u"hours and minutes."_s,
                              u"Look Back time \u201c12:30:00 AM\u201d could not be read as hours "
                              u"and minutes."_s,
                              u"The daily total \u201c12:30:00 AM\u201d could not be read as "
                              u"hours and minutes."_s}));
        QCOMPARE(april.format.days, 8);
        QCOMPARE(april.format.dateCells, 6);
        QCOMPARE(april.format.timeCells, 21);
        QCOMPARE(april.format.findings(),
                 u"8 days have dates such as 04/01/26 and times such as 12:30:00 AM that the "
                 u"spreadsheet reformatted."_s);

        const Reading january = read(fixture(roundtrip), roundtrip, false);
        QVERIFY(january.days.isEmpty());
        QCOMPARE(january.skipped, 22);
        QCOMPARE(january.format.findings(),
                 u"22 days have dates such as 01/02/26 and times such as 12:20:00 AM that the "
                 u"spreadsheet reformatted."_s);

        // Sheets exported as typed read in full and need no card; formula totals are named.
        for (const QString& name : {textcols, formatted}) {
            const Reading fine = read(fixture(name), name, false);
            QCOMPARE(fine.days, typedApril);
            QCOMPARE(fine.skipped, 1);
            QVERIFY(!fine.format.isAffected());
            QCOMPARE(read(fixture(name), name, true).days, typedApril);
        }
        QCOMPARE(read(fixture(textcols), textcols, false).warnings,
                 (QStringList{u"The daily total \u201c=F13+I13+L13\u201d could not be read as "
                              u"hours and minutes."_s,
                              u"The daily total \u201c=SUM(F14:L14)\u201d could not be read as "
                              u"hours and minutes."_s}));
    }

    void exportsReadWithTheOption() {
        for (const QString& name : {typed, semicolon, utf16}) {
            const Reading april = read(fixture(name), name, true);
            QCOMPARE(april.days, typedApril);
            QCOMPARE(april.minutes, 7 * 60 + 30);
            QCOMPARE(april.skipped, 1); // the rest day
            QVERIFY(april.warnings.isEmpty());
            QCOMPARE(april.format.days, 8);
        }
        QCOMPARE(read(fixture(semicolon), semicolon, true).format.separator, Separator::semicolon);
        QCOMPARE(read(fixture(utf16), utf16, true).format.encoding, Encoding::utf16);

        // The spreadsheet stamped 2026 on a 2025 sheet; the file name's year wins.
        const Reading january = read(fixture(roundtrip), roundtrip, true);
        QCOMPARE(january.days.size(), 22);
        QVERIFY(january.days.first().startsWith(u"1/2 2025 "_s));
        QVERIFY(january.days.last().startsWith(u"1/31 2025 "_s));
        QCOMPARE(january.minutes, 12 * 60 + 25);
        QVERIFY(january.warnings.isEmpty());
    }

    void refusedFilesSayWhatToChoose_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("readable");
        const QString layout = u"This file does not appear to use the supported Brevanta "
                               u"spreadsheet format. "_s;
        QTest::newRow("semicolons")
            << fixture(semicolon)
            << layout + u"Its fields are separated by semicolons. When exporting, choose a comma "
                        u"as the field separator, or switch on \u201cRead spreadsheet dates and "
                        u"times\u201d for this file."_s
            << true;
        QByteArray tabs = fixture(semicolon);
        tabs.replace(';', '\t');
        QTest::newRow("tabs") << tabs << layout + ParserError::separatorDetail(Separator::tab)
                              << true;
        QTest::newRow("UTF-16")
            << fixture(utf16)
            << u"The file is not valid UTF-8. It is saved as UTF-16. When exporting, choose UTF-8 "
               u"as the character set."_s
            << true;
        // Without a byte-order mark UTF-16 is recognised but not read.
        QTest::newRow("UTF-16 without mark")
            << fixture(utf16).sliced(2)
            << ParserError::invalidUTF8(ParserError::encodingDetail(Encoding::utf16)).description()
            << false;
    }
    void refusedFilesSayWhatToChoose() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, description);
        QFETCH(bool, readable);
        try {
            PracticeCSVParser::parse(bytes, typed, newYorkCalendar());
            QFAIL("the file was read without the option");
        } catch (const ParserError& error) {
            QCOMPARE(error.description(), description);
            QCOMPARE(error.spreadsheetFormat().isAffected(), readable);
        }
        if (readable)
            QCOMPARE(read(bytes, typed, true).minutes, 7 * 60 + 30);
    }

    void sheetMonthFromTextDays() {
        // No month in the name: the day cells still written out give it; with none, the
        // rewritten dates cannot be placed and their rows are skipped with that reason.
        const QByteArray frame = ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                                 ",,,,Practice notes,Time,,Practice notes,Time,,Practice notes,"
                                 "Time,Total\n";
        const QByteArray withText = frame + "\"Fri, Jul 4\",,,,Scales,0:20\n"
                                            "07/05/25,,,,Riffs,12:30:00 AM\n"
                                            "08/05/25,,,,Chords,12:10:00 AM\n";
        const Reading july = read(withText, u"Log 2025.csv"_s, true);
        QCOMPARE(july.days, (QStringList{u"7/4 2025 20"_s, u"7/5 2025 30"_s}));
        QCOMPARE(july.format.unplacedDates, 1);
        QCOMPARE(july.format.unplacedDatesText(),
                 u"1 row was skipped: dates such as 08/05/25 do not fall in the sheet\u2019s "
                 u"month."_s);

        const Reading unknown = read(frame + "07/05/25,,,,Riffs,12:30:00 AM\n", u"Log.csv"_s, true);
        QVERIFY(unknown.days.isEmpty());
        QCOMPARE(unknown.skipped, 1);
        QVERIFY(!unknown.format.sheetMonthKnown);
        QVERIFY(unknown.format.unplacedDatesText().contains(u"month is not known"_s));

        // Without a year in the name the days wait for one, whatever year the cells carry.
        const Reading noYear = read(fixture(typed), u"Practice Log April.csv"_s, true);
        QCOMPARE(noYear.days.size(), 7);
        QVERIFY(noYear.days.first().startsWith(u"4/1 0 "_s));
    }

    void separatorsKeepQuotedText() {
        const QString text = u"a;\"b;c\",d\t\"e\nf\";g"_s;
        QCOMPARE(ImportTextFormat::rows(text, Separator::semicolon),
                 (QList<QStringList>{{u"a"_s, u"b;c,d\te\nf"_s, u"g"_s}}));
        QCOMPARE(ImportTextFormat::rows(text, Separator::tab),
                 (QList<QStringList>{{u"a;b;c,d"_s, u"e\nf;g"_s}}));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetExports)
#include "tst_spreadsheetexports.moc"
