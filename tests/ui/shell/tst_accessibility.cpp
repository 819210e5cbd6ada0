// SPDX-License-Identifier: MIT
// Practising by keyboard and with a screen reader, through the accessibility interface a screen
// reader uses, on the whole application.
#include "ShellTestSupport.h"
#include "support/TimerTestSupport.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppLabel.h"
#include "ui/editing/PracticeSessionWorkspaceView.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/FinishThoughtRow.h"
#include "ui/shell/ActiveSessionTransport.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/BrevantaSettingsView.h"
#include "ui/shell/ContentSidebar.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

void perform(QObject* object, const QString& action) {
    accessible(object)->actionInterface()->doAction(action);
}

template <typename T = QWidget> T* named(const QWidget* root, const QString& objectName) {
    const QList<T*> all = root->findChildren<T*>(objectName);
    for (T* each : all) {
        if (each->isVisible())
            return each;
    }
    return all.isEmpty() ? nullptr : all.front();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    MovableClock m_time;
    std::unique_ptr<BrevantaApp> m_app;
    ContentView* m_window = nullptr;

    bool open(QSize size = QSize(1280, 800)) {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        environment.fileChooser = std::make_shared<FakeFileChooser>();
        environment.settings =
            std::make_unique<QSettings>(m_folder.filePath(u"settings.ini"_s), QSettings::IniFormat);
        m_app =
            std::make_unique<BrevantaApp>(StoreConfiguration::inMemory(), std::move(environment));
        m_window = m_app->openMainWindow();
        m_window->resize(size);
        QApplication::setActiveWindow(m_window);
        return QTest::qWaitForWindowActive(m_window);
    }
    const ActivePracticeSessionController& controller() { return m_app->activeSessionController(); }
    QWidget* focus() const { return QApplication::focusWidget(); }
    QLineEdit* thoughtField() const { return named<QLineEdit>(m_window, u"thought-field"_s); }
    void addThought(const QString& text) {
        QTest::keyClicks(thoughtField(), text);
        QTest::keyClick(thoughtField(), Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { m_app.reset(); }

    void startingPracticeTakesTheKeyboardToTheThoughtField_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Start Practice in the menu") << QString();
        QTest::newRow("Start Practice on the idle room") << u"start-practice"_s;
        QTest::newRow("Start Practice on Home") << u"home-start-practice"_s;
    }
    void startingPracticeTakesTheKeyboardToTheThoughtField() {
        QFETCH(QString, button);
        QVERIFY(open());
        if (button.isEmpty()) {
            m_app->commands().startPracticeAction()->trigger();
        } else {
            if (button == u"start-practice"_s)
                m_window->openPracticeRoom();
            QTest::mouseClick(named(m_window, button), Qt::LeftButton);
        }
        QTRY_COMPARE(focus(), thoughtField());
        QTest::keyClicks(focus(), u"Scales in D major"_s);
        QCOMPARE(thoughtField()->text(), u"Scales in D major"_s);
        QVERIFY(!controller().activeSession()->isPaused);
    }

    void aFocusedButtonTakesSpaceAndReturn_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
    }
    void aFocusedButtonTakesSpaceAndReturn() {
        QFETCH(int, key);
        QVERIFY(open());
        m_window->startPractice();
        auto* discard = named(m_window, u"discard-practice"_s);
        discard->setFocus(Qt::TabFocusReason);
        QCOMPARE(focus(), discard);
        QTest::keyClick(discard, Qt::Key(key));
        QVERIFY(m_window->isConfirmingDiscard());
        QVERIFY(!controller().activeSession()->isPaused);
    }

    void spacePausesWhereFocusIsOnNoControl() {
        QVERIFY(open());
        m_window->startPractice();
        QTRY_COMPARE(focus(), thoughtField());
        // A click on a button does not leave the button holding the keyboard.
        QTest::mouseClick(named(m_window, u"pause-resume"_s), Qt::LeftButton);
        QVERIFY(controller().activeSession()->isPaused);
        QCOMPARE(focus(), thoughtField());
        // The page with the focus goes: the focus falls on no button, and Space resumes.
        QTest::mouseClick(m_window->sidebar()->row(AppDestination::journal), Qt::LeftButton);
        QVERIFY(!qobject_cast<QAbstractButton*>(focus()));
        QTest::keyClick(focus(), Qt::Key_Space);
        QVERIFY(!controller().activeSession()->isPaused);
    }

    void tabFollowsTheWindowAsItReads() {
        QVERIFY(open());
        m_window->logPractice();
        m_window->sidebar()->row(AppDestination::insights)->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int step = 0; step < 40; ++step) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            QVERIFY2(!qobject_cast<QScrollArea*>(focus()), "an unnamed scroll area is a Tab stop");
            // The date field walks through its own parts first.
            if (order.isEmpty() || order.last() != focus()->objectName())
                order << focus()->objectName();
        }
        QCOMPARE(order.mid(0, 3),
                 (QStringList{u"sidebar-toggle"_s, u"practice-date"_s, u"quick-duration-chip"_s}));
        const auto at = [&](const QString& name) { return order.indexOf(name); };
        QVERIFY(at(u"custom-duration"_s) < at(u"activity-title"_s));
        QVERIFY(at(u"add-activity"_s) < at(u"practice-notes"_s));
        QVERIFY(at(u"practice-notes"_s) < at(u"workspace-cancel"_s));
        QVERIFY(at(u"workspace-cancel"_s) < at(u"workspace-save"_s));
    }

    void choicesAreRadioButtonsWhoseActionsChooseAsAClickDoes() {
        QVERIFY(open());
        m_window->logPractice();
        SidebarDestinationRow* insights = m_window->sidebar()->row(AppDestination::insights);
        QCOMPARE(accessible(insights)->role(), QAccessible::RadioButton);
        QVERIFY(!accessible(insights)->state().checked);
        perform(insights, QAccessibleActionInterface::toggleAction());
        QCOMPARE(m_window->selection(), std::optional(AppDestination(AppDestination::insights)));
        QVERIFY(!m_window->workspaceRoute());
        QVERIFY(accessible(insights)->state().checked);

        m_window->logPractice();
        auto* workspace = m_window->findChild<PracticeSessionWorkspaceView*>();
        auto* halfHour = workspace->findChildren<QAbstractButton*>(u"quick-duration-chip"_s).at(1);
        QCOMPARE(accessible(halfHour)->role(), QAccessible::RadioButton);
        perform(halfHour, QAccessibleActionInterface::pressAction());
        QCOMPARE(workspace->draft().duration.minutesText(), u"30"_s);
        QVERIFY(accessible(halfHour)->state().checked);
    }

    // A choice of one is one Tab stop, entered at what is chosen, and named as a group.
    void tabEntersTheAppearanceChoiceAtTheChosenSegment() {
        QVERIFY(open());
        BrevantaSettingsView* settings = m_app->showSettings();
        QApplication::setActiveWindow(settings);
        QVERIFY(QTest::qWaitForWindowActive(settings));
        QCOMPARE(accessible(named(settings, u"appearance-picker"_s))->text(QAccessible::Name),
                 u"Theme"_s);
        perform(named(settings, u"appearance-dark"_s), QAccessibleActionInterface::pressAction());
        named(settings, u"settings-import-practice-history"_s)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus()->objectName(), u"appearance-dark"_s);
    }

    void rowControlsSayWhichRowTheyBelongTo() {
        QVERIFY(open());
        m_window->startPractice();
        addThought(u"Scales in D major"_s);
        QCOMPARE(accessible(named(m_window, u"remove-thought"_s))->text(QAccessible::Name),
                 u"Remove Thought, Scales in D major"_s);

        m_window->showFinish();
        auto* sheet = m_window->findChild<FinishPracticeSessionView*>();
        auto* row = sheet->findChild<FinishThoughtRow*>();
        CapsuleChip* lookBack = row->categoryButton(PracticeCategory::lookBack);
        QCOMPARE(accessible(lookBack)->text(QAccessible::Name), u"Look Back, Scales in D major"_s);
        QCOMPARE(accessible(row->minutesField())->text(QAccessible::Name),
                 u"Optional minutes, Scales in D major"_s);
        QCOMPARE(accessible(row->titleField())->text(QAccessible::Name), u"Thought"_s);
        // Choosing the group through the toggle action is a real choice: the sheet can save.
        auto* addToJournal = named(sheet, u"add-to-journal"_s);
        QVERIFY(!addToJournal->isEnabled());
        perform(lookBack, QAccessibleActionInterface::toggleAction());
        QVERIFY(lookBack->isChecked());
        QVERIFY(addToJournal->isEnabled());
        // The names follow the title as it is edited.
        row->titleField()->end(false);
        QTest::keyClicks(row->titleField(), u" and G"_s);
        QCOMPARE(accessible(lookBack)->text(QAccessible::Name),
                 u"Look Back, Scales in D major and G"_s);
    }

    // The three groups are one Tab stop, entered at the chosen one or else the first; the arrow
    // keys walk round them and choose as they go.
    void aRowsGroupsAreOneTabStopWalkedByArrows() {
        QVERIFY(open());
        m_window->startPractice();
        addThought(u"Scales"_s);
        m_window->showFinish();
        auto* sheet = m_window->findChild<FinishPracticeSessionView*>();
        QTRY_VERIFY(sheet->isVisible());
        QApplication::setActiveWindow(sheet);
        auto* row = sheet->findChild<FinishThoughtRow*>();
        const auto chip = [row](PracticeCategory category) {
            return row->categoryButton(category);
        };
        row->removeButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus(), chip(PracticeCategory::haveFun));
        QVERIFY(!chip(PracticeCategory::haveFun)->isChecked());
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus(), row->minutesField());

        QTest::keyClick(focus(), Qt::Key_Backtab);
        QTest::keyClick(focus(), Qt::Key_Right);
        QCOMPARE(focus(), chip(PracticeCategory::lookBack));
        QVERIFY(chip(PracticeCategory::lookBack)->isChecked());
        QVERIFY(named(sheet, u"add-to-journal"_s)->isEnabled());
        QTest::keyClick(focus(), Qt::Key_Down);
        QTest::keyClick(focus(), Qt::Key_Down);
        QCOMPARE(focus(), chip(PracticeCategory::haveFun));
        QTest::keyClick(focus(), Qt::Key_Left);
        QCOMPARE(focus(), chip(PracticeCategory::lookForward));
        QVERIFY(chip(PracticeCategory::lookForward)->isChecked());
        QVERIFY(!chip(PracticeCategory::haveFun)->isChecked());

        // Back into the group from either side, at what is chosen.
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus(), row->minutesField());
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QCOMPARE(focus(), chip(PracticeCategory::lookForward));
        row->removeButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus(), chip(PracticeCategory::lookForward));
    }

    void theWindowItsClockAndItsSectionsAreNamed() {
        QVERIFY(open());
        m_window->startPractice();
        QCOMPARE(accessible(m_window)->text(QAccessible::Name), u"Brevanta"_s);
        m_time.advance(65);
        ActiveSessionTransport* transport = m_window->transport();
        QTRY_VERIFY(transport->isTicking());
        QVERIFY(fire(transport->clockTicker()));
        auto* elapsed = transport->shownControls().elapsed;
        QCOMPARE(accessible(elapsed)->text(QAccessible::Name), u"Elapsed practice time"_s);
        QCOMPARE(accessible(elapsed)->text(QAccessible::Description), u"00:01:05"_s);
        QStringList headings;
        for (QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->isVisible() && accessible(label)->role() == QAccessible::Heading)
                headings << accessible(label)->text(QAccessible::Name);
        }
        QVERIFY2(headings.contains(u"What are you working on?"_s), qPrintable(headings.join(u'|')));
        QVERIFY(headings.contains(u"Today’s Notes"_s));
    }

    void theFinishingSheetFitsASmallWindow() {
        QVERIFY(open(QSize(760, 600)));
        m_window->startPractice();
        m_window->showFinish();
        auto* sheet = m_window->findChild<FinishPracticeSessionView*>();
        QTRY_VERIFY(sheet->isVisible());
        QVERIFY(sheet->height() >= 500);
        QVERIFY(sheet->frameGeometry().height() <= m_window->height());
        QVERIFY(sheet->width() <= m_window->width());
    }

    void aNewThoughtIsInViewAndAnswersClicksAtOnce() {
        QVERIFY(open(QSize(760, 600)));
        m_window->startPractice();
        for (const QString& text : {u"One"_s, u"Two"_s, u"Three"_s})
            addThought(text);
        QWidget* row = m_window->findChildren<QWidget*>(u"thought-row"_s).last();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        // The arriving row has its whole place from the start, while it still fades in.
        auto* remove = row->findChild<AppButton*>(u"remove-thought"_s);
        QVERIFY(row->graphicsEffect());
        QVERIFY(row->height() >= remove->height());
        auto* scroll = row->parentWidget();
        while (scroll && !qobject_cast<QScrollArea*>(scroll))
            scroll = scroll->parentWidget();
        QWidget* viewport = static_cast<QScrollArea*>(scroll)->viewport();
        QTRY_VERIFY(
            viewport->rect().contains(QRect(row->mapTo(viewport, QPoint(0, 0)), row->size())));
        QCOMPARE(m_window->childAt(remove->mapTo(m_window, remove->rect().center())), remove);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(controller().activeSession()->thoughts.size(), 2u);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
