// SPDX-License-Identifier: MIT
#include "ui/editing/DurationInputView.h"
#include "ui/editing/PracticeTextInput.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;

class TestDurationInputView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsWhyTheTextIsNoDuration_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << u""_s << u"Enter a practice duration."_s;
        QTest::newRow("a decimal") << u"1.5"_s << u"Use a whole number of minutes."_s;
        QTest::newRow("minutes") << u" 45 "_s << QString();
    }
    void showsWhyTheTextIsNoDuration() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        DurationInputView view(DurationInput(u"30"_s));
        view.show();
        QVERIFY(!view.shownMessage());
        QSignalSpy changed(&view, &DurationInputView::durationInputChanged);
        view.field()->selectAll();
        QTest::keyClick(view.field(), Qt::Key_Backspace);
        QTest::keyClicks(view.field(), typed);
        QCOMPARE(view.durationInput(), DurationInput(typed));
        QCOMPARE(changed.last().at(0).value<DurationInput>(), DurationInput(typed));
        QCOMPARE(view.shownMessage(),
                 message.isEmpty() ? std::nullopt : std::optional<QString>(message));
        QCOMPARE(view.field()->accessibleDescription(), message);
    }

    void settingTheInputIsNoUserChange() {
        DurationInputView view;
        view.show();
        QCOMPARE(view.shownMessage(), std::optional<QString>(u"Enter a practice duration."_s));
        QSignalSpy changed(&view, &DurationInputView::durationInputChanged);
        view.setDurationInput(DurationInput(u"12"_s));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(view.field()->text(), u"12"_s);
        QVERIFY(!view.shownMessage());
    }

    void theFieldSilencesThePracticeShortcuts() {
        DurationInputView view;
        QVERIFY(PracticeTextInput::isMarked(view.field()));
        view.field()->setFocus();
        QVERIFY(PracticeTextInput::suppressesPracticeShortcuts(view.field()));
    }
};

QTEST_MAIN(TestDurationInputView)
#include "tst_durationinputview.moc"
