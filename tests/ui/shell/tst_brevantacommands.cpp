// SPDX-License-Identifier: MIT
#include "ShellTestSupport.h"
#include "ui/editing/PracticeTextInput.h"
#include "ui/shell/BottomSlidePresenter.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/PracticeCommandPublication.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

/// A Home screen holding text fields, the way screens will hold them.
struct FieldScreens {
    QPointer<QLineEdit> plain;
    QPointer<QTextEdit> rich;
    QPointer<QPlainTextEdit> notes;
    QPointer<QLineEdit> minutes;
    QPointer<QWidget> minutesBox;
    QPointer<QLineEdit> insideMinutesBox;

    ScreenFactory factory() {
        ScreenFactory screens;
        screens.home = [this](const ScreenFactory::HomeActions&) {
            auto* page = new QWidget;
            auto* layout = new QVBoxLayout(page);
            layout->addWidget(plain = new QLineEdit);
            layout->addWidget(rich = new QTextEdit);
            layout->addWidget(notes = new QPlainTextEdit);
            layout->addWidget(minutes = new QLineEdit);
            PracticeTextInput::mark(minutes);
            layout->addWidget(minutesBox = new QWidget);
            PracticeTextInput::mark(minutesBox);
            (new QVBoxLayout(minutesBox))->addWidget(insideMinutesBox = new QLineEdit);
            return HostedScreen{page, nullptr};
        };
        return screens;
    }
};

/// A main window with the commands attached, shown and in front.
struct CommandedWindow {
    WindowFixture fixture;
    FieldScreens fields;
    BrevantaCommands commands;
    std::unique_ptr<ContentView> window = fixture.makeWindow(fields.factory());

    CommandedWindow() {
        commands.attach(window.get(), window->practiceCommands());
        window->resize(1000, 700);
    }

    bool bringToFront(QWidget* target = nullptr) {
        QWidget* front = target ? target : window.get();
        front->show();
        front->activateWindow();
        return QTest::qWaitForWindowActive(front);
    }

    const ActivePracticeSession& session() const { return *fixture.controller.activeSession(); }
};

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("—") : action->text());
    return texts;
}

} // namespace

/// The menu bar's practice commands: what they show, when they are enabled and what their
/// shortcuts do, read from the main window in front.
class TestBrevantaCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menusHoldThePracticeCommands() {
        CommandedWindow app;
        QMenu* file = app.window->menuBar()->findChild<QMenu*>(QStringLiteral("menu-file"));
        QMenu* practice = app.window->menuBar()->findChild<QMenu*>(QStringLiteral("menu-practice"));
        QVERIFY(file && practice);
        QCOMPARE(itemTexts(file).mid(0, 4), (QStringList{u"Start Practice"_s, u"Log Practice"_s,
                                                         u"—"_s, u"Import Practice History…"_s}));
        QCOMPARE(itemTexts(practice), (QStringList{u"Pause Session"_s, u"Finish Session"_s}));
        QCOMPARE(practice->title(), QStringLiteral("&Practice"));

        // Ctrl+N, Ctrl+Shift+N and Space are pressed in the tests below.
        QVERIFY(app.commands.importPracticeHistoryAction()->shortcut().isEmpty());
        QCOMPARE(app.commands.finishActiveSessionAction()->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_Return));
        QCOMPARE(app.commands.settingsAction()->menuRole(), QAction::PreferencesRole);
        QVERIFY(!app.commands.settingsAction()->shortcut().isEmpty());
    }

    void everythingIsDisabledWithoutAMainWindowInFront() {
        CommandedWindow app;
        QVERIFY(app.bringToFront());
        QVERIFY(app.commands.startPracticeAction()->isEnabled());
        app.window->startPractice();
        app.window->togglePause();
        QCOMPARE(app.commands.toggleActiveSessionAction()->text(),
                 QStringLiteral("Resume Session"));

        // Another top-level window, such as the settings window, takes the front.
        QWidget settings;
        settings.resize(300, 200);
        QVERIFY(app.bringToFront(&settings));
        const PracticeCommandValues values = app.commands.frontValues();
        QVERIFY(!values.startPracticeAction && !values.toggleActiveSessionAction &&
                !values.suppressesPracticeShortcuts);
        for (QAction* action :
             {app.commands.startPracticeAction(), app.commands.logPracticeAction(),
              app.commands.importPracticeHistoryAction(), app.commands.toggleActiveSessionAction(),
              app.commands.finishActiveSessionAction()})
            QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
        QCOMPARE(app.commands.toggleActiveSessionAction()->text(), QStringLiteral("Pause Session"));

        QVERIFY(app.bringToFront());
        QVERIFY(app.commands.finishActiveSessionAction()->isEnabled());
    }

    void enablementAndTitlesFollowTheSession() {
        CommandedWindow app;
        QVERIFY(app.bringToFront());
        QAction* toggle = app.commands.toggleActiveSessionAction();
        QAction* finish = app.commands.finishActiveSessionAction();
        QVERIFY(app.commands.startPracticeAction()->isEnabled());
        QVERIFY(app.commands.logPracticeAction()->isEnabled());
        QVERIFY(app.commands.importPracticeHistoryAction()->isEnabled());
        QVERIFY(!toggle->isEnabled());
        QVERIFY(!finish->isEnabled());
        // Space with nothing running does nothing through the menu.
        QTest::keyClick(app.window.get(), Qt::Key_Space);
        QVERIFY(!app.fixture.controller.hasActiveSession());

        app.commands.startPracticeAction()->trigger();
        QVERIFY(app.fixture.controller.hasActiveSession());
        QVERIFY(toggle->isEnabled() && finish->isEnabled());
        QCOMPARE(toggle->text(), QStringLiteral("Pause Session"));

        QTest::keyClick(app.window.get(), Qt::Key_Space);
        QVERIFY(app.session().isPaused);
        QCOMPARE(toggle->text(), QStringLiteral("Resume Session"));
        QTest::keyClick(app.window.get(), Qt::Key_Space);
        QVERIFY(!app.session().isPaused);
        QCOMPARE(toggle->text(), QStringLiteral("Pause Session"));

        // The controller changed elsewhere: the menu follows at once.
        app.fixture.controller.discard();
        QVERIFY(!toggle->isEnabled());
        QVERIFY(!finish->isEnabled());
    }

    void shortcutsRunTheWindowsCommands() {
        CommandedWindow app;
        QVERIFY(app.bringToFront());
        app.window->chooseDestination(AppDestination::journal);
        QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(app.fixture.controller.hasActiveSession());
        QCOMPARE(app.window->workspaceRoute(), SessionWorkspaceRoute::active());
        QVERIFY(app.window->transportPresenter()->isPresented());

        // Again while running: the controller keeps the session; the room shows.
        const ActivePracticeSession first = app.session();
        app.fixture.time.advance(30);
        app.window->logPractice();
        QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(app.session().id, first.id);
        QCOMPARE(app.session().startedAt, first.startedAt);
        QCOMPARE(app.window->workspaceRoute(), SessionWorkspaceRoute::active());

        app.window->chooseDestination(AppDestination::insights);
        QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app.window->workspaceRoute(), SessionWorkspaceRoute::log());
        QCOMPARE(app.window->selection(), std::optional<AppDestination>(AppDestination::insights));

        app.commands.importPracticeHistoryAction()->trigger();
        QCOMPARE(app.fixture.chooser->requests.size(), size_t(1));
        QCOMPARE(app.fixture.chooser->requests.front().window.data(), app.window.get());
    }

    void spaceInATextFieldTypesASpace_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("line edit") << QStringLiteral("plain");
        QTest::newRow("text edit") << QStringLiteral("rich");
        QTest::newRow("plain text edit") << QStringLiteral("notes");
        QTest::newRow("marked minutes field") << QStringLiteral("minutes");
    }
    void spaceInATextFieldTypesASpace() {
        QFETCH(QString, field);
        CommandedWindow app;
        QVERIFY(app.bringToFront());
        app.fixture.controller.start(app.fixture.time.now);
        QWidget* target = field == u"plain"   ? static_cast<QWidget*>(app.fields.plain)
                          : field == u"rich"  ? static_cast<QWidget*>(app.fields.rich)
                          : field == u"notes" ? static_cast<QWidget*>(app.fields.notes)
                                              : static_cast<QWidget*>(app.fields.minutes);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClicks(target, QStringLiteral("a b"));
        QTest::keyClick(target, Qt::Key_Space);
        QVERIFY(!app.session().isPaused);
        QString text;
        if (auto* line = qobject_cast<QLineEdit*>(target))
            text = line->text();
        else if (auto* rich = qobject_cast<QTextEdit*>(target))
            text = rich->toPlainText();
        else
            text = qobject_cast<QPlainTextEdit*>(target)->toPlainText();
        QCOMPARE(text, QStringLiteral("a b "));
    }

    void aMarkedFieldSwitchesThePauseItemOff_data() {
        QTest::addColumn<bool>("inside");
        QTest::newRow("the marked field") << false;
        QTest::newRow("a field inside a marked widget") << true;
    }
    void aMarkedFieldSwitchesThePauseItemOff() {
        QFETCH(bool, inside);
        CommandedWindow app;
        QVERIFY(app.bringToFront());
        app.fixture.controller.start(app.fixture.time.now);
        QAction* toggle = app.commands.toggleActiveSessionAction();
        QVERIFY(toggle->isEnabled());

        QLineEdit* marked = inside ? app.fields.insideMinutesBox : app.fields.minutes;
        marked->setFocus();
        QTRY_VERIFY(!toggle->isEnabled());
        QCOMPARE(app.commands.frontValues().suppressesPracticeShortcuts, std::optional(true));
        // Only the space-bar command stands aside; finishing still works.
        QVERIFY(app.commands.finishActiveSessionAction()->isEnabled());
        toggle->trigger();
        QVERIFY(!app.session().isPaused);

        // Focus moving to an unmarked field makes the flag absent again.
        app.fields.plain->setFocus();
        QTRY_VERIFY(toggle->isEnabled());
        QVERIFY(!app.commands.frontValues().suppressesPracticeShortcuts);
    }

    void theWindowInFrontIsTheOneCommanded() {
        WindowFixture fixture;
        BrevantaCommands commands;
        auto first = fixture.makeWindow();
        auto second = fixture.makeWindow();
        commands.attach(first.get(), first->practiceCommands());
        commands.attach(second.get(), second->practiceCommands());
        first->show();
        second->show();
        second->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(second.get()));
        commands.logPracticeAction()->trigger();
        QCOMPARE(second->workspaceRoute(), SessionWorkspaceRoute::log());
        QVERIFY(!first->workspaceRoute());

        first->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(first.get()));
        commands.startPracticeAction()->trigger();
        QCOMPARE(first->workspaceRoute(), SessionWorkspaceRoute::active());
        QCOMPARE(second->workspaceRoute(), SessionWorkspaceRoute::log());

        // A sheet in front belongs to its window.
        first->showAddThought();
        QWidget* sheet = QApplication::activeModalWidget();
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        QVERIFY(commands.finishActiveSessionAction()->isEnabled());

        // A closed window is forgotten.
        second.reset();
        commands.refresh();
        QVERIFY(commands.finishActiveSessionAction()->isEnabled());
    }
};

QTEST_MAIN(TestBrevantaCommands)
#include "tst_brevantacommands.moc"
