// SPDX-License-Identifier: MIT
#include "core/model/PracticeCategory.h"

#include <QtTest>

using namespace brevanta;

class TestPracticeCategory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lenientCategory_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("haveFun") << QStringLiteral("haveFun") << int(PracticeCategory::haveFun);
        QTest::newRow("lookBack") << QStringLiteral("lookBack") << int(PracticeCategory::lookBack);
        QTest::newRow("lookForward")
            << QStringLiteral("lookForward") << int(PracticeCategory::lookForward);
        QTest::newRow("empty") << QString() << int(PracticeCategory::lookBack);
        QTest::newRow("other capitals")
            << QStringLiteral("HaveFun") << int(PracticeCategory::lookBack);
        QTest::newRow("surrounding spaces")
            << QStringLiteral(" haveFun ") << int(PracticeCategory::lookBack);
        QTest::newRow("title text")
            << QStringLiteral("Look Forward") << int(PracticeCategory::lookBack);
    }
    void lenientCategory() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QCOMPARE(int(PracticeCategory::fromPersistedRawValue(stored)), expected);
        const bool known = PracticeCategory::fromRawValue(stored).has_value();
        QCOMPARE(known, stored == PracticeCategory(PracticeCategory::Value(expected)).rawValue());
    }

    void lenientSource_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("timed") << QStringLiteral("timed") << int(PracticeSessionSource::timed);
        QTest::newRow("manual") << QStringLiteral("manual") << int(PracticeSessionSource::manual);
        QTest::newRow("imported") << QStringLiteral("imported")
                                  << int(PracticeSessionSource::imported);
        QTest::newRow("empty") << QString() << int(PracticeSessionSource::manual);
        QTest::newRow("other capitals")
            << QStringLiteral("Timed") << int(PracticeSessionSource::manual);
        QTest::newRow("unknown") << QStringLiteral("synced") << int(PracticeSessionSource::manual);
    }
    void lenientSource() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QCOMPARE(int(PracticeSessionSource::fromPersistedRawValue(stored)), expected);
    }

    void strictDecodingOfUnknownTextYieldsNothing() {
        QVERIFY(!PracticeCategory::fromRawValue(u"lookback").has_value());
        QVERIFY(!PracticeSessionSource::fromRawValue(u"").has_value());
    }

    void casesListInDisplayOrderWithTheirVocabulary() {
        const auto cases = PracticeCategory::allCases();
        QCOMPARE(cases.size(), 3u);
        const QStringList titles{QStringLiteral("Have Fun"), QStringLiteral("Look Back"),
                                 QStringLiteral("Look Forward")};
        const QStringList symbols{QStringLiteral("sparkles"),
                                  QStringLiteral("arrow.uturn.backward"),
                                  QStringLiteral("arrow.up.right")};
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(cases[index].sortIndex(), index);
            QCOMPARE(cases[index].title(), titles[index]);
            QCOMPARE(cases[index].symbolName(), symbols[index]);
            QCOMPARE(cases[index].id(), cases[index].rawValue());
            QVERIFY(PracticeCategory::fromRawValue(cases[index].rawValue()) == cases[index]);
        }
    }
};

QTEST_GUILESS_MAIN(TestPracticeCategory)
#include "tst_practicecategory.moc"
