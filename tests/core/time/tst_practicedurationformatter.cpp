// SPDX-License-Identifier: MIT
#include "core/time/PracticeDurationFormatter.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace brevanta;

class TestPracticeDurationFormatter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void compact_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zero") << qint64(0) << QStringLiteral("0 min");
        QTest::newRow("negative") << qint64(-5) << QStringLiteral("0 min");
        QTest::newRow("one second") << qint64(1) << QStringLiteral("<1 min");
        QTest::newRow("one minute") << qint64(60) << QStringLiteral("1 min");
        QTest::newRow("119 seconds drop the rest") << qint64(119) << QStringLiteral("1 min");
        QTest::newRow("one hour") << qint64(3600) << QStringLiteral("1h");
        QTest::newRow("one hour one minute") << qint64(3660) << QStringLiteral("1h 1m");
        QTest::newRow("no digit grouping")
            << qint64(3600 * 12345 + 60 * 7) << QStringLiteral("12345h 7m");
        QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                                 << QStringLiteral("2562047788015215h 30m");
    }
    void compact() {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(PracticeDurationFormatter::compact(seconds), expected);
    }

    void timer_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zero") << 0.0 << QStringLiteral("00:00:00");
        QTest::newRow("negative") << -3.0 << QStringLiteral("00:00:00");
        QTest::newRow("fractions truncate") << 59.99 << QStringLiteral("00:00:59");
        QTest::newRow("just under an hour") << 3599.999 << QStringLiteral("00:59:59");
        QTest::newRow("hours are not capped") << 360000.0 << QStringLiteral("100:00:00");
        QTest::newRow("a day and a bit") << 86400.0 + 3723.5 << QStringLiteral("25:02:03");
        // Outside what callers pass; must still give text and not undefined behaviour.
        QTest::newRow("not a number") << std::nan("") << QStringLiteral("00:00:00");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity()
                                  << QStringLiteral("2562047788015215:30:07");
    }
    void timer() {
        QFETCH(double, seconds);
        QFETCH(QString, expected);
        QCOMPARE(PracticeDurationFormatter::timer(seconds), expected);
    }
};

QTEST_GUILESS_MAIN(TestPracticeDurationFormatter)
#include "tst_practicedurationformatter.moc"
