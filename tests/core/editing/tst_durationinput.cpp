// SPDX-License-Identifier: MIT
#include "core/editing/DurationInput.h"

#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;
using Case = DurationInput::ValidationError::Case;

Q_DECLARE_METATYPE(DurationInput::ValidationError::Case)

class TestDurationInput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validMinutes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("seconds");

        QTest::newRow("plain") << u"45"_s << qint64(2700);
        QTest::newRow("spaces around") << u"  45 "_s << qint64(2700);
        QTest::newRow("plus sign") << u"+30"_s << qint64(1800);
        QTest::newRow("largest that fits")
            << u"153722867280912930"_s << qint64(9223372036854775800);
    }
    void validMinutes() {
        QFETCH(QString, text);
        QFETCH(qint64, seconds);
        const DurationInput input(text);
        QCOMPARE(input.durationSeconds(), seconds);
        QVERIFY(!input.validationError());
        QVERIFY(!input.validationMessage());
        QCOMPARE(input.minutesText(), text);
    }

    void invalidMinutes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Case>("error");

        QTest::newRow("empty") << QString() << Case::required;
        QTest::newRow("spaces only") << u"   "_s << Case::required;
        QTest::newRow("decimal point") << u"1.5"_s << Case::wholeMinutesOnly;
        QTest::newRow("decimal comma") << u"1,5"_s << Case::wholeMinutesOnly;
        QTest::newRow("lone plus") << u"+"_s << Case::wholeMinutesOnly;
        QTest::newRow("one past the 64-bit range")
            << u"9223372036854775808"_s << Case::wholeMinutesOnly;
        QTest::newRow("zero") << u"0"_s << Case::mustBePositive;
        QTest::newRow("negative") << u"-5"_s << Case::mustBePositive;
        QTest::newRow("one minute too many") << u"153722867280912931"_s << Case::overflow;
        QTest::newRow("largest 64-bit minutes") << u"9223372036854775807"_s << Case::overflow;
    }
    void invalidMinutes() {
        QFETCH(QString, text);
        QFETCH(Case, error);
        const DurationInput input(text);
        try {
            input.durationSeconds();
            QFAIL("durationSeconds() accepted the text");
        } catch (const DurationInput::ValidationError& thrown) {
            QCOMPARE(thrown.errorCase(), error);
        }
        QVERIFY(input.validationError());
        QCOMPARE(input.validationError()->errorCase(), error);
        QCOMPARE(input.validationMessage(),
                 std::optional<QString>(DurationInput::ValidationError(error).description()));
        QCOMPARE(input.minutesText(), text);
    }

    void textFromStoredSeconds_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("90 s rounds up") << qint64(90) << u"2"_s;
        QTest::newRow("60 s") << qint64(60) << u"1"_s;
        QTest::newRow("negative is at least 1") << qint64(-600) << u"1"_s;
        QTest::newRow("no digit grouping") << qint64(60 * 12345) << u"12345"_s;
    }
    void textFromStoredSeconds() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(DurationInput::fromDurationSeconds(seconds).minutesText(), text);
    }

    void equalByText() {
        QVERIFY(DurationInput(u"30"_s) == DurationInput(u"30"_s));
        QVERIFY(!(DurationInput(u"30"_s) == DurationInput(u"30 "_s)));
        DurationInput input;
        QCOMPARE(input.validationError()->errorCase(), Case::required);
        input.setMinutesText(u"15"_s);
        QCOMPARE(input.durationSeconds(), qint64(900));
    }
};

QTEST_GUILESS_MAIN(TestDurationInput)
#include "tst_durationinput.moc"
