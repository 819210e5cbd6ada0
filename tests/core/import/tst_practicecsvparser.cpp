// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVParser.h"

#include <QtTest>

using namespace brevanta;
using namespace Qt::Literals::StringLiterals;

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
        QTest::newRow("two marks keep the second") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                                 "Day")
                                                   << u"\uFEFFDay"_s;
        QTest::newRow("mark later in the text stays")
            << QByteArray("Day,\xEF\xBB\xBFNotes") << u"Day,\uFEFFNotes"_s;
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void decodedTextRemovesOneLeadingByteOrderMark() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(PracticeCSVParser::decodedText(bytes), expected);
    }

    void decodedTextRefusesMalformedUtf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin-1") << QByteArray("\"Monday, Mar 3\",,,,Caf\xE9 jam,0:20");
        QTest::newRow("mark then overlong") << QByteArray("\xEF\xBB\xBF\xC0\xAF");
        QTest::newRow("surrogate") << QByteArray("Look Back,\xED\xA0\x80");
        QTest::newRow("UTF-16 little-endian mark") << QByteArray("\xFF\xFE"
                                                                 "D\0a\0y\0",
                                                                 8);
    }
    void decodedTextRefusesMalformedUtf8() {
        QFETCH(QByteArray, bytes);
        try {
            PracticeCSVParser::decodedText(bytes);
            QFAIL("malformed bytes were decoded");
        } catch (const PracticeCSVParser::ParserError& error) {
            QCOMPARE(error.errorCase(), PracticeCSVParser::ParserError::Case::invalidUTF8);
            QCOMPARE(error.description(), u"The file is not valid UTF-8."_s);
            QCOMPARE(QString::fromUtf8(error.what()), error.description());
        }
    }

    void layoutErrorsJoinPrefixAndDetail() {
        using ParserError = PracticeCSVParser::ParserError;
        const ParserError headings =
            ParserError::unsupportedLayout(ParserError::headingsNotFoundDetail());
        QCOMPARE(headings.errorCase(), ParserError::Case::unsupportedLayout);
        QCOMPARE(headings.description(),
                 u"This file does not appear to use the supported Brevanta spreadsheet format. "
                 u"Expected Have Fun, Look Back, and Look Forward category headings were not "
                 u"found in their usual columns."_s);
        const ParserError subheadings =
            ParserError::unsupportedLayout(ParserError::subheadingsMissingDetail());
        QCOMPARE(subheadings.description(),
                 u"This file does not appear to use the supported Brevanta spreadsheet format. "
                 u"The category subheadings are missing or out of position."_s);
    }
};

QTEST_GUILESS_MAIN(TestPracticeCSVParser)
#include "tst_practicecsvparser.moc"
