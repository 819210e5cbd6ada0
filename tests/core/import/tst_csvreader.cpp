// SPDX-License-Identifier: MIT
#include "ReferenceCSVReader.h"
#include "TrickyText.h"
#include "core/import/CSVReader.h"
#include "core/import/StrictUtf8.h"
#include "support/RecordTestSupport.h"

#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

using Rows = QList<QStringList>;

class TestCSVReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rows>("expected");

        QTest::newRow("empty text") << QString() << Rows{};
        QTest::newRow("two final line feeds") << u"a,b\n\n"_s << Rows{{u"a"_s, u"b"_s}, {u""_s}};
        QTest::newRow("blank line in the middle")
            << u"a\n\nb"_s << Rows{{u"a"_s}, {u""_s}, {u"b"_s}};
        QTest::newRow("quoted comma") << u"\"x, y\",z"_s << Rows{{u"x, y"_s, u"z"_s}};
        QTest::newRow("doubled quotes") << u"\"say \"\"hi\"\"\""_s << Rows{{u"say \"hi\""_s}};
        QTest::newRow("quoted CR LF becomes one line feed")
            << u"\"line1\r\nline2\",x\r\ny"_s << Rows{{u"line1\nline2"_s, u"x"_s}, {u"y"_s}};
        QTest::newRow("lone CR ends a row") << u"a\rb"_s << Rows{{u"a"_s}, {u"b"_s}};
        QTest::newRow("CR then CR LF") << u"\r\r\n"_s << Rows{{u""_s}, {u""_s}};
        QTest::newRow("LF then CR") << u"\n\r"_s << Rows{{u""_s}, {u""_s}};
        QTest::newRow("unterminated quote runs to the end")
            << u"\"unterminated,x"_s << Rows{{u"unterminated,x"_s}};
        QTest::newRow("quote in the middle of a field") << u"ab\"c,d\"e"_s << Rows{{u"abc,de"_s}};
        QTest::newRow("tripled quotes") << u"\"\"\"a\"\"\""_s << Rows{{u"\"a\""_s}};
        QTest::newRow("quoted empty field then comma") << u"\"\","_s << Rows{{u""_s, u""_s}};
        QTest::newRow("quoted empty field alone adds no row") << u"\"\""_s << Rows{};

        // A quote, comma or line feed counts only when it is a character of its own.
        QTest::newRow("combining mark on a comma")
            << u"a,\u0301b,c"_s << Rows{{u"a,\u0301b"_s, u"c"_s}};
        QTest::newRow("combining mark on an opening quote")
            << u"\"\u0301a,b"_s << Rows{{u"\"\u0301a"_s, u"b"_s}};
        QTest::newRow("second of two quotes carries a mark")
            << u"\"a\"\"\u0301b\",c"_s << Rows{{u"a\"\u0301b,c"_s}};
        QTest::newRow("mark after a line feed")
            << u"a\n\u0301b"_s << Rows{{u"a"_s}, {u"\u0301b"_s}};
        QTest::newRow("prepended mark before a comma")
            << u"\u0600,x,y"_s << Rows{{u"\u0600,x"_s, u"y"_s}};
        QTest::newRow("hangul vowel does not join a comma")
            << u"a,\u1161"_s << Rows{{u"a"_s, u"\u1161"_s}};
        QTest::newRow("lone surrogate beside a comma")
            << QString(QChar(0xD800)) + u",x"_s << Rows{{QString(QChar(0xD800)), u"x"_s}};
    }
    void rows() {
        QFETCH(QString, text);
        QFETCH(Rows, expected);
        QCOMPARE(CSVReader::parse(text), expected);
        QCOMPARE(test::referenceCSVRows(text), expected);
    }

    // Whatever mix of marks, emoji, quotes and line ends: the same rows as walking every
    // character with ICU's break iterator.
    void agreesWithCharacterByCharacterReading() {
        QRandomGenerator random(1729);
        for (int round = 0; round < 5000; ++round) {
            const QString text = test::trickyText(random, 30);
            const Rows rows = CSVReader::parse(text);
            if (rows != test::referenceCSVRows(text)) {
                QCOMPARE(rows, test::referenceCSVRows(text));
                return;
            }
        }
    }

    void everyFixtureReadsLikeCharacterByCharacter() {
        const QStringList names = QDir(QStringLiteral(BREVANTA_TEST_DATA_DIR))
                                      .entryList({QStringLiteral("*.csv")}, QDir::Files);
        QVERIFY(names.size() >= 14);
        int decoded = 0;
        for (const QString& name : names) {
            const std::optional<QString> text = StrictUtf8::decode(fixture(name));
            if (!text)
                continue;
            ++decoded;
            const Rows rows = CSVReader::parse(*text);
            QVERIFY2(rows.size() >= 4, qPrintable(name));
            QCOMPARE(rows, test::referenceCSVRows(*text));
            for (const QStringList& row : rows)
                QVERIFY2(!row.join(QString()).contains(u'\r'), qPrintable(name));
        }
        QCOMPARE(decoded, names.size() - 2); // all but the Windows-1252 and the UTF-16 sheets
    }
};

QTEST_GUILESS_MAIN(TestCSVReader)
#include "tst_csvreader.moc"
