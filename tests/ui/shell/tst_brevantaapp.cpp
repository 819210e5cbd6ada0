// SPDX-License-Identifier: MIT
#include "ShellTestSupport.h"
#include "core/journal/JournalSearchIndex.h"
#include "core/store/JournalStore.h"
#include "ui/design/AppButton.h"
#include "ui/shell/AppAppearance.h"
#include "ui/shell/BottomSlidePresenter.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/BrevantaCommands.h"
#include "ui/shell/BrevantaSettingsView.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/JournalSearchWarmUp.h"
#include "ui/shell/RecoveredSessionOffer.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;

namespace {

QPalette platformPalette(AppColors::Appearance appearance) {
    QPalette palette;
    const bool dark = appearance == AppColors::Appearance::dark;
    palette.setColor(QPalette::Window, dark ? QColor(30, 30, 30) : QColor(240, 240, 240));
    palette.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
    return palette;
}

AppColors::Appearance installedAppearance() {
    return AppColors::appearance(QApplication::palette());
}

} // namespace

/// The application object: what it owns, the windows it opens and the settings window.
class TestBrevantaApp : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    std::shared_ptr<FakeFileChooser> m_chooser;

    std::unique_ptr<BrevantaApp>
    makeApp(const QString& storedAppearance = {},
            AppColors::Appearance platform = AppColors::Appearance::light,
            const StoreConfiguration& store = StoreConfiguration::inMemory()) {
        auto settings = std::make_unique<QSettings>(
            m_folder.filePath(QStringLiteral("settings-%1.ini").arg(++m_settingsFiles)),
            QSettings::IniFormat);
        if (!storedAppearance.isEmpty())
            settings->setValue(QStringLiteral("appearance"), storedAppearance);
        m_chooser = std::make_shared<FakeFileChooser>();
        BrevantaApp::Environment environment;
        environment.fileChooser = m_chooser;
        environment.settings = std::move(settings);
        environment.platformPalette = platformPalette(platform);
        return std::make_unique<BrevantaApp>(store, std::move(environment));
    }

    int m_settingsFiles = 0;

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }

    void windowsShareOneControllerAndOneStore() {
        auto app = makeApp();
        QVERIFY(app->store().sessions().empty());
        QVERIFY(app->store().configuration().isStoredInMemoryOnly);
        QVERIFY(!app->activeSessionController().hasActiveSession());
        QVERIFY(app->mainWindows().isEmpty());

        ContentView* first = app->openMainWindow();
        ContentView* second = app->openMainWindow();
        QCOMPARE(app->mainWindows().size(), 2);
        QVERIFY(first->isVisible() && second->isVisible());
        QVERIFY(first->geometry() != second->geometry());
        QVERIFY(!first->menuBar()->actions().isEmpty());

        first->startPractice();
        QVERIFY(app->activeSessionController().hasActiveSession());
        QVERIFY(second->transportPresenter()->isPresented());

        // A closed window leaves the others and the running session alone.
        QPointer<ContentView> closing = second;
        second->close();
        QTRY_VERIFY(closing.isNull());
        QCOMPARE(app->mainWindows().size(), 1);
        QVERIFY(app->activeSessionController().hasActiveSession());
    }

    // The journal search's dates are written in idle time once the first window is up, under
    // the user's calendar, as the screens search.
    void searchWarmUpStartsWithTheFirstWindow() {
        auto app = makeApp();
        for (int day = 0; day < 3; ++day) {
            const Instant start = Instant::fromSecsSinceEpoch(1'741'000'000 + day * 86'400);
            app->store().insert(PracticeSession::create(QUuid::createUuid(), start, 600,
                                                        PracticeSessionSource::manual, std::nullopt,
                                                        {}, start));
        }
        app->store().save();
        QVERIFY(!app->searchWarmUp().isStarted());

        app->openMainWindow();
        QVERIFY(app->searchWarmUp().isWalking());
        QTRY_VERIFY(!app->searchWarmUp().isWalking());
        QCOMPARE(app->searchWarmUp().formattedCount(), std::size_t(3));
        QVERIFY(JournalSearchIndex::of(app->store()).isComplete(Calendar::current()));

        app->openMainWindow();
        QVERIFY(!app->searchWarmUp().isWalking());
    }

    void settingsImportReachesEveryOpenMainWindow() {
        auto app = makeApp();
        ContentView* first = app->openMainWindow();
        ContentView* second = app->openMainWindow();
        BrevantaSettingsView* settings = app->showSettings();
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->importButton()->text(), QStringLiteral("Import Practice History…"));
        QCOMPARE(settings->importButton()->accessibleName(),
                 QStringLiteral("Select practice history CSV files"));

        settings->importButton()->click();
        QCOMPARE(m_chooser->requests.size(), size_t(2));
        QCOMPARE(m_chooser->requests[0].window.data(), first);
        QCOMPARE(m_chooser->requests[1].window.data(), second);
        // Choosing files in one window concerns that window only.
        m_chooser->answer({QStringLiteral("/m/March.csv")});
        QCOMPARE(first->importedFiles(), QStringList{QStringLiteral("/m/March.csv")});
        QVERIFY(second->isSelectingImportFiles());
    }

    // A session left in the recovery file comes back paused and is offered; closing the offer
    // without a choice keeps it.
    void recoveredSessionIsOfferedBack_data() {
        QTest::addColumn<int>("choice");
        QTest::newRow("resume") << int(RecoveredSessionOffer::Choice::resume);
        QTest::newRow("finish") << int(RecoveredSessionOffer::Choice::finish);
        QTest::newRow("discard") << int(RecoveredSessionOffer::Choice::discard);
        QTest::newRow("closed without a choice") << -1;
    }
    void recoveredSessionIsOfferedBack() {
        QFETCH(int, choice);
        QTemporaryDir folder;
        const QString journal = folder.filePath(QStringLiteral("Brevanta.sqlite"));
        const ActivePracticeSessionRecovery recovery(
            ActivePracticeSessionRecovery::filePathBeside(journal));
        ActivePracticeSession running;
        running.id = QUuid::createUuid();
        running.startedAt = Instant::fromSecsSinceEpoch(1'741'186'800);
        running.mostRecentResumeDate = running.startedAt;
        running.thoughts = {{QUuid::createUuid(), QStringLiteral("Sweep arpeggios"), 0}};
        QVERIFY(recovery.write(running, running.startedAt.addingMSecs(125'000)));

        auto app = makeApp({}, AppColors::Appearance::light, StoreConfiguration::atPath(journal));
        const ActivePracticeSessionController& controller = app->activeSessionController();
        QVERIFY(controller.activeSession()->isPaused);
        QCOMPARE(controller.activeSession()->accumulatedActiveDuration, 125.0);
        ContentView* window = app->openMainWindow();
        app->presentRecovery(window);
        auto* offer = window->findChild<RecoveredSessionOffer*>();
        QVERIFY(offer && offer->isVisible());
        const auto thought = offer->findChild<QLabel*>(QStringLiteral("recovered-session-thought"));
        QVERIFY(thought && thought->text().contains(QStringLiteral("Sweep arpeggios")));
        QVERIFY(offer->findChild<QLabel*>(QStringLiteral("recovered-session-duration"))
                    ->text()
                    .startsWith(QStringLiteral("00:02:05")));
        QCOMPARE(offer->button(RecoveredSessionOffer::Choice::discard)->role(),
                 AppButtonRole::destructive);

        if (choice < 0)
            offer->reject();
        else
            offer->button(RecoveredSessionOffer::Choice(choice))->click();
        switch (choice) {
        case int(RecoveredSessionOffer::Choice::resume):
            QVERIFY(!controller.activeSession()->isPaused);
            QCOMPARE(window->workspaceRoute()->kind(), SessionWorkspaceRoute::Kind::active);
            break;
        case int(RecoveredSessionOffer::Choice::finish):
            QVERIFY(window->isShowingFinish());
            QVERIFY(controller.activeSession()->isPaused);
            break;
        case int(RecoveredSessionOffer::Choice::discard):
            QVERIFY(!controller.hasActiveSession());
            QVERIFY(!QFile::exists(recovery.filePath()));
            break;
        default:
            QVERIFY(controller.activeSession()->isPaused);
            QCOMPARE(recovery.read().recovered->session.thoughts, running.thoughts);
        }
        // Offered once only.
        app->presentRecovery(window);
        QTRY_VERIFY(!window->findChild<RecoveredSessionOffer*>());
    }

    void settingsImportWithoutAMainWindowDoesNothing() {
        auto app = makeApp();
        ContentView* window = app->openMainWindow();
        window->close();
        QTRY_VERIFY(app->mainWindows().isEmpty());
        app->showSettings()->importButton()->click();
        QVERIFY(m_chooser->requests.empty());
    }

    void settingsCommandOpensOneSettingsWindow() {
        auto app = makeApp();
        app->openMainWindow();
        QVERIFY(!app->settingsView());
        app->commands().settingsAction()->trigger();
        BrevantaSettingsView* settings = app->settingsView();
        QVERIFY(settings && settings->isVisible());
        app->commands().settingsAction()->trigger();
        QCOMPARE(app->settingsView(), settings);
    }

    void storedAppearanceIsInstalled_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("platformDark");
        QTest::addColumn<bool>("dark");
        QTest::newRow("nothing stored, light platform") << QString() << false << false;
        QTest::newRow("nothing stored, dark platform") << QString() << true << true;
        QTest::newRow("system, dark platform") << QStringLiteral("system") << true << true;
        QTest::newRow("dark, light platform") << QStringLiteral("dark") << false << true;
        QTest::newRow("light, dark platform") << QStringLiteral("light") << true << false;
        QTest::newRow("unknown reads as system") << QStringLiteral("Dark") << true << true;
    }
    void storedAppearanceIsInstalled() {
        QFETCH(QString, stored);
        QFETCH(bool, platformDark);
        QFETCH(bool, dark);
        auto app = makeApp(stored, platformDark ? AppColors::Appearance::dark
                                                : AppColors::Appearance::light);
        const auto expected = dark ? AppColors::Appearance::dark : AppColors::Appearance::light;
        QCOMPARE(app->appearance().effectiveAppearance(), expected);
        QCOMPARE(installedAppearance(), expected);
        // The whole vocabulary's palette, not only its lightness.
        QCOMPARE(QApplication::palette().color(QPalette::Window),
                 AppColors::windowBackground().resolve(QApplication::palette()));
    }

    void appearancePickerSwitchesLive() {
        auto app = makeApp(QStringLiteral("light"), AppColors::Appearance::dark);
        ContentView* window = app->openMainWindow();
        BrevantaSettingsView* settings = app->showSettings();
        QVERIFY(settings->appearanceSegment(QStringLiteral("light"))->isChecked());
        const QColor lightBackground = window->palette().color(QPalette::Window);

        settings->appearanceSegment(QStringLiteral("dark"))->click();
        QCOMPARE(app->settings().value(QStringLiteral("appearance")).toString(),
                 QStringLiteral("dark"));
        QCOMPARE(installedAppearance(), AppColors::Appearance::dark);
        // Open windows follow without a restart.
        QTRY_VERIFY(window->palette().color(QPalette::Window) != lightBackground);
        QCOMPARE(AppColors::appearance(window->palette()), AppColors::Appearance::dark);

        settings->appearanceSegment(QStringLiteral("system"))->click();
        QCOMPARE(app->settings().value(QStringLiteral("appearance")).toString(),
                 QStringLiteral("system"));
        QCOMPARE(installedAppearance(), AppColors::Appearance::dark);
        settings->appearanceSegment(QStringLiteral("light"))->click();
        QCOMPARE(installedAppearance(), AppColors::Appearance::light);
        QVERIFY(settings->appearanceSegment(QStringLiteral("light"))->isChecked());
    }
};

QTEST_MAIN(TestBrevantaApp)
#include "tst_brevantaapp.moc"
