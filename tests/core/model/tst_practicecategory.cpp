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
        // Only the exact raw value counts.
        QTest::newRow("other capitals")
            << QStringLiteral("HaveFun") << int(PracticeCategory::lookBack);
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
};

QTEST_GUILESS_MAIN(TestPracticeCategory)
#include "tst_practicecategory.moc"
