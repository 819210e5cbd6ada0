// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVParser.h"
#include "support/RecordTestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

using ParserError = PracticeCSVParser::ParserError;

const Calendar newYork = newYorkCalendar();

// "month/day seconds group=seconds… !warning…": one line per candidate, written so that a
// failure shows what differs.
QString describe(const PracticeImportCandidate& candidate) {
    QString text = QString::number(candidate.month) + u'/' + QString::number(candidate.day) + u' ' +
                   QString::number(candidate.durationSeconds);
    for (const PracticeImportEntry& entry : candidate.entries)
        text += u' ' + entry.category.rawValue() + u'=' + QString::number(entry.durationSeconds);
    for (const PracticeImportWarning& warning : candidate.warnings) {
        switch (warning.warningCase()) {
        case PracticeImportWarning::Case::durationMismatch:
            text += u" !mismatch " + QString::number(warning.categorySeconds()) + u'/' +
                    QString::number(warning.totalSeconds());
            break;
        case PracticeImportWarning::Case::invalidFile:
            text += u" !invalid";
            break;
        case PracticeImportWarning::Case::notesWithoutDuration:
            text += u" !notes";
            break;
        case PracticeImportWarning::Case::missingYear:
            text += u" !year";
            break;
        case PracticeImportWarning::Case::unreadableDuration:
            text += u" !unread " + warning.text();
            break;
        }
    }
    return text;
}

QStringList describe(const std::vector<PracticeImportCandidate>& candidates) {
    QStringList lines;
    for (const PracticeImportCandidate& candidate : candidates)
        lines << describe(candidate);
    return lines;
}

// The sheet's fixed frame around `dayRows`: a title row, the group headings and subheadings.
QByteArray sheet(const QByteArray& dayRows) {
    return "Practice Log,,,,,,,,,,,,\n"
           ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
           "Day,,,,Practice notes,Time,,Practice notes,Time,,Practice notes,Time,Total\n" +
           dayRows;
}

PracticeImportFileResult parsed(const QByteArray& bytes,
                                const QString& filename = u"Log March 2024.csv"_s) {
    return PracticeCSVParser::parse(bytes, filename, newYork);
}

std::optional<ParserError::Case> layoutFailure(const QByteArray& bytes, QString* detail) {
    try {
        parsed(bytes);
    } catch (const ParserError& error) {
        *detail = error.detail();
        return error.errorCase();
    }
    return std::nullopt;
}

} // namespace

class TestPracticeCSVParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodedTextRemovesOneLeadingByteOrderMark_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QByteArray("Day,Notes") << u"Day,Notes"_s;
        QTest::newRow("leading") << QByteArray("\xEF\xBB\xBF"
                                               "Day,Notes")
                                 << u"Day,Notes"_s;
        QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("mark then overlong, refused")
            << QByteArray("\xEF\xBB\xBF\xC0\xAF") << u"The file is not valid UTF-8."_s;
    }
    void decodedTextRemovesOneLeadingByteOrderMark() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        try {
            QCOMPARE(PracticeCSVParser::decodedText(bytes), expected);
        } catch (const ParserError& error) {
            QCOMPARE(error.errorCase(), ParserError::Case::invalidUTF8);
            QVERIFY(error.description().startsWith(expected));
        }
    }

    void fixturesParse_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("skippedRows");

        QTest::newRow("ordinary month, rest days skipped")
            << u"Practice Log March 2024.csv"_s
            << QStringList{u"3/1 2700 haveFun=1200 lookBack=900 lookForward=600"_s,
                           u"3/2 600 haveFun=600"_s,
                           u"3/4 3300 haveFun=1500 lookBack=900 lookForward=900"_s,
                           u"3/5 3900 haveFun=1800 lookBack=1200 lookForward=900"_s,
                           u"3/6 1800 lookBack=1200 lookForward=600"_s,
                           u"3/8 3300 haveFun=1800 lookBack=600 lookForward=900"_s,
                           u"3/10 4500 haveFun=2400 lookBack=900 lookForward=1200"_s,
                           u"3/12 2400 haveFun=1200 lookBack=600 lookForward=600"_s}
            << 2;
        QTest::newRow("byte-order mark and CR LF")
            << u"Practice Log April 2024.csv"_s
            << QStringList{u"4/1 2400 haveFun=900 lookBack=900 lookForward=600"_s,
                           u"4/2 1200 lookBack=1200"_s,
                           u"4/3 3000 haveFun=1200 lookBack=600 lookForward=1200"_s,
                           u"4/5 3600 haveFun=2700 lookForward=900"_s, u"4/7 600 lookBack=600"_s}
            << 1;
        QTest::newRow("quoted notes")
            << u"Practice Log June 2024.csv"_s
            << QStringList{u"6/3 3300 haveFun=1200 lookBack=900 lookForward=1200"_s,
                           u"6/4 3000 haveFun=1500 lookBack=900 lookForward=600"_s,
                           u"6/5 2400 haveFun=1800 lookBack=600"_s,
                           u"6/6 2100 lookBack=900 lookForward=1200"_s}
            << 0;
    }
    void fixturesParse() {
        QFETCH(QString, file);
        QFETCH(QStringList, days);
        QFETCH(int, skippedRows);

        const PracticeImportFileResult result =
            PracticeCSVParser::parse(fixture(file), file, newYork);
        QCOMPARE(result.filename, file);
        QCOMPARE(describe(result.candidates), days);
        QCOMPARE(result.skippedRows, skippedRows);
        QVERIFY(!result.error);
        const std::optional<int> year = PracticeCSVParser::year(file);
        QList<QUuid> ids;
        for (const PracticeImportCandidate& candidate : result.candidates) {
            QCOMPARE(candidate.sourceFilename, file);
            QCOMPARE(candidate.year, year);
            ids << candidate.id;
            for (const PracticeImportEntry& entry : candidate.entries)
                ids << entry.id;
        }
        QCOMPARE(QSet<QUuid>(ids.begin(), ids.end()).size(), ids.size());
    }

    void fixturesRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("description");
        QTest::newRow("Windows-1252")
            << u"Practice Log December 2024.csv"_s
            << ParserError::invalidUTF8(
                   ParserError::encodingDetail(ImportTextFormat::Encoding::windows1252))
                   .description();
        const QString layout =
            u"This file does not appear to use the supported Brevanta spreadsheet format. "_s;
        QTest::newRow("headings one column off")
            << u"Practice Log January 2023.csv"_s
            << layout + u"Expected Have Fun, Look Back, and Look Forward category headings "
                        u"were not found in their usual columns."_s;
        QTest::newRow("no subheadings")
            << u"Practice Log March 2023.csv"_s
            << layout + u"The category subheadings are missing or out of position."_s;
    }
    void fixturesRefused() {
        QFETCH(QString, file);
        QFETCH(QString, description);
        try {
            PracticeCSVParser::parse(fixture(file), file, newYork);
            QFAIL("the file was parsed");
        } catch (const ParserError& error) {
            QCOMPARE(error.description(), description);
        }
    }

    void titlesAreCellsTrimmedWithTheirInnerText() {
        const PracticeImportFileResult june =
            parsed(fixture(u"Practice Log June 2024.csv"_s), u"Practice Log June 2024.csv"_s);
        QCOMPARE(june.candidates.size(), 4u);
        const auto titles = [&](std::size_t index) {
            QStringList list;
            for (const PracticeImportEntry& entry : june.candidates[index].entries)
                list << entry.title;
            return list;
        };
        QCOMPARE(titles(0),
                 (QStringList{u"Jammed \"Sweet Child\" style riff, then a 12-bar shuffle in A"_s,
                              u"Scales: C major, G major, D major"_s,
                              u"New song: verse, chorus, bridge"_s}));
        QCOMPARE(titles(1), (QStringList{u"\"Free\" improvisation 🎸 with the looper"_s,
                                         u"Chord changes:\nG → Em\nC → D"_s,
                                         u"Sweep arpeggios, \"slow is smooth\""_s}));
        QCOMPARE(titles(2).first(), u"Campfire medley, with capo"_s);

        const PracticeImportFileResult march =
            parsed(fixture(u"Practice Log March 2024.csv"_s), u"Practice Log March 2024.csv"_s);
        QCOMPARE(march.candidates[3].entries[2].title,
                 u"E\u0301tudes by Carcassi no. 1, first line"_s);
        QCOMPARE(march.candidates[3].summary(),
                 u"Greensleeves, whole piece slowly \u00B7 Barre F and Bm, clean ringing"_s);
    }

    void layoutIsFoundOrRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("failure"); // -1: parses
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("candidates");

        const int parses = -1;
        const int layout = int(ParserError::Case::unsupportedLayout);
        const QString headings = ParserError::headingsNotFoundDetail();
        const QString subheadings = ParserError::subheadingsMissingDetail();
        QTest::newRow("header after title rows")
            << sheet("Mar 1,,,,Scales,0:10,,,,,,,0:10\n") << parses << QString() << 1;
        QTest::newRow("no header at all")
            << QByteArray("Day,Notes\nMar 1,Scales\n") << layout << headings << 0;
        QTest::newRow("empty file") << QByteArray() << layout << headings << 0;
        QTest::newRow("headings one column left")
            << QByteArray(",,,Have Fun,,,Look Back,,,Look Forward,,\n") << layout << headings << 0;
        QTest::newRow("header is the last row")
            << QByteArray(",,,,Have Fun,,,Look Back,,,Look Forward,,\n") << layout << subheadings
            << 0;
        QTest::newRow("day row right under the header")
            << QByteArray(",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                          "Mar 1,,,,Practice,0:10,,,,,,,0:10\n")
            << layout << subheadings << 0;
        QTest::newRow("subheadings are the last row")
            << sheet(QByteArray()) << parses << QString() << 0;
        // Only the first header counts; a second one below is an ordinary row.
        QTest::newRow("second header row is skipped")
            << sheet(",,,,Have Fun,,,Look Back,,,Look Forward,,\nMar 2,,,,,,,,,,,,0:30\n") << parses
            << QString() << 1;
    }
    void layoutIsFoundOrRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, failure);
        QFETCH(QString, detail);
        QFETCH(int, candidates);
        if (failure < 0) {
            const PracticeImportFileResult result = parsed(bytes);
            QCOMPARE(int(result.candidates.size()), candidates);
        } else {
            QString actualDetail;
            const auto actual = layoutFailure(bytes, &actualDetail);
            QVERIFY(actual);
            QCOMPARE(int(*actual), failure);
            QCOMPARE(actualDetail, detail);
        }
    }

    void rowsBecomeDaysOrSkippedRows_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("skippedRows");

        const QString in2024 = u"Log March 2024.csv"_s;
        QTest::newRow("day cells that are not days")
            << QByteArray("\"March 5, 2024\",,,,A,0:10\n5 Mar,,,,A,0:10\nMar,,,,A,0:10\n"
                          "Mar 5th,,,,A,0:10\nMar 0,,,,A,0:10\nMar 32,,,,A,0:10\n")
            << in2024 << QStringList() << 6;
        QTest::newRow("a stray note counts as skipped")
            << QByteArray(",remember the capo\nMar 1,,,,A,0:10\n") << in2024
            << QStringList{u"3/1 600 haveFun=600"_s} << 1;
        QTest::newRow("a day with nothing in it is skipped")
            << QByteArray("Mar 1,good,Strat,,,,,,,,,,\nMar 2,,,,,0:00,,,,,,,0:00\n") << in2024
            << QStringList() << 2;
        QTest::newRow("title without time and time without title")
            << QByteArray("Mar 1,,,,Scales,,,,0:20,,,,0:20\n") << in2024
            << QStringList{u"3/1 1200 haveFun=0 lookBack=1200"_s} << 0;
        QTest::newRow("group times win over a disagreeing total")
            << QByteArray("Mar 1,,,,A,0:30,,B,0:45,,,,1:00\n") << in2024
            << QStringList{u"3/1 4500 haveFun=1800 lookBack=2700 !mismatch 4500/3600"_s} << 0;
        QTest::newRow("notes only")
            << QByteArray("Mar 1,,,,A,,,B,nonsense,,C,1:60,\n") << in2024
            << QStringList{u"3/1 0 haveFun=0 lookBack=0 lookForward=0 !unread nonsense !unread 1:60"_s}
            << 0;
        QTest::newRow("notes and an unreadable total")
            << QByteArray("Mar 1,,,,A,,,,,,,,90\n") << in2024
            << QStringList{u"3/1 0 haveFun=0 !unread 90"_s} << 0;
        QTest::newRow("totals row stops, whatever follows")
            << QByteArray("Mar 1,,,,A,0:10\nTOTALS for March,,,,,0:10\nMar 2,,,,B,0:10\n"
                          "stray\n")
            << in2024 << QStringList{u"3/1 600 haveFun=600"_s} << 0;
        QTest::newRow("Feb 29 of a common year")
            << QByteArray("Feb 29,,,,A,0:10\n") << u"2023.csv"_s << QStringList() << 1;
        QTest::newRow("Feb 29 of a leap year") << QByteArray("Feb 29,,,,A,0:10\n") << u"2024.csv"_s
                                               << QStringList{u"2/29 600 haveFun=600"_s} << 0;
        QTest::newRow("Feb 30 without a year waits for one")
            << QByteArray("Feb 30,,,,A,0:10\n") << u"February.csv"_s
            << QStringList{u"2/30 600 haveFun=600 !year"_s} << 0;
        // No real sheet comes near these; they must not overflow.
        QTest::newRow("times that cannot be added up")
            << QByteArray("Mar 1,,,,A,2562047788015215:00,,B,2562047788015215:00\n") << in2024
            << QStringList() << 1;
        QTest::newRow("time too large for seconds")
            << QByteArray("Mar 1,,,,A,9223372036854775807:00,,,,,,,0:10\n") << in2024
            << QStringList{u"3/1 600 haveFun=0 !unread 9223372036854775807:00"_s} << 0;
    }
    void rowsBecomeDaysOrSkippedRows() {
        QFETCH(QByteArray, rows);
        QFETCH(QString, filename);
        QFETCH(QStringList, days);
        QFETCH(int, skippedRows);
        const PracticeImportFileResult result = parsed(sheet(rows), filename);
        QCOMPARE(describe(result.candidates), days);
        QCOMPARE(result.skippedRows, skippedRows);
    }

    void monthAndDayOfDayCells_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("month"); // 0: none
        QTest::addColumn<int>("day");

        QTest::newRow("weekday, month and day") << u"Monday, Jan 5"_s << 1 << 5;
        QTest::newRow("month and day") << u"Jan 5"_s << 1 << 5;
        QTest::newRow("signed and padded day") << u"Jan +05"_s << 1 << 5;
        QTest::newRow("no-break space") << u"Jan\u00A05"_s << 1 << 5;
        QTest::newRow("Feb 29 without a year") << u"Feb 29"_s << 2 << 29;
        QTest::newRow("Feb 30 waits for a year") << u"Feb 30"_s << 2 << 30;
        QTest::newRow("year in the cell") << u"Jan 5, 2024"_s << 0 << 0;
        QTest::newRow("day first") << u"5 Jan"_s << 0 << 0;
        QTest::newRow("month alone") << u"Jan"_s << 0 << 0;
        QTest::newRow("ordinal") << u"Jan 5th"_s << 0 << 0;
        QTest::newRow("day 32") << u"Jan 32"_s << 0 << 0;
        QTest::newRow("day too large for any integer") << u"Jan 99999999999999999999"_s << 0 << 0;
        QTest::newRow("Arabic-Indic day") << u"Jan \u0665"_s << 0 << 0;
        QTest::newRow("unknown month") << u"Foo 5"_s << 0 << 0;
        QTest::newRow("second comma stays in the piece") << u"Monday,,Jan 5"_s << 0 << 0;
        // A comma carrying a combining mark is not a comma of its own.
        QTest::newRow("comma with a combining mark") << u"Monday,\u0301 Jan 5"_s << 0 << 0;
        QTest::newRow("empty") << QString() << 0 << 0;
    }
    void monthAndDayOfDayCells() {
        QFETCH(QString, cell);
        QFETCH(int, month);
        QFETCH(int, day);
        const auto result = PracticeCSVParser::monthAndDay(cell);
        if (month == 0) {
            QVERIFY2(!result, qPrintable(QString::number(result ? result->month : 0)));
        } else {
            QVERIFY(result);
            QCOMPARE(result->month, month);
            QCOMPARE(result->day, day);
        }
    }

    void durationOfTimeCells_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<qint64>("seconds");

        QTest::newRow("1:30") << u"1:30"_s << qint64(5400);
        QTest::newRow("01:5") << u"01:5"_s << qint64(3900);
        QTest::newRow("surrounding white space") << u" 1:30\t"_s << qint64(5400);
        QTest::newRow("signed hours") << u"+1:30"_s << qint64(5400);
        QTest::newRow("minutes only") << u"90"_s << qint64(0);
        QTest::newRow("seconds field") << u"1:30:00"_s << qint64(0);
        QTest::newRow("60 minutes") << u"1:60"_s << qint64(0);
        QTest::newRow("no hours") << u":30"_s << qint64(0);
        QTest::newRow("inner space") << u"1: 30"_s << qint64(0);
        QTest::newRow("full-width digits") << u"\uFF11:30"_s << qint64(0);
        QTest::newRow("empty") << QString() << qint64(0);
        QTest::newRow("largest whole")
            << u"2562047788015215:00"_s << qint64(2562047788015215) * 3600;
        QTest::newRow("too large") << u"2562047788015216:00"_s << qint64(0);
    }
    void durationOfTimeCells() {
        QFETCH(QString, cell);
        QFETCH(qint64, seconds);
        QCOMPARE(PracticeCSVParser::duration(cell), seconds);
    }

    void yearOfFilenames_data() {
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("year"); // -1: none

        QTest::newRow("month and year") << u"Practice log March 2024.csv"_s << 2024;
        QTest::newRow("year and month number") << u"2023-05.csv"_s << 2023;
        QTest::newRow("no digits") << u"March.csv"_s << -1;
        QTest::newRow("the first of two") << u"2024 copy of 2023.csv"_s << 2024;
        QTest::newRow("five then four") << u"12345 2022.csv"_s << 2022;
        QTest::newRow("not range checked") << u"0042.csv"_s << 42;
        // Digits of other scripts are digits to the pattern but not a number to read.
        QTest::newRow("Arabic-Indic year") << u"\u0662\u0660\u0662\u0664.csv"_s << -1;
        QTest::newRow("Arabic-Indic digit before") << u"\u06612024.csv"_s << -1;
    }
    void yearOfFilenames() {
        QFETCH(QString, filename);
        QFETCH(int, year);
        const std::optional<int> found = PracticeCSVParser::year(filename);
        QCOMPARE(found.value_or(-1), year);
    }

    void summaryJoinsTheFirstTwoTitles_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("summary");
        QTest::newRow("no entries") << QStringList() << u"Practice Session"_s;
        QTest::newRow("empty first") << QStringList{QString(), u"Scales"_s, u"Etudes and more"_s}
                                     << u"Scales · Etudes and more"_s;
        QTest::newRow("three titles") << QStringList{u"A"_s, u"B"_s, u"C"_s} << u"A · B"_s;
    }
    void summaryJoinsTheFirstTwoTitles() {
        QFETCH(QStringList, titles);
        QFETCH(QString, summary);
        PracticeImportCandidate candidate;
        for (const QString& title : titles)
            candidate.entries.push_back({QUuid::createUuid(), PracticeCategory::haveFun, title, 0});
        QCOMPARE(candidate.summary(), summary);
    }

    void dateIsNoonOfAnExistingDay_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("year"); // 0: none
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDateTime>("expected"); // invalid: no date

        const QString newYork = u"America/New_York"_s;
        QTest::newRow("winter") << newYork << 2024 << 1 << 5
                                << QDateTime(QDate(2024, 1, 5), QTime(17, 0), Qt::UTC);
        QTest::newRow("spring-forward day")
            << newYork << 2024 << 3 << 10 << QDateTime(QDate(2024, 3, 10), QTime(16, 0), Qt::UTC);
        QTest::newRow("leap day") << newYork << 2024 << 2 << 29
                                  << QDateTime(QDate(2024, 2, 29), QTime(17, 0), Qt::UTC);
        QTest::newRow("Feb 29 of a common year") << newYork << 2023 << 2 << 29 << QDateTime();
        QTest::newRow("no year") << newYork << 0 << 1 << 5 << QDateTime();
        // Samoa skipped 30 December 2011 when it moved across the date line.
        QTest::newRow("a day the zone skipped")
            << u"Pacific/Apia"_s << 2011 << 12 << 30 << QDateTime();
        QTest::newRow("the day after it") << u"Pacific/Apia"_s << 2011 << 12 << 31
                                          << QDateTime(QDate(2011, 12, 30), QTime(22, 0), Qt::UTC);
    }
    void dateIsNoonOfAnExistingDay() {
        QFETCH(QString, zone);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDateTime, expected);
        PracticeImportCandidate candidate;
        if (year != 0)
            candidate.year = year;
        candidate.month = month;
        candidate.day = day;
        const std::optional<Instant> date = candidate.date(Calendar(zone, u"en_US"));
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(date->msecsSinceEpoch(), expected.toMSecsSinceEpoch());
    }

    void warningMessages_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("message");
        QTest::newRow("mismatch") << 0
                                  << u"Category time (1h 15m) differs from the daily total (1h)."_s;
        QTest::newRow("mismatch in minutes")
            << 1 << u"Category time (35 min) differs from the daily total (40 min)."_s;
        QTest::newRow("invalid file") << 4 << u"Could not read it."_s;
    }
    void warningMessages() {
        QFETCH(int, index);
        QFETCH(QString, message);
        const PracticeImportWarning warnings[] = {
            PracticeImportWarning::durationMismatch(4500, 3600),
            PracticeImportWarning::durationMismatch(2100, 2400),
            PracticeImportWarning::notesWithoutDuration(), PracticeImportWarning::missingYear(),
            PracticeImportWarning::invalidFile(u"Could not read it."_s)};
        QCOMPARE(warnings[index].message(), message);
    }
};

QTEST_GUILESS_MAIN(TestPracticeCSVParser)
#include "tst_practicecsvparser.moc"
