// SPDX-License-Identifier: MIT
#include "ShellTestSupport.h"
#include "core/model/PracticeSession.h"
#include "support/TimerTestSupport.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppLabel.h"
#include "ui/shell/ActiveQuickThoughtView.h"
#include "ui/shell/ActiveSessionTransport.h"
#include "ui/shell/BottomSlidePresenter.h"
#include "ui/shell/ContentSidebar.h"
#include "ui/shell/PracticeCommandPublication.h"

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

using Kind = SessionWorkspaceRoute::Kind;

PracticeSessionPtr storedSession() {
    return PracticeSession::create(QUuid::createUuid(), Instant::fromSecsSinceEpoch(1'741'000'000),
                                   1800, PracticeSessionSource::manual, std::nullopt, {},
                                   Instant::fromSecsSinceEpoch(1'741'000'000));
}

/// Screens made of labels, keeping the callbacks the window hands them.
struct RecordingScreens {
    ScreenFactory::HomeActions home;
    ScreenFactory::JournalActions journal;
    ScreenFactory::PracticeRoomActions room;
    ScreenFactory::WorkspaceActions workspace;
    std::optional<SessionWorkspaceRoute> workspaceRoute;
    QPointer<QWidget> journalToolbar;
    QPointer<QDialog> finishSheet;
    QPointer<QDialog> importSheet;
    QStringList importFiles;
    std::function<void()> viewJournal;
    int made = 0;

    static HostedScreen label(const QString& name) {
        auto* label = new QLabel(name);
        label->setObjectName(name);
        return {label, nullptr};
    }

    ScreenFactory factory() {
        ScreenFactory screens;
        screens.home = [this](const ScreenFactory::HomeActions& actions) {
            home = actions;
            ++made;
            return label(QStringLiteral("home-view"));
        };
        screens.journal = [this](const ScreenFactory::JournalActions& actions) {
            journal = actions;
            ++made;
            HostedScreen screen = label(QStringLiteral("sessions-view"));
            screen.toolbarItems = journalToolbar = new QLineEdit;
            return screen;
        };
        screens.insights = [this] {
            ++made;
            return label(QStringLiteral("insights-view"));
        };
        screens.practiceRoom = [this](const ScreenFactory::PracticeRoomActions& actions) {
            room = actions;
            ++made;
            return label(QStringLiteral("practice-view"));
        };
        screens.workspace = [this](const SessionWorkspaceRoute& route,
                                   const ScreenFactory::WorkspaceActions& actions) {
            workspace = actions;
            workspaceRoute = route;
            ++made;
            return label(route.kind() == Kind::log ? QStringLiteral("workspace-log")
                                                   : QStringLiteral("workspace-edit"));
        };
        screens.finishSheet = [this](QWidget* window) {
            finishSheet = new QDialog(window);
            return finishSheet.data();
        };
        screens.importReview = [this](QWidget* window, const QStringList& files,
                                      std::function<void()> onViewJournal) {
            importFiles = files;
            viewJournal = std::move(onViewJournal);
            importSheet = new QDialog(window);
            return importSheet.data();
        };
        return screens;
    }
};

QString shown(const ContentView& window) {
    return window.shownScreen()->objectName();
}

QMessageBox* discardBox(const ContentView& window) {
    return window.findChild<QMessageBox*>(QStringLiteral("discard-confirmation"));
}

} // namespace

/// The main window's navigation, transport bar and sheets, driven as a user would.
class TestContentView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsAtHomeWithEveryPlacePlainlyEmpty() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::home));
        QVERIFY(!window->workspaceRoute());
        QCOMPARE(window->columnVisibility(), ContentView::ColumnVisibility::all);
        QCOMPARE(window->windowTitle(), QString());
        QVERIFY(window->findChild<QWidget*>(QStringLiteral("sidebar-brand")));
        for (const QString& id : {u"home"_s, u"journal"_s, u"insights"_s}) {
            auto* row =
                window->findChild<SidebarDestinationRow*>(QStringLiteral("destination-") + id);
            QVERIFY2(row, qPrintable(id));
            QVERIFY(row->minimumSizeHint().height() >= 44);
            window->chooseDestination(row->destination());
            // Nothing stands in for a screen that is not there yet.
            QCOMPARE(shown(*window), QStringLiteral("empty-") + id);
            QVERIFY(window->shownScreen()->children().isEmpty());
        }
        window->startPractice();
        QCOMPARE(shown(*window), QStringLiteral("empty-practice-room"));
        window->logPractice();
        QCOMPARE(shown(*window), QStringLiteral("empty-log-workspace"));
    }

    void sidebarRowsChooseDestinations() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        QSignalSpy changes(window.get(), &ContentView::navigationChanged);
        QTest::mouseClick(window->sidebar()->row(AppDestination::insights), Qt::LeftButton);
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::insights));
        QCOMPARE(shown(*window), QStringLiteral("insights-view"));
        QVERIFY(window->sidebar()->row(AppDestination::insights)->isChecked());
        QVERIFY(!window->sidebar()->row(AppDestination::home)->isChecked());
        QCOMPARE(changes.count(), 1);

        // Destination screens are made once per window and kept.
        QTest::mouseClick(window->sidebar()->row(AppDestination::home), Qt::LeftButton);
        QTest::mouseClick(window->sidebar()->row(AppDestination::insights), Qt::LeftButton);
        QCOMPARE(screens.made, 2);

        // The arrow keys move through the list as in a platform sidebar.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->sidebar()->row(AppDestination::insights)->setFocus();
        QTest::keyClick(window->sidebar()->row(AppDestination::insights), Qt::Key_Up);
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::journal));
        QCOMPARE(shown(*window), QStringLiteral("sessions-view"));
        QVERIFY(window->sidebar()->row(AppDestination::journal)->hasFocus());
        QTest::keyClick(window->sidebar()->row(AppDestination::journal), Qt::Key_Up);
        QTest::keyClick(window->sidebar()->row(AppDestination::home), Qt::Key_Up);
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::home));
        QTest::keyClick(window->sidebar()->row(AppDestination::home), Qt::Key_Down);
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::journal));
    }

    void choosingADestinationLeavesTheWorkspace_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("destination");
        QTest::newRow("insights over the log form")
            << int(Kind::log) << int(AppDestination::insights);
        QTest::newRow("the selected one over the log form")
            << int(Kind::log) << int(AppDestination::home);
        QTest::newRow("journal over the practice room")
            << int(Kind::active) << int(AppDestination::journal);
        QTest::newRow("home over the edit form") << int(Kind::edit) << int(AppDestination::home);
    }
    void choosingADestinationLeavesTheWorkspace() {
        QFETCH(int, route);
        QFETCH(int, destination);
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        switch (Kind(route)) {
        case Kind::log:
            window->logPractice();
            break;
        case Kind::active:
            window->startPractice();
            break;
        case Kind::edit:
            window->editSession(storedSession());
            break;
        }
        QVERIFY(window->workspaceRoute());
        QPointer<QWidget> workspace = window->shownScreen();
        QTest::mouseClick(window->sidebar()->row(AppDestination::Value(destination)),
                          Qt::LeftButton);
        QVERIFY(!window->workspaceRoute());
        QCOMPARE(window->selection(),
                 std::optional<AppDestination>(AppDestination::Value(destination)));
        QVERIFY(window->shownScreen() != workspace);
        // The closed workspace goes away; the next visit starts afresh.
        QTRY_VERIFY(workspace.isNull());
    }

    void screenCallbacksMoveTheRoute() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());

        screens.home.onLog();
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::log());
        QCOMPARE(shown(*window), QStringLiteral("workspace-log"));
        screens.workspace.onCancel();
        QVERIFY(!window->workspaceRoute());
        QCOMPARE(shown(*window), QStringLiteral("home-view"));

        screens.home.onStart();
        QVERIFY(fixture.controller.hasActiveSession());
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::active());
        QCOMPARE(shown(*window), QStringLiteral("practice-view"));

        window->chooseDestination(AppDestination::journal);
        const PracticeSessionPtr session = storedSession();
        screens.journal.onEditSession(session);
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::edit(session));
        QCOMPARE(screens.workspaceRoute, SessionWorkspaceRoute::edit(session));
        QCOMPARE(shown(*window), QStringLiteral("workspace-edit"));
        // Editing another session is another route, not the same form.
        QVERIFY(SessionWorkspaceRoute::edit(storedSession()) !=
                SessionWorkspaceRoute::edit(session));
        screens.workspace.onSaved(session);
        QVERIFY(!window->workspaceRoute());
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::journal));

        screens.journal.onLogPractice();
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::log());
        screens.journal.onImportPractice();
        QCOMPARE(fixture.chooser->requests.size(), size_t(1));
    }

    void practiceRoomIsKeptWhileItsRouteStays() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->startPractice();
        QWidget* room = window->shownScreen();
        const int made = screens.made;
        // Opening from the transport or starting again keeps the room as it is.
        window->transport()->wideControls().open->click();
        window->startPractice();
        QCOMPARE(window->shownScreen(), room);
        QCOMPARE(screens.made, made);
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::active());
    }

    void toolbarItemsFollowTheirScreen() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->chooseDestination(AppDestination::journal);
        QVERIFY(screens.journalToolbar);
        QCOMPARE(window->shownToolbarItems(), screens.journalToolbar.data());
        QVERIFY(screens.journalToolbar->isVisible());
        window->logPractice();
        QVERIFY(!screens.journalToolbar->isVisible());
        QCOMPARE(window->shownToolbarItems(), nullptr);
        window->chooseDestination(AppDestination::journal);
        QVERIFY(screens.journalToolbar->isVisible());
    }

    void sidebarFoldsBelow900_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("sidebarShown");
        QTest::newRow("899") << 899 << false;
        QTest::newRow("900") << 900 << true;
    }
    void sidebarFoldsBelow900() {
        QFETCH(int, width);
        QFETCH(bool, sidebarShown);
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        window->resize(width, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->columnVisibility() == ContentView::ColumnVisibility::all, sidebarShown);
        QCOMPARE(window->sidebar()->isVisible(), sidebarShown);

        // Crossing the threshold either way adapts the sidebar.
        window->resize(sidebarShown ? 899 : 900, 700);
        QTRY_COMPARE(window->sidebar()->isVisible(), !sidebarShown);
    }

    void windowOpeningNarrowLeavesTheSidebarOutUntilShown_data() {
        QTest::addColumn<std::optional<int>>("openingWidth");
        QTest::newRow("opening width told") << std::optional<int>(800);
        QTest::newRow("found at show") << std::optional<int>();
    }
    void windowOpeningNarrowLeavesTheSidebarOutUntilShown() {
        QFETCH(std::optional<int>, openingWidth);
        WindowFixture fixture;
        auto window = fixture.makeWindow({}, openingWidth);
        // Told the width, the window decides while it is built, before anything measures the
        // sidebar's text.
        QCOMPARE(window->sidebar()->isHidden(), openingWidth.has_value());
        window->resize(800, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(!window->sidebar()->isVisible());

        auto* toggle = window->findChild<AppButton*>(QStringLiteral("sidebar-toggle"));
        QVERIFY(toggle);
        toggle->click();
        QTRY_VERIFY(window->sidebar()->isVisible());
        // Measured once shown: it takes its width and each row its height.
        QTRY_COMPARE(window->sidebar()->width(), ContentView::sidebarIdealWidth);
        for (const AppDestination destination :
             {AppDestination::home, AppDestination::journal, AppDestination::insights}) {
            const QWidget* row = window->sidebar()->row(destination);
            QVERIFY(row->height() >= row->sizeHint().height());
        }
    }

    void sidebarShownOrHiddenByHandStaysUntilACrossing() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        window->resize(1200, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* toggle = window->findChild<AppButton*>(QStringLiteral("sidebar-toggle"));
        QVERIFY(toggle);
        QCOMPARE(toggle->accessibleName(), QStringLiteral("Hide Sidebar"));
        toggle->click();
        QCOMPARE(window->columnVisibility(), ContentView::ColumnVisibility::detailOnly);
        QCOMPARE(toggle->accessibleName(), QStringLiteral("Show Sidebar"));

        // Each resize is waited for until it lands, then the choice is checked.
        window->resize(1000, 700);
        QTRY_COMPARE(window->width(), 1000);
        QCOMPARE(window->columnVisibility(), ContentView::ColumnVisibility::detailOnly);
        window->resize(850, 700);
        QTRY_COMPARE(window->width(), 850);
        toggle->click();
        QCOMPARE(window->columnVisibility(), ContentView::ColumnVisibility::all);
        window->resize(800, 700);
        QTRY_COMPARE(window->width(), 800);
        QCOMPARE(window->columnVisibility(), ContentView::ColumnVisibility::all);
        window->resize(950, 700);
        window->resize(880, 700);
        QTRY_COMPARE(window->columnVisibility(), ContentView::ColumnVisibility::detailOnly);
    }

    void transportBarComesAndGoesWithTheSession() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        window->resize(1100, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        BottomSlidePresenter* presenter = window->transportPresenter();
        QVERIFY(!presenter->isVisible());

        window->chooseDestination(AppDestination::journal);
        window->startPractice();
        QVERIFY(presenter->isPresented());
        QVERIFY(presenter->isAnimating());
        QTRY_COMPARE(presenter->progress(), 1.0);
        QVERIFY(window->transport()->isVisible());
        // It sits at the bottom of the detail area.
        QCOMPARE(presenter->mapTo(window.get(), QPoint(0, presenter->height())).y(),
                 window->centralWidget()->geometry().bottom() + 1);

        // Discarding from the journal, with the room closed, ends the session; the bar leaves
        // with its animation.
        window->chooseDestination(AppDestination::journal);
        window->confirmDiscard();
        QMessageBox* box = discardBox(*window);
        QVERIFY(box);
        box->findChild<QPushButton*>(QStringLiteral("discard-session"))->click();
        QVERIFY(!fixture.controller.hasActiveSession());
        QVERIFY(presenter->isVisible());
        QVERIFY(presenter->isAnimating());
        QTRY_VERIFY(!presenter->isVisible());
        QCOMPARE(presenter->progress(), 0.0);
    }

    void transportClockRedrawsFromTheCurrentInstant() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        window->resize(1100, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ActiveSessionTransport* transport = window->transport();
        QVERIFY(!transport->isTicking());
        window->startPractice();
        QTRY_VERIFY(transport->isTicking());
        QCOMPARE(transport->elapsedText(), QStringLiteral("00:00:00"));
        QCOMPARE(transport->wideControls().elapsed->accessibleName(),
                 QStringLiteral("Elapsed practice time"));

        // One tick after an hour passed shows the hour: the time is measured, not counted.
        QCOMPARE(transport->clockTicker().interval(), 1000);
        fixture.time.advance(3600 + 65.4);
        QVERIFY(testing::fire(transport->clockTicker()));
        QCOMPARE(transport->elapsedText(), QStringLiteral("01:01:05"));

        transport->shownControls().pause->click();
        QVERIFY(fixture.controller.activeSession()->isPaused);
        QCOMPARE(transport->shownControls().pause->text(), QStringLiteral("Resume"));
        QCOMPARE(transport->shownControls().pause->symbolName(), QStringLiteral("play.fill"));
        QCOMPARE(transport->wideControls().open->status(), QStringLiteral("Paused"));
        fixture.time.advance(600);
        testing::fire(transport->clockTicker());
        QCOMPARE(transport->elapsedText(), QStringLiteral("01:01:05"));

        transport->shownControls().pause->click();
        QVERIFY(!fixture.controller.activeSession()->isPaused);
        QCOMPARE(transport->wideControls().open->status(), QStringLiteral("Recording"));
        fixture.time.advance(10);
        QVERIFY(testing::fire(transport->clockTicker()));
        QCOMPARE(transport->elapsedText(), QStringLiteral("01:01:15"));

        window->hide();
        QVERIFY(!transport->isTicking());
    }

    void transportShowsTheFirstThoughtAsTitle() {
        WindowFixture fixture;
        auto window = fixture.showWindow();
        window->startPractice();
        TransportOpenButton* open = window->transport()->wideControls().open;
        QCOMPARE(open->title(), QStringLiteral("Practice Session"));
        fixture.controller.addThought(QStringLiteral("  Legato runs  "));
        QCOMPARE(open->title(), QStringLiteral("Legato runs"));
    }

    void transportFitsItsLayoutToTheWidth() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        window->resize(1200, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->startPractice();
        ActiveSessionTransport* transport = window->transport();
        QTRY_COMPARE(window->transportPresenter()->progress(), 1.0);
        QVERIFY(!transport->isCompact());

        // A fixed, narrow bar only fits the compact layout of symbols.
        window->transportPresenter()->setFixedWidth(400);
        QTRY_VERIFY(transport->isCompact());
        const auto& compact = transport->compactControls();
        QVERIFY(compact.pause->isIconOnly());
        QCOMPARE(compact.pause->accessibleName(), QStringLiteral("Pause"));
        QCOMPARE(compact.addThought->accessibleName(), QStringLiteral("Add Thought"));
        QCOMPARE(compact.finish->accessibleName(), QStringLiteral("Finish"));
        QCOMPARE(compact.open->accessibleName(), QStringLiteral("Open active practice"));

        window->logPractice();
        compact.open->click();
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::active());
    }

    void transportOpensTheSheets() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->startPractice();
        const auto& controls = window->transport()->wideControls();
        controls.finish->click();
        QVERIFY(window->isShowingFinish());
        QVERIFY(screens.finishSheet);
        QCOMPARE(screens.finishSheet->windowModality(), Qt::WindowModal);
        QCOMPARE(screens.finishSheet->parentWidget(), window.get());
        // Finishing does not move the route.
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::active());
        screens.finishSheet->reject();
        QVERIFY(!window->isShowingFinish());
        QTRY_VERIFY(screens.finishSheet.isNull());

        controls.addThought->click();
        QVERIFY(window->isAddingThought());
        QVERIFY(window->findChild<ActiveQuickThoughtView*>());
    }

    void quickThoughtNeedsWords_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("added");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("spaces and line breaks")
            << QStringLiteral("  \u2028 \t ") << QString() << false;
        QTest::newRow("words with spaces around") << QStringLiteral("  Sweep picking at 90  ")
                                                  << QStringLiteral("Sweep picking at 90") << false;
        QTest::newRow("words, then Cancel") << QStringLiteral("Vibrato") << QString() << true;
    }
    void quickThoughtNeedsWords() {
        QFETCH(QString, typed);
        QFETCH(QString, added);
        QFETCH(bool, cancel);
        WindowFixture fixture;
        auto window = fixture.showWindow();
        window->startPractice();
        window->showAddThought();
        auto* sheet = window->findChild<ActiveQuickThoughtView*>();
        QVERIFY(sheet);
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QCOMPARE(sheet->field()->placeholderText(), QStringLiteral("What are you working on?"));
        QTRY_COMPARE(QApplication::focusWidget(), sheet->field());
        sheet->field()->insert(typed);
        QCOMPARE(sheet->addButton()->isEnabled(), !added.isEmpty() || cancel);
        if (cancel)
            sheet->cancelButton()->click();
        else
            QTest::keyClick(sheet->field(), Qt::Key_Return);
        QCOMPARE(window->isAddingThought(), !cancel && added.isEmpty());
        if (added.isEmpty()) {
            QVERIFY(fixture.controller.activeSession()->thoughts.empty());
            return;
        }
        QCOMPARE(fixture.controller.activeSession()->thoughts.size(), size_t(1));
        QCOMPARE(fixture.controller.activeSession()->thoughts.front().text, added);
    }

    void discardAsksFirst_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("dismissed") << false;
        QTest::newRow("confirmed") << true;
    }
    void discardAsksFirst() {
        QFETCH(bool, confirm);
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->startPractice();
        screens.room.onDiscard();
        QVERIFY(window->isConfirmingDiscard());
        QMessageBox* box = discardBox(*window);
        QVERIFY(box);
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QCOMPARE(box->text(), QStringLiteral("Discard this practice session?"));
        QCOMPARE(box->informativeText(),
                 QStringLiteral("The elapsed time, entries, and notes will not be saved."));
        auto* discard = box->findChild<QPushButton*>(QStringLiteral("discard-session"));
        QVERIFY(discard);
        QCOMPARE(discard->text(), QStringLiteral("Discard Session"));
        QCOMPARE(box->buttonRole(discard), QMessageBox::DestructiveRole);
        QVERIFY(qobject_cast<AppButton*>(discard)->isDestructive());
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        // Asking twice shows one dialog.
        screens.room.onDiscard();
        QCOMPARE(window->findChildren<QMessageBox*>().size(), 1);

        if (confirm)
            discard->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!window->isConfirmingDiscard());
        QCOMPARE(fixture.controller.hasActiveSession(), !confirm);
        QCOMPARE(window->workspaceRoute().has_value(), !confirm);
        QTRY_VERIFY(!discardBox(*window));
    }

    void chosenCsvFilesOpenTheImportSheet_data() {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("imported");
        QTest::newRow("two files")
            << QStringList{u"/m/Practice Log March 2024.csv"_s, u"/m/April.CSV"_s}
            << QStringList{u"/m/Practice Log March 2024.csv"_s, u"/m/April.CSV"_s};
        QTest::newRow("only csv files count")
            << QStringList{u"/m/notes.txt"_s, u"/m/May.csv"_s, u"/m/csv"_s}
            << QStringList{u"/m/May.csv"_s};
        QTest::newRow("cancelled") << QStringList{} << QStringList{};
        QTest::newRow("nothing usable") << QStringList{u"/m/notes.txt"_s} << QStringList{};
    }
    void chosenCsvFilesOpenTheImportSheet() {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, imported);
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->selectImportFiles();
        QVERIFY(window->isSelectingImportFiles());
        // One chooser at a time.
        window->selectImportFiles();
        QCOMPARE(fixture.chooser->requests.size(), size_t(1));
        QCOMPARE(fixture.chooser->requests.front().window.data(), window.get());

        fixture.chooser->answer(chosen);
        QVERIFY(!window->isSelectingImportFiles());
        QCOMPARE(window->isShowingImport(), !imported.isEmpty());
        QCOMPARE(screens.importFiles, imported);
        if (imported.isEmpty())
            return;
        QCOMPARE(window->importedFiles(), imported);
        QCOMPARE(screens.importSheet->windowModality(), Qt::WindowModal);

        // The sheet's way to the journal closes any workspace and shows the journal.
        window->logPractice();
        screens.importSheet->accept();
        screens.viewJournal();
        QCOMPARE(window->selection(), std::optional<AppDestination>(AppDestination::journal));
        QVERIFY(!window->workspaceRoute());
        QVERIFY(!window->isShowingImport());
    }

    // The dialog opens beside the files chosen last, while that folder is there, and never
    // with a missing folder's name waiting in its file name box.
    void fileDialogOpensWhereTheLastFilesCameFrom() {
        auto sheets = std::make_unique<QTemporaryDir>();
        const QString sheet = sheets->filePath(u"April.csv"_s);
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QWidget window;
        DialogPracticeHistoryFileChooser chooser;
        QStringList answered{u"none yet"_s};
        const auto open = [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            chooser.chooseFiles(&window, [&](const QStringList& files) { answered = files; });
            return window.findChild<QFileDialog*>();
        };
        const auto fileNameBox = [](QFileDialog* dialog) {
            return dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
        };

        QFileDialog* dialog = open();
        QVERIFY(dialog);
        QVERIFY(QFileInfo(dialog->directory().absolutePath()).isDir());
        QCOMPARE(fileNameBox(dialog), QString());
        dialog->selectFile(sheet);
        static_cast<QDialog*>(dialog)->accept(); // as the Open button does
        QCOMPARE(answered, QStringList{sheet});

        dialog = open();
        QCOMPARE(dialog->directory().absolutePath(), QFileInfo(sheets->path()).absoluteFilePath());
        dialog->reject();
        QCOMPARE(answered, QStringList());

        sheets.reset();
        dialog = open();
        QVERIFY(QFileInfo(dialog->directory().absolutePath()).isDir());
        QCOMPARE(fileNameBox(dialog), QString());
        dialog->reject();
    }

    // Files handed over by another launch skip the chooser; a window busy with an import
    // declines them, so the application can open them in a fresh window instead.
    void handedOverFilesOpenTheImportSheet() {
        WindowFixture fixture;
        RecordingScreens screens;
        auto window = fixture.showWindow(screens.factory());
        window->showMinimized();
        const QStringList files{u"/m/Practice Log March 2024.csv"_s, u"/m/notes.txt"_s};
        QVERIFY(window->takeHandOver(files));
        QVERIFY(!window->isMinimized());
        QCOMPARE(screens.importFiles, QStringList{u"/m/Practice Log March 2024.csv"_s});
        QVERIFY(fixture.chooser->requests.empty());

        QVERIFY(!window->takeHandOver({u"/m/April.csv"_s}));
        QCOMPARE(screens.importFiles, QStringList{u"/m/Practice Log March 2024.csv"_s});
        QVERIFY(window->takeHandOver({}));
        screens.importSheet->reject();
        window->selectImportFiles();
        QVERIFY(!window->takeHandOver({u"/m/April.csv"_s}));
    }

    void importNotificationReachesEveryShownWindow() {
        WindowFixture fixture;
        auto first = fixture.makeWindow();
        auto second = fixture.makeWindow();
        auto hidden = fixture.makeWindow();
        first->show();
        second->show();
        fixture.notifications.post(AppNotificationCenter::importPracticeHistory);
        QCOMPARE(fixture.chooser->requests.size(), size_t(2));
        QCOMPARE(fixture.chooser->requests[0].window.data(), first.get());
        QCOMPARE(fixture.chooser->requests[1].window.data(), second.get());
        fixture.notifications.post(u"Brevanta.somethingElse");
        QCOMPARE(fixture.chooser->requests.size(), size_t(2));
    }

    void windowsShareTheRunningSession() {
        WindowFixture fixture;
        auto first = fixture.makeWindow();
        auto second = fixture.makeWindow();
        first->show();
        second->show();
        first->startPractice();
        QCOMPARE(first->workspaceRoute(), SessionWorkspaceRoute::active());
        // Each window keeps its own navigation, and both show the bar.
        QVERIFY(!second->workspaceRoute());
        QVERIFY(second->transportPresenter()->isPresented());

        second->transport()->wideControls().pause->click();
        QCOMPARE(first->practiceCommands()->values().toggleActiveSessionAction->title,
                 QStringLiteral("Resume Session"));
        QCOMPARE(first->transport()->wideControls().pause->text(), QStringLiteral("Resume"));

        second->startPractice();
        QCOMPARE(fixture.controller.activeSession()->startedAt, fixture.time.now);
        QCOMPARE(second->workspaceRoute(), SessionWorkspaceRoute::active());
    }

    void publishedCommandsFollowTheSession() {
        WindowFixture fixture;
        auto window = fixture.makeWindow();
        QSignalSpy published(window->practiceCommands(),
                             &PracticeCommandPublication::valuesChanged);
        auto values = [&] { return window->practiceCommands()->values(); };
        QCOMPARE(values().startPracticeAction->title, QStringLiteral("Start Practice"));
        QCOMPARE(values().logPracticeAction->title, QStringLiteral("Log Practice"));
        QCOMPARE(values().importPracticeHistoryAction->title,
                 QStringLiteral("Import Practice History"));
        QVERIFY(values().startPracticeAction->isEnabled);
        QVERIFY(!values().toggleActiveSessionAction->isEnabled);
        QCOMPARE(values().toggleActiveSessionAction->title, QStringLiteral("Pause Session"));
        QVERIFY(!values().finishActiveSessionAction->isEnabled);
        QVERIFY(!values().suppressesPracticeShortcuts);

        (*values().startPracticeAction)();
        QVERIFY(published.count() > 0);
        QVERIFY(values().toggleActiveSessionAction->isEnabled);
        QVERIFY(values().finishActiveSessionAction->isEnabled);
        (*values().toggleActiveSessionAction)();
        QVERIFY(fixture.controller.activeSession()->isPaused);
        QCOMPARE(values().toggleActiveSessionAction->title, QStringLiteral("Resume Session"));
        (*values().logPracticeAction)();
        QCOMPARE(window->workspaceRoute(), SessionWorkspaceRoute::log());
        fixture.controller.discard();
        QVERIFY(!values().toggleActiveSessionAction->isEnabled);
        // Without a session, pausing does nothing.
        window->togglePause();
        QVERIFY(!fixture.controller.hasActiveSession());
    }
};

QTEST_MAIN(TestContentView)
#include "tst_contentview.moc"
