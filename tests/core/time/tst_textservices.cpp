// SPDX-License-Identifier: MIT
#include "core/time/TextServices.h"

#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;

class TestTextServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimsTheUnicodeWhitespaceAndNewlineSet_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ASCII controls")
            << QStringLiteral("\t\n\v\f\r x \r\n") << QStringLiteral("x");
        QTest::newRow("no-break spaces") << u"\u00A0x\u202F"_s << QStringLiteral("x");
        QTest::newRow("next line") << u"\u0085x\u0085"_s << QStringLiteral("x");
        QTest::newRow("line and paragraph separators") << u"\u2028x\u2029"_s << QStringLiteral("x");
        QTest::newRow("ideographic and em spaces")
            << u"\u3000\u2003x\u2009"_s << QStringLiteral("x");
        QTest::newRow("inner white space stays")
            << QStringLiteral("  a \n b  ") << QStringLiteral("a \n b");
        QTest::newRow("zero-width space is not white space")
            << u"\u200Bx\u200B"_s << u"\u200Bx\u200B"_s;
        QTest::newRow("byte-order mark is not white space") << u"\uFEFFx"_s << u"\uFEFFx"_s;
        QTest::newRow("only white space") << u" \t\u00A0\n"_s << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("non-BMP text is kept whole") << u" 🎸 "_s << u"🎸"_s;
    }
    void trimsTheUnicodeWhitespaceAndNewlineSet() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextServices::trimmed(text), expected);
    }

    void splitsAtRunsOfWhitespace() {
        QCOMPARE(TextServices::splitAtWhitespace(u" Jan\u00A0 5\t"_s),
                 (QStringList{QStringLiteral("Jan"), QStringLiteral("5")}));
        QCOMPARE(TextServices::splitAtWhitespace(u"Jan"), QStringList{QStringLiteral("Jan")});
        QVERIFY(TextServices::splitAtWhitespace(u" \n ").isEmpty());
    }

    void containsIgnoresCaseButNotDiacritics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("found");

        const QString en = QStringLiteral("en_US");
        QTest::newRow("accent kept, case ignored") << u"Étude in E"_s << u"étu"_s << en << true;
        QTest::newRow("upper-case query") << u"Étude in E"_s << u"ÉTU"_s << en << true;
        QTest::newRow("missing accent does not match") << u"Étude"_s << u"etu"_s << en << false;
        QTest::newRow("cafe does not find café") << u"café"_s << u"cafe"_s << en << false;
        QTest::newRow("decomposed text, composed query")
            << u"cafe\u0301"_s << u"CAFÉ"_s << en << true;
        QTest::newRow("composed text, decomposed query")
            << u"café au lait"_s << u"cafe\u0301 au"_s << en << true;
        QTest::newRow("a base letter does not match inside a combined one")
            << u"q\u0303 and more"_s << u"q"_s << en << false;
        QTest::newRow("the same letter elsewhere still matches")
            << u"q\u0303 or q"_s << u"q"_s << en << true;
        QTest::newRow("group title in capitals")
            << u"Scales Look Forward"_s << u"LOOK FORWARD"_s << en << true;
        QTest::newRow("spaces count exactly")
            << u"Look  Forward"_s << u"look forward"_s << en << false;
        QTest::newRow("ICU time matches a typed time")
            << u"Tuesday, March 4, 2025 at 3:15\u202FPM"_s << u"3:15 pm"_s << en << true;
        QTest::newRow("no-break space in the query")
            << u"at 3:15 PM"_s << u"3:15\u00A0PM"_s << en << true;
        QTest::newRow("sharp s and SS")
            << u"Straße"_s << u"STRASSE"_s << QStringLiteral("de_DE") << true;
        QTest::newRow("non-ASCII text, ASCII query") << u"🎸 Scales"_s << u"scales"_s << en << true;
        QTest::newRow("ASCII text, non-ASCII query") << u"Scales"_s << u"ß"_s << en << false;
        QTest::newRow("Kelvin sign folds to k") << u"keys"_s << u"\u212AEYS"_s << en << true;
        QTest::newRow("empty query") << u"anything"_s << QString() << en << true;
        QTest::newRow("query longer than text") << u"ab"_s << u"abc"_s << en << false;
        // Turkish pairs dotted and dotless i differently.
        QTest::newRow("Turkish dotless i")
            << u"ISPARTA"_s << u"ısparta"_s << QStringLiteral("tr_TR") << true;
        QTest::newRow("English has no dotless pair") << u"ISPARTA"_s << u"ısparta"_s << en << false;
        QTest::newRow("Turkish dotted capital")
            << u"İzmir"_s << u"izmir"_s << QStringLiteral("tr_TR") << true;
    }
    void containsIgnoresCaseButNotDiacritics() {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(QString, locale);
        QFETCH(bool, found);
        QCOMPARE(TextServices::localizedCaseInsensitiveContains(text, query, locale), found);
    }

    void oneQueryServesManyTexts() {
        const CaseInsensitiveSearch search(u"LOOK", u"en_US");
        QVERIFY(!search.isEmpty());
        QVERIFY(search.isFoundIn(u"Look Back"));
        QVERIFY(search.isFoundIn(u"Étude — look again"));
        QVERIFY(!search.isFoundIn(u"Have Fun"));
        QVERIFY(!search.isFoundIn(u"LOO"));
        QVERIFY(CaseInsensitiveSearch(QString(), u"en_US").isEmpty());
    }

    void foldsCaseAndDiacritics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const QString en = QStringLiteral("en_US");
        QTest::newRow("Étude") << u"Étude"_s << en << u"etude"_s;
        QTest::newRow("ÉTUDE") << u"ÉTUDE"_s << en << u"etude"_s;
        QTest::newRow("decomposed") << u"E\u0301tude"_s << en << u"etude"_s;
        QTest::newRow("naïve façade") << u"Naïve Façade"_s << en << u"naive facade"_s;
        QTest::newRow("sharp s") << u"Straße"_s << en << u"strasse"_s;
        QTest::newRow("ø is a letter, not o with an accent") << u"Øre"_s << en << u"øre"_s;
        QTest::newRow("Turkish İ") << u"İzmir"_s << QStringLiteral("tr_TR") << u"izmir"_s;
        QTest::newRow("Turkish I") << u"ISPARTA"_s << QStringLiteral("tr_TR") << u"ısparta"_s;
        QTest::newRow("İ elsewhere") << u"İzmir"_s << en << u"izmir"_s;
        // A Devanagari vowel sign is part of the word, not a diacritic.
        QTest::newRow("Hindi vowel sign stays") << u"संगीत"_s << en << u"संगीत"_s;
    }
    void foldsCaseAndDiacritics() {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(TextServices::caseAndDiacriticFolded(text, locale), expected);
    }

    void uppercasesByTheLocalesRules() {
        QCOMPARE(TextServices::uppercased(u"march 2024", u"en_US"), QStringLiteral("MARCH 2024"));
        QCOMPARE(TextServices::uppercased(u"März", u"de_DE"), QStringLiteral("MÄRZ"));
        QCOMPARE(TextServices::uppercased(u"mart", u"tr_TR"), QStringLiteral("MART"));
        QCOMPARE(TextServices::uppercased(u"ekim", u"tr_TR"), u"EKİM"_s);
        QCOMPARE(TextServices::uppercased(u"ekim", u"en_US"), QStringLiteral("EKIM"));
    }

    void plainSpacesReplaceOnlyTheNoBreakOnes() {
        QCOMPARE(TextServices::withPlainSpaces(u"3:15\u202FPM\u00A0x\u2009y"_s),
                 u"3:15 PM x\u2009y"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextServices)
#include "tst_textservices.moc"
