// SPDX-License-Identifier: MIT
#include "core/import/CSVReader.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/PracticeImportFileLoader.h"
#include "core/model/PracticeEntry.h"
#include "support/RecordTestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

using Rows = QList<QStringList>;

namespace {

const QByteArray headings = ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                            ",,,,Practice notes,,,Practice notes,,,Practice notes,,\n";

} // namespace

/// Files built to exhaust the importer: rows read one at a time, the columns past the sheet's
/// run into one field, pipes and devices refused unopened, NUL kept out of records.
class TestHostileImportFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsOneAtATime() {
        Rows visited;
        CSVReader::forEachRow(u"a,\"x,y\",z\n\r\nb"_s, 2, [&visited](const QStringList& row) {
            visited.append(row);
            return row.first() != u""_s; // stops after the blank line
        });
        // Fields past the last column run together; quoted commas there are text.
        QCOMPARE(visited, (Rows{{u"a"_s, u"x,yz"_s}, {QString()}}));
    }

    // The parser keeps fourteen columns; what lies past them still tells a blank row from a
    // stray note, and never a day's values.
    void textPastTheSheetsColumns_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("skippedRows");
        QTest::newRow("a note far out") << QByteArray(",,,,,,,,,,,,,,,,,,,,stray\n") << 0 << 1;
        QTest::newRow("a day with text far out")
            << QByteArray("Mar 1,,,,A,0:10,,,,,,,0:10,,,,,,,,,x,y\n,,,,,,,,,,,,,,,, \t,,\n") << 1
            << 0;
    }
    void textPastTheSheetsColumns() {
        QFETCH(QByteArray, rows);
        QFETCH(int, days);
        QFETCH(int, skippedRows);
        const PracticeImportFileResult result = PracticeCSVParser::parse(
            QByteArray(headings + rows), u"Log 2024.csv"_s, newYorkCalendar());
        QCOMPARE(int(result.candidates.size()), days);
        QCOMPARE(result.skippedRows, skippedRows);
    }

    void pipesAndDevicesAreRefusedAtOnce() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // Opening a pipe nobody writes to would wait for ever.
        const QString pipe = folder.filePath(u"Practice 2024.csv"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const QString& path : {pipe, u"/dev/zero"_s}) {
            const PracticeImportFileResult result =
                PracticeImportFileLoader::load(path, newYorkCalendar());
            QCOMPARE(result.error, PracticeImportFileLoader::notAFileMessage());
            QCOMPARE(result.filename, QFileInfo(path).fileName());
        }
    }

    void nulCharactersAreNotStored() {
        const auto entry = PracticeEntry::create(
            QUuid::createUuid(), u"Sca\0les\0"_s, PracticeCategory::haveFun, 60, u"slow\0ly"_s, 0,
            nullptr, Instant::fromSecsSinceEpoch(1'700'000'000));
        QCOMPARE(entry->title(), u"Scales"_s);
        QCOMPARE(entry->notes(), u"slowly"_s);
    }
};

QTEST_GUILESS_MAIN(TestHostileImportFiles)
#include "tst_hostileimportfiles.moc"
