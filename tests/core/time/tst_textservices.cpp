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
        QTest::newRow("line and paragraph separators") << u"\u2028x\u2029"_s << QStringLiteral("x");
        QTest::newRow("inner white space stays")
            << QStringLiteral("  a \n b  ") << QStringLiteral("a \n b");
        QTest::newRow("zero-width space is not white space")
            << u"\u200Bx\u200B"_s << u"\u200Bx\u200B"_s;
        QTest::newRow("only white space") << u" \t\u00A0\n"_s << QString();
        QTest::newRow("non-BMP text is kept whole") << u" 🎸 "_s << u"🎸"_s;
    }
    void trimsTheUnicodeWhitespaceAndNewlineSet() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextServices::trimmed(text), expected);
    }

    void containsIgnoresCaseButNotDiacritics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("found");

        const QString en = QStringLiteral("en_US");
        QTest::newRow("accent kept, case ignored") << u"Étude in E"_s << u"étu"_s << en << true;
        QTest::newRow("missing accent does not match") << u"Étude"_s << u"etu"_s << en << false;
        QTest::newRow("composed text, decomposed query")
            << u"café au lait"_s << u"cafe\u0301 au"_s << en << true;
        QTest::newRow("a base letter does not match inside a combined one")
            << u"q\u0303 and more"_s << u"q"_s << en << false;
        QTest::newRow("spaces count exactly")
            << u"Look  Forward"_s << u"look forward"_s << en << false;
        QTest::newRow("ICU time matches a typed time")
            << u"Tuesday, March 4, 2025 at 3:15\u202FPM"_s << u"3:15 pm"_s << en << true;
        QTest::newRow("no-break space in the query")
            << u"at 3:15 PM"_s << u"3:15\u00A0PM"_s << en << true;
        QTest::newRow("sharp s and SS")
            << u"Straße"_s << u"STRASSE"_s << QStringLiteral("de_DE") << true;
        QTest::newRow("ASCII text, non-ASCII query") << u"Scales"_s << u"ß"_s << en << false;
        // Turkish pairs dotted and dotless i differently.
        QTest::newRow("Turkish dotless i")
            << u"ISPARTA"_s << u"ısparta"_s << QStringLiteral("tr_TR") << true;
        QTest::newRow("English has no dotless pair") << u"ISPARTA"_s << u"ısparta"_s << en << false;
    }
    void containsIgnoresCaseButNotDiacritics() {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(QString, locale);
        QFETCH(bool, found);
        QCOMPARE(TextServices::localizedCaseInsensitiveContains(text, query, locale), found);
    }

    void foldsCaseAndDiacritics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const QString en = QStringLiteral("en_US");
        QTest::newRow("Étude") << u"Étude"_s << en << u"etude"_s;
        QTest::newRow("sharp s") << u"Straße"_s << en << u"strasse"_s;
        QTest::newRow("ø is a letter, not o with an accent") << u"Øre"_s << en << u"øre"_s;
        QTest::newRow("Turkish İ") << u"İzmir"_s << QStringLiteral("tr_TR") << u"izmir"_s;
        // A Devanagari vowel sign is part of the word, not a diacritic.
        QTest::newRow("Hindi vowel sign stays") << u"संगीत"_s << en << u"संगीत"_s;
    }
    void foldsCaseAndDiacritics() {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(TextServices::caseAndDiacriticFolded(text, locale), expected);
    }

    void plainSpacesReplaceOnlyTheNoBreakOnes() {
        QCOMPARE(TextServices::withPlainSpaces(u"3:15\u202FPM\u00A0x\u2009y"_s),
                 u"3:15 PM x\u2009y"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextServices)
#include "tst_textservices.moc"
