// SPDX-License-Identifier: MIT
#include "ReferenceCSVReader.h"
#include "TrickyText.h"
#include "core/import/GraphemeBoundaries.h"

#include <QtTest>

#include <unicode/uchar.h>

#include <set>

using namespace brevanta;
using namespace Qt::Literals::StringLiterals;

namespace {

std::set<qsizetype> icuBoundaries(const QString& text) {
    std::set<qsizetype> positions{0};
    qsizetype position = 0;
    for (const QString& cluster : test::graphemeClusters(text)) {
        position += cluster.size();
        positions.insert(position);
    }
    return positions;
}

QString describe(const QString& text) {
    QStringList units;
    for (QChar unit : text)
        units.append(QString::number(unit.unicode(), 16));
    return units.join(u' ');
}

void compareWithIcu(const QString& text, qsizetype largestWindow) {
    const std::set<qsizetype> expected = icuBoundaries(text);
    GraphemeBoundaries boundaries(text, largestWindow);
    for (qsizetype position = 0; position <= text.size(); ++position) {
        if (boundaries.isBoundary(position) != expected.contains(position)) {
            QFAIL(qPrintable(u"boundary at %1 of [%2]"_s.arg(position).arg(describe(text))));
        }
    }
}

} // namespace

class TestGraphemeBoundaries : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The fast path rests on this: ICU never joins two code points below U+0300, CR LF aside.
    void codePointsBelowU0300NeverJoin() {
        for (char16_t first = 0; first < 0x300; ++first) {
            const auto property = u_getIntPropertyValue(first, UCHAR_GRAPHEME_CLUSTER_BREAK);
            QVERIFY2(property == U_GCB_OTHER || property == U_GCB_CONTROL || property == U_GCB_CR ||
                         property == U_GCB_LF,
                     qPrintable(QString::number(first, 16)));
        }
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UBreakIterator, decltype(&ubrk_close)> iterator(
            ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status), &ubrk_close);
        QVERIFY(U_SUCCESS(status));
        UChar pair[2] = {};
        for (char16_t first = 0; first < 0x300; ++first) {
            for (char16_t second = 0; second < 0x300; ++second) {
                pair[0] = first;
                pair[1] = second;
                ubrk_setText(iterator.get(), pair, 2, &status);
                const bool joined = !ubrk_isBoundary(iterator.get(), 1);
                if (joined != (first == u'\r' && second == u'\n'))
                    QFAIL(qPrintable(describe(QString(reinterpret_cast<const QChar*>(pair), 2))));
            }
        }
    }

    void plainTextNeverOpensTheBreakIterator_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("needsIcu");
        QTest::newRow("ascii sheet row")
            << u"\"Monday, Mar 3\",,,,\"Blues in A, \"\"shuffle\"\" feel\",0:20\r\n"_s << false;
        QTest::newRow("latin-1 accents") << u"Café, Übung; señor\n"_s << false;
        QTest::newRow("combining mark") << u"Cafe\u0301, noon"_s << true;
        QTest::newRow("emoji") << u"Fun 🎸, more"_s << true;
    }
    void plainTextNeverOpensTheBreakIterator() {
        QFETCH(QString, text);
        QFETCH(bool, needsIcu);
        GraphemeBoundaries boundaries(text);
        for (qsizetype position = 0; position <= text.size(); ++position)
            boundaries.isBoundary(position);
        QCOMPARE(boundaries.usedBreakIterator(), needsIcu);
    }

    void agreesWithIcuOnTrickyText() {
        QRandomGenerator random(20250303);
        for (int round = 0; round < 3000; ++round) {
            compareWithIcu(test::trickyText(random, 24), GraphemeBoundaries::kLargestWindow);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Texts longer than a window are read through windows that start after a line end.
    void smallWindowsAgreeWithIcu() {
        QRandomGenerator random(4);
        for (int round = 0; round < 1500; ++round) {
            compareWithIcu(test::trickyText(random, 60, 3), 64);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Without a line end nearby a window may start inside a character; a long run of combining
    // marks is still read correctly.
    void smallWindowsInsideLongCharacters() {
        compareWithIcu(u"a"_s + QString(300, QChar(0x0301)) + u",\"x"_s, 16);
        compareWithIcu(u","_s.repeated(40) + u"\u0301"_s.repeated(40) + u"\","_s, 16);
    }
};

QTEST_GUILESS_MAIN(TestGraphemeBoundaries)
#include "tst_graphemeboundaries.moc"
