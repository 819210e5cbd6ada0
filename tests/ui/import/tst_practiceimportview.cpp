// SPDX-License-Identifier: MIT
// The import sheet as the user meets it: files chosen from a main window of the application,
// the review, the choices, the import and what the journal holds afterwards.
#include "core/import/PracticeImportViewModel.h"
#include "core/store/JournalBackup.h"
#include "core/store/JournalStore.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"
#include "ui/design/AppLabel.h"
#include "ui/import/PracticeImportCandidateList.h"
#include "ui/import/PracticeImportCandidateModel.h"
#include "ui/import/PracticeImportSummaryTiles.h"
#include "ui/import/PracticeImportView.h"
#include "ui/import/SpreadsheetFormatCard.h"
#include "ui/shell/BrevantaApp.h"
#include "ui/shell/PracticeCommandPublication.h"
#include "ui/shell/ShellTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

using Model = PracticeImportCandidateModel;

const QString march = u"Practice Log March 2024.csv"_s;

} // namespace

class TestPracticeImportView : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    MovableClock m_time;
    std::shared_ptr<FakeFileChooser> m_chooser;
    std::unique_ptr<BrevantaApp> m_app;
    ContentView* m_window = nullptr;

    QString journalPath() const { return m_folder->filePath(u"Brevanta.sqlite"_s); }
    QString backups() const { return JournalBackup::folder(journalPath()); }
    JournalStore& store() { return m_app->store(); }

    void startApp(bool onDisk) {
        BrevantaApp::Environment environment;
        environment.clock = m_time.clock();
        m_chooser = std::make_shared<FakeFileChooser>();
        environment.fileChooser = m_chooser;
        environment.settings = std::make_unique<QSettings>(m_folder->filePath(u"settings.ini"_s),
                                                           QSettings::IniFormat);
        m_app = std::make_unique<BrevantaApp>(onDisk ? StoreConfiguration::atPath(journalPath())
                                                     : StoreConfiguration::inMemory(),
                                              std::move(environment));
        m_window = m_app->openMainWindow();
    }

    // Chooses the files from the window's File menu and waits for their review.
    PracticeImportView* review(const QStringList& names) {
        m_window->practiceCommands()->values().importPracticeHistoryAction->perform();
        QStringList paths;
        for (const QString& name : names)
            paths << fixturePath(name);
        m_chooser->answer(paths);
        auto* sheet = m_window->findChild<PracticeImportView*>();
        if (!sheet || !QTest::qWaitFor([sheet] { return !sheet->viewModel().isLoading(); }))
            return nullptr;
        QCoreApplication::processEvents();
        return sheet;
    }

    template <typename T> static T* part(const PracticeImportView* sheet, const QString& name) {
        return sheet->findChild<T*>(name);
    }
    static QString text(const PracticeImportView* sheet, const QString& name) {
        const auto* label = part<QLabel>(sheet, name);
        return label ? label->text() : QString();
    }
    static QStringList rowDates(const PracticeImportView* sheet) {
        QStringList dates;
        const QAbstractItemModel* rows = sheet->candidateList()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            dates << rows->index(row, 0).data().toString();
        return dates;
    }
    // What a screen reader is told is a heading among the sheet's visible parts.
    static QStringList headings(const PracticeImportView* sheet) {
        QStringList found;
        for (QLabel* label : sheet->findChildren<QLabel*>()) {
            QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(label);
            if (label->isVisibleTo(sheet) && readout->role() == QAccessible::Heading)
                found << readout->text(QAccessible::Name);
        }
        return found;
    }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }
    static void press(PracticeImportView* sheet, Qt::Key key) {
        QWidget* target = sheet->focusWidget() ? sheet->focusWidget() : sheet;
        QTest::keyClick(target, key);
        QCoreApplication::processEvents();
    }
    // Imports and waits for the completion page.
    static bool confirm(PracticeImportView* sheet) {
        click(part<QAbstractButton>(sheet, u"import-confirm"_s));
        return part<QWidget>(sheet, u"import-completion"_s) != nullptr;
    }

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_time = MovableClock();
    }
    void cleanup() { m_app.reset(); }

    // A sheet a spreadsheet re-saved gets its card in the review; switching the card's option
    // reads the file again and the days come in with their times.
    void aSpreadsheetSavedSheetIsReadWithOneClick() {
        startApp(false);
        PracticeImportView* sheet =
            review({march, u"Practice Log January 2025 [roundtrip-plain].csv"_s});
        QVERIFY(sheet);
        const QList<SpreadsheetFormatCard*> cards = sheet->findChildren<SpreadsheetFormatCard*>();
        QCOMPARE(cards.size(), 1); // the March sheet reads as typed
        QVERIFY(cards.front()->isVisibleTo(sheet));
        QCOMPARE(sheet->summary()->value(u"Sessions ready"_s), u"8"_s);

        cards.front()->readOption()->click();
        QVERIFY(QTest::qWaitFor([sheet] { return !sheet->viewModel().isLoading(); }));
        QCoreApplication::processEvents();
        QCOMPARE(sheet->summary()->value(u"Sessions ready"_s), u"30"_s);
        QVERIFY(confirm(sheet));
        QCOMPARE(store().sessions().size(), 30u);
    }

    // Three re-saved sheets stack more cards than the sheet has room for: each keeps its full
    // wrapped height and the stack scrolls, while the day list keeps its room.
    void manyReSavedSheetsScrollRatherThanSqueezeTheirCards() {
        startApp(false);
        PracticeImportView* sheet = review({u"Practice Log January 2025 [roundtrip-plain].csv"_s,
                                            u"Practice Log April 2026 typed [semicolon].csv"_s,
                                            u"Practice Log April 2026 formatted [explicit].csv"_s});
        QVERIFY(sheet);
        const QList<SpreadsheetFormatCard*> cards = sheet->findChildren<SpreadsheetFormatCard*>();
        QVERIFY(cards.size() >= 2);
        auto* stack = part<QScrollArea>(sheet, u"import-file-cards"_s);
        QTRY_VERIFY(stack->verticalScrollBar()->maximum() > 0);
        for (const SpreadsheetFormatCard* card : cards)
            QCOMPARE(card->height(), card->heightForWidth(card->width()));
        QVERIFY(part<QWidget>(sheet, u"import-candidates"_s)->height() >= 120);
    }

    void anUnreadableFileStandsAsideTheValidDays() {
        startApp(false);
        PracticeImportView* sheet = review({march, u"Practice Log December 2024.csv"_s});
        QVERIFY(sheet);
        QCOMPARE(sheet->summary()->value(u"Files"_s), u"2"_s);
        QCOMPARE(sheet->summary()->value(u"Sessions ready"_s), u"8"_s);
        QCOMPARE(sheet->summary()->value(u"Skipped"_s), u"2"_s);
        QCOMPARE(sheet->summary()->value(u"Warnings"_s), u"1"_s);
        QCOMPARE(sheet->summary()->value(u"Date range"_s), u"Mar 1, 2024–Mar 12, 2024"_s);
        auto* invalid = part<QAbstractButton>(sheet, u"import-invalid-files-toggle"_s);
        QCOMPARE(invalid->text(), u"1 file(s) could not be read"_s);
        auto* lines = part<QWidget>(sheet, u"import-invalid-file-lines"_s);
        QVERIFY(!lines->isVisibleTo(sheet));
        // A screen reader meets a button that opens the group, not a box to tick; its action
        // opens and closes the group as a click does.
        QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(invalid);
        QCOMPARE(readout->role(), QAccessible::Button);
        QVERIFY(readout->state().collapsed && !readout->state().checkable);
        readout->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(lines->isVisibleTo(sheet) && readout->state().expanded);
        click(invalid);
        QVERIFY(!lines->isVisibleTo(sheet) && readout->state().collapsed);
        QVERIFY(
            text(sheet, u"import-invalid-file"_s)
                .startsWith(u"Practice Log December 2024.csv: The file is not valid UTF-8. "_s));
        QCOMPARE(rowDates(sheet), QStringList({u"Mar 1, 2024"_s, u"Mar 2, 2024"_s, u"Mar 4, 2024"_s,
                                               u"Mar 5, 2024"_s, u"Mar 6, 2024"_s, u"Mar 8, 2024"_s,
                                               u"Mar 10, 2024"_s, u"Mar 12, 2024"_s}));

        QVERIFY(confirm(sheet));
        QCOMPARE(store().sessions().size(), 8u);
        QCOMPARE(text(sheet, u"import-completion-title"_s), u"Imported 8 practice sessions"_s);
        QCOMPARE(headings(sheet), QStringList{u"Imported 8 practice sessions"_s});
        QCOMPARE(text(sheet, u"import-rows-skipped"_s), u"Rows skipped: 2"_s);
        // A journal in memory keeps no copies.
        QVERIFY(!part<QWidget>(sheet, u"import-backup"_s));
    }

    void aYearlessFileWaitsForApply() {
        startApp(false);
        PracticeImportView* sheet = review({u"Practice Log September.csv"_s});
        QVERIFY(sheet);
        auto* confirmButton = part<QAbstractButton>(sheet, u"import-confirm"_s);
        QVERIFY(part<QWidget>(sheet, u"import-year-card"_s)->isVisibleTo(sheet));
        QVERIFY(!confirmButton->isEnabled());
        const QStringList yearNeeded(3, u"Year needed"_s);
        QCOMPARE(rowDates(sheet), yearNeeded);
        const QModelIndex first = sheet->candidateList()->model()->index(0, 0);
        QCOMPARE(first.data(Model::detailLinesRole).toStringList(),
                 QStringList{u"Choose a year for this file."_s});

        // The stepper alone changes nothing.
        auto* stepper = part<QSpinBox>(sheet, u"import-year-stepper"_s);
        QCOMPARE(stepper->text(), u"Year 2025"_s);
        stepper->setValue(2023);
        QCoreApplication::processEvents();
        QCOMPARE(rowDates(sheet), yearNeeded);
        QVERIFY(!confirmButton->isEnabled());

        click(part<QAbstractButton>(sheet, u"import-apply-year"_s));
        QCOMPARE(rowDates(sheet), QStringList({u"Sep 2, 2023"_s, u"Sep 3, 2023"_s,
                                               u"No such day (Sep 31, 2023)"_s}));
        QVERIFY(!part<QWidget>(sheet, u"import-year-card"_s)->isVisibleTo(sheet));
        QVERIFY(confirmButton->isEnabled());

        QVERIFY(confirm(sheet));
        QCOMPARE(store().sessions().size(), 2u);
        for (const PracticeSessionPtr& session : store().sessions())
            QCOMPARE(Calendar::current().components(session->startedAt()).year, 2023);
    }

    void notesWithoutTimeCountOnceIncluded() {
        startApp(false);
        PracticeImportView* sheet = review({u"Practice Log November 2024.csv"_s});
        QVERIFY(sheet);
        auto* confirmButton = part<QAbstractButton>(sheet, u"import-confirm"_s);
        QCOMPARE(sheet->candidateList()->model()->rowCount(), 4);
        QCOMPARE(sheet->summary()->value(u"Sessions ready"_s), u"2"_s);
        QCOMPARE(sheet->summary()->value(u"Practice time"_s), u"45 min"_s);
        QCOMPARE(confirmButton->text(), u"Import 2 Sessions"_s);

        part<QCheckBox>(sheet, u"import-include-notes"_s)->click();
        QCoreApplication::processEvents();
        QCOMPARE(sheet->summary()->value(u"Sessions ready"_s), u"4"_s);
        QCOMPARE(confirmButton->text(), u"Import 4 Sessions"_s);
        QVERIFY(confirm(sheet));
        QCOMPARE(store().sessions().size(), 4u);
    }

    void theSameFileTwiceIsSkippedOrReviewedDayByDay_data() {
        QTest::addColumn<bool>("reviewOneByOne");
        QTest::newRow("skip likely duplicates") << false;
        QTest::newRow("review conflicts individually, one box ticked") << true;
    }
    void theSameFileTwiceIsSkippedOrReviewedDayByDay() {
        QFETCH(bool, reviewOneByOne);
        startApp(false);
        QPointer<PracticeImportView> first = review({march});
        QVERIFY(first && confirm(first));
        click(part<QAbstractButton>(first, u"import-view-journal"_s));
        QTRY_VERIFY(first.isNull());
        QCOMPARE(store().sessions().size(), 8u);

        PracticeImportView* sheet = review({march});
        QVERIFY(sheet);
        PracticeImportCandidateList* list = sheet->candidateList();
        const QAbstractItemModel* rows = list->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            QVERIFY(rows->index(row, 0)
                        .data(Qt::AccessibleTextRole)
                        .toString()
                        .endsWith(u", Warning"_s));
            QVERIFY(!list->importToggleRect(rows->index(row, 0)).isValid());
        }
        if (reviewOneByOne) {
            click(part<QAbstractButton>(sheet, u"import-policy-reviewIndividually"_s));
            for (int row = 0; row < rows->rowCount(); ++row)
                QVERIFY(list->importToggleRect(rows->index(row, 0)).isValid());
            const QModelIndex third = rows->index(2, 0);
            list->scrollTo(third);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->importToggleRect(third).center());
            QCOMPARE(third.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
            // A screen reader's toggle ticks and clears the box as the click does.
            QAccessibleInterface* fifth = QAccessible::queryAccessibleInterface(list)->child(4);
            QVERIFY(fifth->state().checkable && !fifth->state().checked);
            fifth->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(fifth->state().checked);
            fifth->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(!fifth->state().checked);
        }
        QVERIFY(confirm(sheet));
        QCOMPARE(store().sessions().size(), reviewOneByOne ? 9u : 8u);
        QCOMPARE(text(sheet, u"import-completion-title"_s),
                 reviewOneByOne ? u"Imported 1 practice sessions"_s
                                : u"Imported 0 practice sessions"_s);
        QCOMPARE(text(sheet, u"import-duplicates-skipped"_s),
                 reviewOneByOne ? u"Duplicates skipped: 7"_s : u"Duplicates skipped: 8"_s);
    }

    void aRefusedImportChangesNothing_data() {
        QTest::addColumn<bool>("refuseBackup");
        QTest::newRow("the journal refuses the save") << false;
        QTest::newRow("the backup cannot be made") << true;
    }
    void aRefusedImportChangesNothing() {
        QFETCH(bool, refuseBackup);
        startApp(true);
        QString reason = u"the disk is full"_s;
        if (refuseBackup) {
            QFile inTheWay(backups());
            QVERIFY(inTheWay.open(QIODevice::WriteOnly));
            reason = u"A backup of the journal could not be made in “"_s +
                     QDir::toNativeSeparators(backups()) +
                     u"” (a file of that name is in the way)."_s;
        } else {
            QVERIFY(JournalBackup::make(store(), m_time.now, Calendar::current()));
            m_time.advance(60);
            RawDatabase raw(journalPath());
            QVERIFY(raw.execute(u"CREATE TRIGGER refuse BEFORE INSERT ON sessions "
                                u"BEGIN SELECT RAISE(ABORT, 'the disk is full'); END"_s));
        }
        const QStringList backupsBefore = JournalBackup::list(backups());

        PracticeImportView* sheet = review({march});
        QVERIFY(sheet);
        part<QCheckBox>(sheet, u"import-include-notes"_s)->click();
        QVERIFY(!confirm(sheet));
        auto* error = part<QLabel>(sheet, u"import-error"_s);
        QVERIFY(error->isVisibleTo(sheet));
        QCOMPARE(error->text(), u"Nothing was imported. "_s + reason);
        QCOMPARE(error->accessibleName(), u"Import error: Nothing was imported. "_s + reason);
        QVERIFY(store().sessions().empty());
        QVERIFY(!store().hasChanges());
        QCOMPARE(JournalBackup::list(backups()), backupsBefore);
        QCOMPARE(QFileInfo(backups()).isFile(), refuseBackup);
        // Every choice stays for another try.
        QVERIFY(part<QCheckBox>(sheet, u"import-include-notes"_s)->isChecked());
        QCOMPARE(sheet->candidateList()->model()->rowCount(), 8);
        QVERIFY(part<QAbstractButton>(sheet, u"import-confirm"_s)->isEnabled());
    }

    // Tab reads the review as the eye does, through every card that the files brought, and
    // screen readers find its sections by their headings.
    void tabAndHeadingsFollowThePage() {
        startApp(false);
        PracticeImportView* sheet =
            review({u"Practice Log September.csv"_s, u"Practice Log December 2024.csv"_s,
                    u"Practice Log January 2025 [roundtrip-plain].csv"_s, march});
        QVERIFY(sheet);
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        const QString cardHeading =
            u"“Practice Log January 2025 [roundtrip-plain].csv” was saved again by a spreadsheet"_s;
        QCOMPARE(headings(sheet),
                 (QStringList{u"Import Practice History"_s, u"A filename has no year."_s,
                              cardHeading, u"Existing journal entries"_s}));

        // Import waits for the year, so Tab comes round to Cancel after the notes choice.
        part<QWidget>(sheet, u"import-cancel"_s)->setFocus(Qt::TabFocusReason);
        QStringList met;
        for (int step = 0; step < 9; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            met << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(met, (QStringList{u"import-year-stepper"_s, u"import-apply-year"_s,
                                   u"spreadsheet-format-read"_s, u"import-invalid-files-toggle"_s,
                                   u"import-policy-skipDuplicates"_s, u"import-candidates"_s,
                                   u"import-include-notes"_s, u"import-cancel"_s,
                                   u"import-year-stepper"_s}));
    }

    void escapeSavesNothingAndTheWindowCannotCloseTheReview() {
        startApp(false);
        m_window->resize(760, 600);
        PracticeImportView* sheet = review({march});
        QVERIFY(sheet);
        // A small window keeps the whole sheet, its frame and edges included, inside it.
        QVERIFY(sheet->width() < m_window->width() && sheet->height() < m_window->height());
        QVERIFY(!sheet->close());
        QVERIFY(sheet->isVisible());
        QPointer<PracticeImportView> closing = sheet;
        press(sheet, Qt::Key_Escape);
        QVERIFY(!m_window->isShowingImport());
        QTRY_VERIFY(closing.isNull());
        QVERIFY(store().sessions().empty());
    }

    void returnImportsThenGoesToTheJournalWithTheBackupNamed() {
        startApp(true);
        PracticeImportView* sheet = review({march});
        QVERIFY(sheet);
        // As a window manager may: the sheet becomes active once its days are shown, and the
        // keyboard goes where the sheet puts it.
        QApplication::setActiveWindow(m_window);
        QApplication::setActiveWindow(sheet);
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(store().sessions().size(), 8u);
        const QStringList copies = JournalBackup::list(backups());
        QCOMPARE(copies.size(), 1);
        QVERIFY(text(sheet, u"import-backup"_s).contains(QDir::toNativeSeparators(copies[0])));
        auto* completion = part<QWidget>(sheet, u"import-completion"_s);
        QCOMPARE(completion->accessibleName(), u"Import complete. Imported 8 practice sessions."_s);
        // The copy is the journal as it was: empty.
        QCOMPARE(RawDatabase(copies[0]).value(u"SELECT count(*) FROM sessions"_s).toInt(), 0);

        press(sheet, Qt::Key_Return);
        QVERIFY(!m_window->isShowingImport());
        QCOMPARE(m_window->selection(), std::optional<AppDestination>(AppDestination::journal));
    }

    void asksForAnotherImportOpenNoSecondChooser() {
        startApp(false);
        PracticeImportView* sheet = review({march});
        QVERIFY(sheet);
        m_window->practiceCommands()->values().importPracticeHistoryAction->perform();
        m_app->notifications().post(AppNotificationCenter::importPracticeHistory);
        // What the journal's own import button asks of the window.
        m_window->selectImportFiles();
        QVERIFY(m_chooser->requests.empty());
        QVERIFY(!m_window->isSelectingImportFiles());
        QCOMPARE(m_window->findChildren<PracticeImportView*>().size(), 1);
    }
};

QTEST_MAIN(TestPracticeImportView)
#include "tst_practiceimportview.moc"
