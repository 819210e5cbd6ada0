// SPDX-License-Identifier: MIT
// The roads a musician takes through the whole application: menu command to screen to journal.
#include "ShellTestSupport.h"
#include "core/store/JournalStore.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/PracticeView.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/ContentView.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;

class TestPracticeRoad : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    MovableClock m_time;

    std::unique_ptr<BrevantaApp> makeApp() {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        environment.fileChooser = std::make_shared<FakeFileChooser>();
        environment.settings = std::make_unique<QSettings>(
            m_folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        return std::make_unique<BrevantaApp>(StoreConfiguration::inMemory(),
                                             std::move(environment));
    }

    static ContentView* activeWindow(BrevantaApp& app) {
        ContentView* window = app.openMainWindow();
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window))
            return nullptr;
        return window;
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }

    void timedSessionTravelsFromTheMenuToTheJournal() {
        auto app = makeApp();
        ContentView* window = activeWindow(*app);
        QVERIFY(window);
        BrevantaCommands& commands = app->commands();

        commands.startPracticeAction()->trigger();
        QVERIFY(app->activeSessionController().hasActiveSession());
        QVERIFY(window->workspaceRoute() == SessionWorkspaceRoute::active());
        auto* room = window->findChild<PracticeView*>();
        QVERIFY(room);
        QTRY_VERIFY(room->isVisible());

        auto* thought = room->findChild<QLineEdit*>(QStringLiteral("thought-field"));
        QVERIFY(thought);
        QTRY_VERIFY(thought->isVisible());
        thought->setFocus();
        QTest::keyClicks(thought, QStringLiteral("Alternate picking at 90 bpm"));
        QTest::keyClick(thought, Qt::Key_Return);
        QCOMPARE(app->activeSessionController().activeSession()->thoughts.size(), 1u);

        m_time.advance(30);
        commands.toggleActiveSessionAction()->trigger();
        QVERIFY(app->activeSessionController().activeSession()->isPaused);
        m_time.advance(300); // a break that must not count
        commands.toggleActiveSessionAction()->trigger();
        m_time.advance(10);

        QVERIFY(commands.finishActiveSessionAction()->isEnabled());
        commands.finishActiveSessionAction()->trigger();
        QTRY_VERIFY(window->isShowingFinish());
        auto* sheet = window->findChild<FinishPracticeSessionView*>();
        QVERIFY(sheet);
        auto* add = sheet->findChild<QAbstractButton*>(QStringLiteral("add-to-journal"));
        QVERIFY(add);
        QVERIFY(!add->isEnabled()); // the thought has no practice group yet
        const auto groups =
            sheet->findChildren<QAbstractButton*>(QStringLiteral("finish-category"));
        const auto haveFun = std::find_if(groups.begin(), groups.end(), [](QAbstractButton* group) {
            return group->text() == QStringLiteral("Have Fun");
        });
        QVERIFY(haveFun != groups.end());
        (*haveFun)->click();
        QVERIFY(add->isEnabled());
        add->click();

        QCOMPARE(app->store().sessions().size(), 1u);
        const PracticeSessionPtr saved = app->store().sessions().front();
        QCOMPARE(saved->source(), PracticeSessionSource::timed);
        QCOMPARE(saved->durationSeconds(), 40);
        QCOMPARE(saved->entries().size(), 1u);
        QCOMPARE(saved->entries().front()->title(), QStringLiteral("Alternate picking at 90 bpm"));
        QCOMPARE(saved->entries().front()->category(), PracticeCategory::haveFun);
        QVERIFY(!app->activeSessionController().hasActiveSession());
        QVERIFY(!app->store().hasChanges());
    }

    void loggedSessionSavesAndClosesTheForm() {
        auto app = makeApp();
        ContentView* window = activeWindow(*app);
        QVERIFY(window);

        app->commands().logPracticeAction()->trigger();
        QVERIFY(window->workspaceRoute() == SessionWorkspaceRoute::log());
        auto* save = window->findChild<QAbstractButton*>(QStringLiteral("workspace-save"));
        QVERIFY(save);
        QTRY_VERIFY(save->isVisible());
        const auto chips =
            window->findChildren<QAbstractButton*>(QStringLiteral("quick-duration-chip"));
        const auto hour = std::find_if(chips.begin(), chips.end(), [](QAbstractButton* chip) {
            return chip->text() == QStringLiteral("1 hour");
        });
        QVERIFY(hour != chips.end());
        (*hour)->click();
        save->click();

        QCOMPARE(app->store().sessions().size(), 1u);
        QCOMPARE(app->store().sessions().front()->durationSeconds(), 3600);
        QCOMPARE(app->store().sessions().front()->source(), PracticeSessionSource::manual);
        QVERIFY(!window->workspaceRoute().has_value());
    }
};

QTEST_MAIN(TestPracticeRoad)
#include "tst_practiceroad.moc"
