// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSessionController.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "support/JournalTestSupport.h"
#include "support/RecordTestSupport.h"
#include "support/TimerTestSupport.h"
#include "support/WidgetTestSupport.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppLabel.h"
#include "ui/design/EditorialSectionHeader.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/PracticeFields.h"
#include "ui/practice/FinishPracticeSessionView.h"
#include "ui/practice/FinishThoughtRow.h"
#include "ui/practice/PracticeView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");
const Instant tenOClock = newYork.makeInstant({2025, 3, 4, 10}).value();
const QString refusal = u"the journal refuses"_s;

} // namespace

class TestFinishPracticeSession : public QObject {
    Q_OBJECT

    MovableClock m_time{tenOClock};
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<JournalStore> m_store;
    std::unique_ptr<ActivePracticeSessionController> m_controller;
    std::unique_ptr<PracticeView> m_room;
    QPointer<FinishPracticeSessionView> m_sheet;

    Clock clock() { return m_time.clock(); }
    void advance(double seconds) { m_time.advance(seconds); }
    QString journalPath() const { return m_folder->filePath(u"Brevanta.sqlite"_s); }

    void startWithThoughts(const QStringList& thoughts, const QString& notes = {}) {
        m_controller->start(m_time.now);
        for (const QString& thought : thoughts)
            m_controller->addThought(thought);
        m_controller->update(notes, m_controller->activeSession()->thoughts);
    }
    FinishPracticeSessionView* openSheet() {
        m_sheet = new FinishPracticeSessionView(*m_controller, *m_store, clock(), m_room.get());
        m_sheet->open();
        if (!QTest::qWaitForWindowExposed(m_sheet))
            qWarning() << "the sheet did not show";
        QApplication::setActiveWindow(m_sheet);
        return m_sheet;
    }
    QList<FinishThoughtRow*> rows() const {
        return m_sheet->findChildren<FinishThoughtRow*>(u"finish-thought-row"_s);
    }
    AppButton* button(const QString& name) const { return m_sheet->findChild<AppButton*>(name); }
    QMessageBox* alert() const { return m_sheet->findChild<QMessageBox*>(u"save-error-alert"_s); }
    QWidget* face() const { return m_sheet->findChild<QStackedWidget*>()->currentWidget(); }
    void choose(int row, PracticeCategory category, const QString& minutes = {}) {
        rows().at(row)->categoryButton(category)->click();
        if (!minutes.isEmpty()) {
            QLineEdit* field = rows().at(row)->minutesField();
            field->setFocus();
            QTest::keyClicks(field, minutes);
        }
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_time.now = tenOClock;
        m_folder = std::make_unique<QTemporaryDir>();
        m_store = JournalStore::open(StoreConfiguration::inMemory());
        m_controller = std::make_unique<ActivePracticeSessionController>(clock());
        m_room = std::make_unique<PracticeView>(*m_controller, clock(), newYork);
        m_room->resize(1000, 760);
        m_room->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_room.get()));
    }
    void cleanup() {
        delete m_sheet;
        m_room.reset();
        m_controller.reset();
        m_store.reset();
        m_folder.reset();
    }

    // The room's part of this road (typing thoughts, pausing, Finish) is the practice road's
    // test in the shell; here the sheet takes over a run of 40 active seconds.
    void theRoadFromTheRoomToTheJournal() {
        startWithThoughts({u"Sweep picking"_s, u"Blackbird"_s, u"Chord melody"_s},
                          u"  Slow and clean  "_s);
        advance(30);
        m_controller->pause(m_time.now);
        advance(270);
        m_controller->resume(m_time.now);
        advance(10.4);
        openSheet();
        QCOMPARE(m_sheet->findChild<AppLabel*>(u"finish-elapsed"_s)->text(), u"<1 min"_s);
        QCOMPARE(rows().size(), 3);
        QCOMPARE(rows().at(1)->titleField()->text(), u"Blackbird"_s);
        QCOMPARE(m_sheet->notes(), u"  Slow and clean  "_s);
        QVERIFY(!button(u"add-to-journal"_s)->isEnabled());
        QVERIFY(!m_sheet->findChild<AppLabel*>(u"finish-no-thoughts"_s)->isVisible());
        choose(0, PracticeCategory::lookForward);
        choose(1, PracticeCategory::haveFun, u"12"_s);
        QVERIFY(!button(u"add-to-journal"_s)->isEnabled());
        choose(2, PracticeCategory::lookForward, u"2.5"_s);
        QVERIFY(button(u"add-to-journal"_s)->isEnabled());
        QVERIFY(rows().at(2)->categoryButton(PracticeCategory::lookForward)->isChecked());
        QVERIFY(!rows().at(2)->categoryButton(PracticeCategory::haveFun)->isChecked());

        QSignalSpy saved(m_sheet.data(), &FinishPracticeSessionView::sessionSaved);
        QTest::keyClick(rows().at(2)->minutesField(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);

        QCOMPARE(m_store->sessions().size(), 1u);
        QVERIFY(!m_store->hasChanges());
        const PracticeSessionPtr session = m_store->sessions().front();
        QCOMPARE(session, m_sheet->savedSession());
        QCOMPARE(session->source(), PracticeSessionSource::timed);
        QCOMPARE(session->startedAt(), tenOClock);
        QCOMPARE(session->durationSeconds(), 40);
        QCOMPARE(session->endedAt(), tenOClock.addingMSecs(40'000));
        QCOMPARE(session->notes(), std::optional<QString>(u"Slow and clean"_s));
        QCOMPARE(titlesOf(session->entries()),
                 (QStringList{u"Blackbird"_s, u"Sweep picking"_s, u"Chord melody"_s}));
        const std::vector<PracticeEntryPtr> entries = session->entries();
        QCOMPARE(entries[0]->sortOrder(), 0);
        QCOMPARE(entries[0]->durationSeconds(), std::optional<std::int64_t>(720));
        QCOMPARE(entries[1]->category(), PracticeCategory::lookForward);
        QCOMPARE(entries[1]->sortOrder(), 0);
        QCOMPARE(entries[1]->durationSeconds(), std::nullopt);
        QCOMPARE(entries[2]->sortOrder(), 1);
        QCOMPARE(entries[2]->durationSeconds(), std::optional<std::int64_t>(150));

        // The run is over: the room turns idle while the sheet confirms the page.
        QVERIFY(!m_controller->hasActiveSession());
        QVERIFY(!m_room->room());
        QCOMPARE(face()->objectName(), u"finish-confirmation"_s);
        QCOMPARE(m_sheet->findChild<AppLabel*>(u"confirmation-duration"_s)->text(), u"<1 min"_s);
        QStringList groups;
        for (const QWidget* group : m_sheet->findChildren<QWidget*>(u"confirmation-group"_s))
            groups << group->accessibleName();
        QCOMPARE(groups, (QStringList{u"Have Fun"_s, u"Look Forward"_s}));
        QStringList lines;
        for (const AppLabel* line : m_sheet->findChildren<AppLabel*>(u"confirmation-entry"_s))
            lines << line->text();
        QCOMPARE(lines, (QStringList{u"Blackbird"_s, u"Sweep picking"_s, u"Chord melody"_s}));
        QCOMPARE(m_sheet->findChild<AppLabel*>(u"confirmation-notes"_s)->accessibleName(),
                 u"Slow and clean"_s);
        // A second Ctrl+Return on the confirmation saves nothing more and raises no alert.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(m_store->sessions().size(), 1u);
        QVERIFY(!alert());
        QCOMPARE(face()->objectName(), u"finish-confirmation"_s);

        QSignalSpy closed(m_sheet.data(), &QDialog::finished);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), int(QDialog::Accepted));
    }

    void addToJournalWaitsForEveryThoughtToBeReady_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("grouped") << u"group"_s << true;
        QTest::newRow("no group") << u""_s << false;
        QTest::newRow("another thought left blank") << u"group add"_s << false;
        QTest::newRow("another thought given words and a group") << u"group add words"_s << true;
        QTest::newRow("minutes with a comma") << u"group comma"_s << false;
    }
    void addToJournalWaitsForEveryThoughtToBeReady() {
        QFETCH(QString, change);
        QFETCH(bool, enabled);
        startWithThoughts({u"Scales"_s});
        openSheet();
        const QStringList steps = change.split(u' ', Qt::SkipEmptyParts);
        if (steps.contains(u"group"_s))
            choose(0, PracticeCategory::lookBack);
        if (steps.contains(u"add"_s)) {
            button(u"add-another-thought"_s)->click();
            QCOMPARE(rows().size(), 2);
            QCOMPARE(QApplication::focusWidget(), rows().at(1)->titleField());
            QCOMPARE(nextTabStop(rows().at(0)->minutesField()), rows().at(1)->titleField());
            QCOMPARE(nextTabStop(rows().at(1)->minutesField()), button(u"add-another-thought"_s));
        }
        if (steps.contains(u"words"_s)) {
            QTest::keyClicks(rows().at(1)->titleField(), u"Arpeggios"_s);
            choose(1, PracticeCategory::haveFun);
        }
        if (steps.contains(u"comma"_s))
            QTest::keyClicks(rows().at(0)->minutesField(), u"1,5"_s);
        QCOMPARE(button(u"add-to-journal"_s)->isEnabled(), enabled);
        QCOMPARE(m_sheet->hasInvalidThoughts(), !enabled);
        // Ctrl+Return does nothing while the button is disabled.
        QTest::keyClick(m_sheet, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(m_store->sessions().size(), enabled ? 1u : 0u);
    }

    void keepPractisingLeavesTheRunAsItWas() {
        startWithThoughts({u"Scales"_s, u"Song"_s}, u"Room notes"_s);
        const ActivePracticeSession before = *m_controller->activeSession();
        openSheet();
        choose(0, PracticeCategory::haveFun, u"5"_s);
        rows().at(1)->removeButton()->click();
        m_sheet->findChild<GrowingTextEdit*>(u"finish-notes"_s)->setText(u"Sheet notes"_s);
        QSignalSpy closed(m_sheet.data(), &QDialog::finished);
        QTest::keyClick(rows().at(0)->titleField(), Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), int(QDialog::Rejected));
        QCOMPARE(*m_controller->activeSession(), before);
        QVERIFY(m_store->sessions().empty());

        delete m_sheet;
        openSheet();
        QCOMPARE(m_sheet->thoughts().size(), 2u);
        QVERIFY(!m_sheet->thoughts()[0].category);
        QVERIFY(m_sheet->thoughts()[0].durationMinutesText.isEmpty());
        QCOMPARE(m_sheet->notes(), u"Room notes"_s);
    }

    void aRunWithoutThoughtsIsSavedAtOnce() {
        startWithThoughts({});
        advance(2.5);
        openSheet();
        QVERIFY(m_sheet->findChild<AppLabel*>(u"finish-no-thoughts"_s)->isVisible());
        QVERIFY(rows().isEmpty());
        QVERIFY(button(u"add-to-journal"_s)->isEnabled());
        button(u"add-to-journal"_s)->click();
        QCOMPARE(m_store->sessions().size(), 1u);
        QCOMPARE(m_store->sessions().front()->durationSeconds(), 3);
        QVERIFY(m_store->sessions().front()->storedEntries().empty());
        QVERIFY(m_sheet->findChildren<QWidget*>(u"confirmation-group"_s).isEmpty());
        QVERIFY(!m_sheet->findChild<AppLabel*>(u"confirmation-notes"_s));
    }

    void aRefusedSaveKeepsTheRunAndSaysWhy() {
        m_store.reset();
        m_store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
        startWithThoughts({u"Scales"_s});
        advance(20);
        openSheet();
        choose(0, PracticeCategory::lookBack, u"3"_s);
        {
            RawDatabase raw(journalPath());
            QVERIFY(raw.execute(u"CREATE TRIGGER refuse BEFORE INSERT ON sessions BEGIN "
                                "SELECT RAISE(ABORT, '"_s +
                                refusal + u"'); END"_s));
            QVERIFY(!m_sheet->save());
            QMessageBox* box = alert();
            QVERIFY(box);
            // The title stands inside the box too: not every desktop shows window titles.
            QCOMPARE(box->text(), u"Couldn’t Save Session"_s);
            QCOMPARE(box->informativeText(), refusal);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->buttons().front()->text(), u"OK"_s);
            QCOMPARE(m_sheet->errorMessage(), std::optional<QString>(refusal));

            QVERIFY(m_store->sessions().empty());
            QVERIFY(!m_store->hasChanges());
            QVERIFY(m_controller->hasActiveSession());
            QVERIFY(!m_controller->savedSessionId());
            QCOMPARE(face()->objectName(), u"finish-review"_s);
            QVERIFY(rows().at(0)->categoryButton(PracticeCategory::lookBack)->isChecked());
            QCOMPARE(rows().at(0)->minutesField()->text(), u"3"_s);

            box->buttons().front()->click();
            QVERIFY(!m_sheet->errorMessage());
            QVERIFY(raw.execute(u"DROP TRIGGER refuse"_s));
        }
        // The clock kept running; once the journal accepts, the longer run is what is saved.
        advance(10);
        QVERIFY(m_sheet->save());
        m_store.reset();
        m_store = JournalStore::open(StoreConfiguration::atPath(journalPath()));
        QCOMPARE(m_store->sessions().size(), 1u);
        QCOMPARE(m_store->sessions().front()->durationSeconds(), 30);
        QCOMPARE(titlesOf(m_store->sessions().front()->entries()), QStringList{u"Scales"_s});
    }

    void thoughtEntry_data() {
        QTest::addColumn<bool>("grouped");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("failure");
        QTest::newRow("no group") << false << u""_s
                                  << u"Choose a practice group for every thought before saving."_s;
        QTest::newRow("decimal minutes") << true << u"0.25"_s << u""_s;
    }
    void thoughtEntry() {
        QFETCH(bool, grouped);
        QFETCH(QString, minutes);
        QFETCH(QString, failure);
        FinishThoughtDraft thought = FinishThoughtDraft::blank();
        thought.title = u"  Scales "_s;
        if (grouped)
            thought.category = PracticeCategory::haveFun;
        thought.durationMinutesText = minutes;
        try {
            const PracticeEntryDraft entry = thought.entry(4);
            QVERIFY(failure.isEmpty());
            QCOMPARE(entry.id, thought.id);
            QCOMPARE(entry.title, u"  Scales "_s);
            QCOMPARE(entry.durationMinutesText, minutes);
            QCOMPARE(entry.sortOrder, 4);
        } catch (const BrevantaError& error) {
            QCOMPARE(error.description(), failure);
        }
    }
};

QTEST_MAIN(TestFinishPracticeSession)
#include "tst_finishpracticesession.moc"
