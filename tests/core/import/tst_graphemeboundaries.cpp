// SPDX-License-Identifier: MIT
#include "ReferenceCSVReader.h"
#include "TrickyText.h"
#include "core/import/GraphemeBoundaries.h"

#include <QtTest>

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
