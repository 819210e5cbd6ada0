// SPDX-License-Identifier: MIT
#include "core/import/CSVReader.h"
#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/PracticeImportFileLoader.h"
#include "core/store/JournalStore.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace brevanta;
using namespace Qt::Literals::StringLiterals;

using Rows = QList<QStringList>;

namespace {

const QByteArray headings = ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                            ",,,,Practice notes,,,Practice notes,,,Practice notes,,\n";

Calendar newYork() {
    return Calendar(u"America/New_York", u"en_US");
}

} // namespace

/// Files built to exhaust the importer: rows read one at a time, the columns past the sheet's
/// kept in one field, pipes and devices refused before they are opened, NUL kept out of records.
class TestHostileImportFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsOneAtATime_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns");
        QTest::addColumn<Rows>("rows");
        QTest::newRow("fields past the last column run together")
            << u"a,b,c,d\ne,f"_s << 2 << Rows{{u"a"_s, u"bcd"_s}, {u"e"_s, u"f"_s}};
        QTest::newRow("quoted commas past it are text")
            << u"a,\"x,y\",\"z\"\"\"\n"_s << 2 << Rows{{u"a"_s, u"x,yz\""_s}};
        QTest::newRow("one column holds the whole row")
            << u",,\n\r\r\n"_s << 1 << Rows{{QString()}, {QString()}, {QString()}};
        QTest::newRow("narrow rows as they are")
            << u"a\n\nb,c"_s << 3 << Rows{{u"a"_s}, {QString()}, {u"b"_s, u"c"_s}};
    }
    void rowsOneAtATime() {
        QFETCH(QString, text);
        QFETCH(int, columns);
        QFETCH(Rows, rows);
        Rows visited;
        CSVReader::forEachRow(text, columns, [&visited](const QStringList& row) {
            visited.append(row);
            return true;
        });
        QCOMPARE(visited, rows);
    }

    void visitorStopsTheWalk() {
        int visits = 0;
        CSVReader::forEachRow(u"1\n2\n3\n4\n"_s, 4, [&visits](const QStringList& row) {
            ++visits;
            return row.first() != u"2"_s;
        });
        QCOMPARE(visits, 2);
    }

    // The parser keeps fourteen columns; what lies past them still tells a blank row from a
    // stray note, and never a day's values.
    void textPastTheSheetsColumns_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("skippedRows");
        QTest::newRow("blank far out") << QByteArray(",,,,,,,,,,,,,,,,,,,, \t,,\n") << 0 << 0;
        QTest::newRow("a note far out") << QByteArray(",,,,,,,,,,,,,,,,,,,,stray\n") << 0 << 1;
        QTest::newRow("a day with text far out")
            << QByteArray("Mar 1,,,,A,0:10,,,,,,,0:10,,,,,,,,,x,y\n") << 1 << 0;
        QTest::newRow("a blank line after every day")
            << QByteArray("Mar 1,,,,A,0:10\n\r\r\n\n\rMar 2,,,,B,0:20\r\r") << 2 << 0;
    }
    void textPastTheSheetsColumns() {
        QFETCH(QByteArray, rows);
        QFETCH(int, days);
        QFETCH(int, skippedRows);
        const PracticeImportFileResult result =
            PracticeCSVParser::parse(QByteArray(headings + rows), u"Log 2024.csv"_s, newYork());
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
            const PracticeImportFileResult result = PracticeImportFileLoader::load(path, newYork());
            QCOMPARE(result.error, PracticeImportFileLoader::notAFileMessage());
            QCOMPARE(result.filename, QFileInfo(path).fileName());
        }
    }

    void nulCharactersAreNotStored() {
        const PracticeImportFileResult parsed = PracticeCSVParser::parse(
            QByteArray(headings + "Mar 1,,,,Sca\0les\0,0:10\n"_ba), u"Log 2024.csv"_s, newYork());
        QCOMPARE(parsed.candidates.size(), 1u);
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        PracticeCSVImporter(newYork()).commit(
            parsed.candidates, PracticeImportConflictPolicy::importAnyway, {}, {}, 0, *store);
        QCOMPARE(store->sessions().size(), 1u);
        QCOMPARE(store->sessions().front()->entries().front()->title(), u"Scales"_s);

        const Instant noon = store->sessions().front()->startedAt();
        const auto session = PracticeSession::create(
            QUuid::createUuid(), noon, 60, PracticeSessionSource::manual, u"slow\0ly"_s, {}, noon);
        QCOMPARE(session->notes(), u"slowly"_s);
    }
};

QTEST_GUILESS_MAIN(TestHostileImportFiles)
#include "tst_hostileimportfiles.moc"
