// SPDX-License-Identifier: MIT
#include "ReferenceCSVReader.h"
#include "TrickyText.h"
#include "core/import/CSVReader.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/StrictUtf8.h"

#include <QtTest>

using namespace brevanta;
using namespace Qt::Literals::StringLiterals;

using Rows = QList<QStringList>;

namespace {

QByteArray fixture(const QString& name) {
    QFile file(QStringLiteral(BREVANTA_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

Rows fixtureRows(const QString& name) {
    return CSVReader::parse(PracticeCSVParser::decodedText(fixture(name)));
}

} // namespace

class TestCSVReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rows>("expected");

        QTest::newRow("empty text") << QString() << Rows{};
        QTest::newRow("only a line feed") << u"\n"_s << Rows{{u""_s}};
        QTest::newRow("final line feed adds no row") << u"a,b\n"_s << Rows{{u"a"_s, u"b"_s}};
        QTest::newRow("no final line feed") << u"a,b"_s << Rows{{u"a"_s, u"b"_s}};
        QTest::newRow("two final line feeds") << u"a,b\n\n"_s << Rows{{u"a"_s, u"b"_s}, {u""_s}};
        QTest::newRow("trailing empty field") << u"a,\n"_s << Rows{{u"a"_s, u""_s}};
        QTest::newRow("blank line in the middle")
            << u"a\n\nb"_s << Rows{{u"a"_s}, {u""_s}, {u"b"_s}};
        QTest::newRow("rows keep their own widths")
            << u"a,b,c\nd\ne,f"_s << Rows{{u"a"_s, u"b"_s, u"c"_s}, {u"d"_s}, {u"e"_s, u"f"_s}};
        QTest::newRow("only commas") << u",,"_s << Rows{{u""_s, u""_s, u""_s}};
        QTest::newRow("quoted comma") << u"\"x, y\",z"_s << Rows{{u"x, y"_s, u"z"_s}};
        QTest::newRow("doubled quotes") << u"\"say \"\"hi\"\"\""_s << Rows{{u"say \"hi\""_s}};
        QTest::newRow("quoted CR LF becomes one line feed")
            << u"\"line1\r\nline2\",x\r\ny"_s << Rows{{u"line1\nline2"_s, u"x"_s}, {u"y"_s}};
        QTest::newRow("quoted lone CR becomes a line feed")
            << u"\"line1\rline2\""_s << Rows{{u"line1\nline2"_s}};
        QTest::newRow("quoted line feed") << u"\"a\nb\"\nc"_s << Rows{{u"a\nb"_s}, {u"c"_s}};
        QTest::newRow("lone CR ends a row") << u"a\rb"_s << Rows{{u"a"_s}, {u"b"_s}};
        QTest::newRow("CR LF ends a row") << u"a\r\nb"_s << Rows{{u"a"_s}, {u"b"_s}};
        QTest::newRow("CR LF alone") << u"\r\n"_s << Rows{{u""_s}};
        QTest::newRow("CR then CR LF") << u"\r\r\n"_s << Rows{{u""_s}, {u""_s}};
        QTest::newRow("LF then CR") << u"\n\r"_s << Rows{{u""_s}, {u""_s}};
        QTest::newRow("spaces survive") << u" a , b "_s << Rows{{u" a "_s, u" b "_s}};
        QTest::newRow("tabs survive") << u"\ta\t,b"_s << Rows{{u"\ta\t"_s, u"b"_s}};
        QTest::newRow("unterminated quote runs to the end")
            << u"\"unterminated,x"_s << Rows{{u"unterminated,x"_s}};
        QTest::newRow("unterminated quote over line ends")
            << u"a,\"b\nc\r\nd"_s << Rows{{u"a"_s, u"b\nc\nd"_s}};
        QTest::newRow("byte-order mark stays")
            << u"\uFEFFDay,Notes"_s << Rows{{u"\uFEFFDay"_s, u"Notes"_s}};
        QTest::newRow("quote in the middle of a field") << u"ab\"c,d\"e"_s << Rows{{u"abc,de"_s}};
        QTest::newRow("text after a closing quote") << u"\"ab\"cd,e"_s << Rows{{u"abcd"_s, u"e"_s}};
        QTest::newRow("doubled quote outside quotes") << u"a\"\"b"_s << Rows{{u"ab"_s}};
        QTest::newRow("tripled quotes") << u"\"\"\"a\"\"\""_s << Rows{{u"\"a\""_s}};
        QTest::newRow("quoted empty field then comma") << u"\"\","_s << Rows{{u""_s, u""_s}};
        QTest::newRow("quoted empty field alone adds no row") << u"\"\""_s << Rows{};
        QTest::newRow("lone quote adds no row") << u"\""_s << Rows{};
        QTest::newRow("quote closing at the end of the text")
            << u"a,\"b\""_s << Rows{{u"a"_s, u"b"_s}};

        // A quote, comma or line feed counts only when it is a character of its own.
        QTest::newRow("combining mark on a comma")
            << u"a,\u0301b,c"_s << Rows{{u"a,\u0301b"_s, u"c"_s}};
        QTest::newRow("combining mark on an opening quote")
            << u"\"\u0301a,b"_s << Rows{{u"\"\u0301a"_s, u"b"_s}};
        QTest::newRow("combining mark on a closing quote")
            << u"\"a\"\u0301,b\""_s << Rows{{u"a\"\u0301,b"_s}};
        QTest::newRow("second of two quotes carries a mark")
            << u"\"a\"\"\u0301b\",c"_s << Rows{{u"a\"\u0301b,c"_s}};
        QTest::newRow("mark before a line feed")
            << u"e\u0301\nx"_s << Rows{{u"e\u0301"_s}, {u"x"_s}};
        QTest::newRow("mark after a line feed")
            << u"a\n\u0301b"_s << Rows{{u"a"_s}, {u"\u0301b"_s}};
        QTest::newRow("mark after a lone CR") << u"a\r\u0301b"_s << Rows{{u"a"_s}, {u"\u0301b"_s}};
        QTest::newRow("zero-width joiner on a comma")
            << u"a,\u200D,b"_s << Rows{{u"a,\u200D"_s, u"b"_s}};
        QTest::newRow("spacing mark on a comma")
            << u"\u0915,\u0903x,y"_s << Rows{{u"\u0915,\u0903x"_s, u"y"_s}};
        QTest::newRow("skin tone on a quote")
            << u"\"\U0001F3FB,x"_s << Rows{{u"\"\U0001F3FB"_s, u"x"_s}};
        QTest::newRow("prepended mark before a comma")
            << u"\u0600,x,y"_s << Rows{{u"\u0600,x"_s, u"y"_s}};
        QTest::newRow("hangul vowel does not join a comma")
            << u"a,\u1161"_s << Rows{{u"a"_s, u"\u1161"_s}};
        QTest::newRow("emoji sequences between commas")
            << u"👨‍👩‍👧,🇩🇪🇫🇷,🎸"_s
            << Rows{{u"👨‍👩‍👧"_s, u"🇩🇪🇫🇷"_s, u"🎸"_s}};
        QTest::newRow("decomposed accents in quoted notes")
            << u"\"E\u0301tudes, slow\",0:20"_s << Rows{{u"E\u0301tudes, slow"_s, u"0:20"_s}};
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

    void lineEndStylesGiveTheSameRows() {
        const QString lineFeeds = u"Day,Notes\n\"Monday, Mar 3\",\"Blues\nin A\"\n\nMar 4,"_s;
        QString crlf = lineFeeds;
        crlf.replace(u"\n"_s, u"\r\n"_s);
        QString cr = lineFeeds;
        cr.replace(u'\n', u'\r');
        const Rows expected = CSVReader::parse(lineFeeds);
        QCOMPARE(expected.size(), 4);
        QCOMPARE(CSVReader::parse(crlf), expected);
        QCOMPARE(CSVReader::parse(cr), expected);
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

    void fixtureFields_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const QString march = u"Practice Log March 2024.csv"_s;
        const QString june = u"Practice Log June 2024.csv"_s;
        QTest::newRow("heading with emoji") << march << 3 << 4 << u"Have Fun 🎸"_s;
        QTest::newRow("decomposed accent kept as written")
            << march << 9 << 10 << u"E\u0301tudes by Carcassi no. 1, first line"_s;
        QTest::newRow("doubled quotes and a comma")
            << june << 5 << 4 << u"Jammed \"Sweet Child\" style riff, then a 12-bar shuffle in A"_s;
        QTest::newRow("line breaks in a note")
            << june << 6 << 7 << u"Chord changes:\nG → Em\nC → D"_s;
        QTest::newRow("spaces kept") << june << 7 << 4 << u"  Campfire medley, with capo  "_s;
        QTest::newRow("quotes inside a note")
            << june << 8 << 7 << u"Rest strokes, free strokes, \"a-m-i\""_s;
        QTest::newRow("CR inside a quoted note")
            << u"Practice Log May 2024.csv"_s << 7 << 7 << u"Arpeggios p-i-m-a\nthen p-a-m-i"_s;
        QTest::newRow("line feed inside a quoted note between CR LF rows")
            << u"Practice Log April 2024.csv"_s << 6 << 7
            << u"Chord changes: C–Am–Dm–G\nwith a metronome at 70"_s;
        QTest::newRow("day cell with a comma") << june << 5 << 0 << u"Monday, Jun 3"_s;
        QTest::newRow("blank line") << u"Practice Log August 2024.csv"_s << 9 << 0 << QString();
    }
    void fixtureFields() {
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, expected);
        const Rows rows = fixtureRows(file);
        QVERIFY(row < rows.size());
        QVERIFY(column < rows[row].size());
        QCOMPARE(rows[row][column], expected);
    }

    void fixtureShapes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rowCount");
        QTest::newRow("CR LF") << u"Practice Log April 2024.csv"_s << 12;
        QTest::newRow("lone CR") << u"Practice Log May 2024.csv"_s << 10;
        QTest::newRow("line feeds") << u"Practice Log June 2024.csv"_s << 10;
        QTest::newRow("blank rows") << u"Practice Log August 2024.csv"_s << 18;
    }
    void fixtureShapes() {
        QFETCH(QString, file);
        QFETCH(int, rowCount);
        const Rows rows = fixtureRows(file);
        QCOMPARE(rows.size(), rowCount);
        for (const QStringList& row : rows) {
            if (row != QStringList{QString()})
                QCOMPARE(row.size(), 13);
        }
    }

    // The reader keeps a byte-order mark; removing it is the file decoding's job.
    void byteOrderMarkIsLeftToTheCaller() {
        const QByteArray bytes = fixture(u"Practice Log April 2024.csv"_s);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const Rows withMark = CSVReader::parse(*StrictUtf8::decode(bytes));
        QCOMPARE(withMark[0][0], u"\uFEFFPractice Log — April 2024"_s);
        Rows withoutMark = fixtureRows(u"Practice Log April 2024.csv"_s);
        QCOMPARE(withoutMark[0][0], u"Practice Log — April 2024"_s);
        withoutMark[0][0].prepend(QChar(0xFEFF));
        QCOMPARE(withMark, withoutMark);
    }

    void windows1252SheetIsNotUtf8() {
        try {
            PracticeCSVParser::decodedText(fixture(u"Practice Log December 2024.csv"_s));
            QFAIL("a Windows-1252 sheet was decoded");
        } catch (const PracticeCSVParser::ParserError& error) {
            QVERIFY(error.description().startsWith(u"The file is not valid UTF-8. It appears to "
                                                   u"be saved as Windows-1252"_s));
        }
    }
};

QTEST_GUILESS_MAIN(TestCSVReader)
#include "tst_csvreader.moc"
