// SPDX-License-Identifier: MIT
#include "core/editing/PracticePreferences.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "core/time/PracticeDurationFormatter.h"
#include "support/RecordTestSupport.h"
#include "support/WidgetTestSupport.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppLabel.h"
#include "ui/editing/CapsuleChip.h"
#include "ui/editing/PracticeFields.h"
#include "ui/editing/PracticeSessionWorkspaceView.h"
#include "ui/editing/WorkspaceActivityRow.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");

Instant at(DateComponents components) {
    return newYork.makeInstant(components).value();
}

} // namespace

class TestPracticeSessionWorkspace : public QObject {
    Q_OBJECT

    Instant m_now = at({2025, 3, 10, 8, 15});
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<JournalStore> m_store;
    std::unique_ptr<PracticeSessionWorkspaceView> m_view;

    PracticeSessionWorkspaceView* show(PracticeSessionWorkspaceMode mode) {
        m_view = std::make_unique<PracticeSessionWorkspaceView>(std::move(mode), *m_store, newYork,
                                                                Clock([this] { return m_now; }),
                                                                PracticePreferences(*m_settings));
        m_view->resize(1000, 800);
        m_view->show();
        if (!QTest::qWaitForWindowExposed(m_view.get()))
            qWarning() << "the page did not show";
        QApplication::setActiveWindow(m_view.get());
        return m_view.get();
    }
    QList<WorkspaceActivityRow*> rows() const {
        return m_view->findChildren<WorkspaceActivityRow*>(u"activity-row"_s);
    }
    CapsuleChip* quickChip(const QString& title) const {
        for (CapsuleChip* chip : m_view->findChildren<CapsuleChip*>(u"quick-duration-chip"_s)) {
            if (chip->text() == title)
                return chip;
        }
        return nullptr;
    }
    QStringList selectedQuickChips() const {
        QStringList selected;
        for (CapsuleChip* chip : m_view->findChildren<CapsuleChip*>(u"quick-duration-chip"_s)) {
            if (chip->isChecked())
                selected << chip->text();
        }
        return selected;
    }
    QLineEdit* customMinutes() const { return m_view->findChild<QLineEdit*>(u"custom-duration"_s); }
    AppLabel* hero() const { return m_view->findChild<AppLabel*>(u"duration-hero"_s); }
    QMessageBox* alert() const { return m_view->findChild<QMessageBox*>(u"save-error-alert"_s); }
    void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    PracticeSessionPtr storedSession(std::int64_t seconds) {
        const Instant created = at({2025, 3, 1, 9});
        auto session = PracticeSession::create(
            QUuid::createUuid(), at({2025, 3, 5, 18, 30}), seconds, PracticeSessionSource::timed,
            u"Warm hands"_s,
            {PracticeEntry::create(QUuid::createUuid(), u"Scales"_s, PracticeCategory::lookBack, 63,
                                   std::nullopt, 0, nullptr, created),
             PracticeEntry::create(QUuid::createUuid(), u"Tune"_s, PracticeCategory::haveFun,
                                   std::nullopt, u"by ear"_s, 0, nullptr, created)},
            created);
        m_store->insert(session);
        m_store->save();
        return session;
    }

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<QSettings>(m_folder->filePath(u"preferences.ini"_s),
                                                 QSettings::IniFormat);
        m_store = JournalStore::open(StoreConfiguration::inMemory());
    }
    void cleanup() {
        m_view.reset();
        m_store.reset();
        m_settings.reset();
        m_folder.reset();
    }

    void logASessionWithChipsAndActivities() {
        m_settings->setValue(u"lastPracticeCategory"_s, u"lookForward"_s);
        show(PracticeSessionWorkspaceMode::log());
        QCOMPARE(m_view->objectName(), u"session-workspace-log"_s);
        QCOMPARE(rows().size(), 1);
        QVERIFY(rows()[0]->chip(PracticeCategory::lookForward)->isChecked());
        QCOMPARE(QApplication::focusWidget(), rows()[0]->titleField());
        QVERIFY(rows()[0]->removeButton()->isHidden());
        QCOMPARE(selectedQuickChips(), QStringList{u"30 min"_s});

        quickChip(u"1 hour"_s)->click();
        QCOMPARE(customMinutes()->text(), u"60"_s);
        QCOMPARE(selectedQuickChips(), QStringList{u"1 hour"_s});
        QCOMPARE(hero()->text(), u"1h"_s);
        QCOMPARE(hero()->accessibleName(), u"Practice duration, 1h"_s);

        rows()[0]->titleField()->setFocus();
        QTest::keyClicks(rows()[0]->titleField(), u"Scales"_s);
        m_view->findChild<AppButton*>(u"add-activity"_s)->click();
        QCOMPARE(rows().size(), 2);
        QCOMPARE(QApplication::focusWidget(), rows()[1]->titleField());
        QVERIFY(rows()[1]->chip(PracticeCategory::lookForward)->isChecked());
        QVERIFY(!rows()[0]->removeButton()->isHidden());
        QVERIFY(!rows()[1]->removeButton()->isHidden());
        QTest::keyClicks(rows()[1]->titleField(), u"Blackbird"_s);
        rows()[1]->chip(PracticeCategory::haveFun)->click();
        QVERIFY(!rows()[1]->chip(PracticeCategory::lookForward)->isChecked());
        QTest::keyClicks(rows()[1]->minutesField(), u"1.5"_s);
        QTest::keyClicks(rows()[1]->noteField(), u"slow"_s);
        // Tab runs through the new row in reading order, before the page's own buttons.
        QCoreApplication::processEvents();
        QCOMPARE(nextTabStop(rows()[0]->noteField(), true), rows()[1]->titleField());
        QCOMPARE(nextTabStop(rows()[1]->noteField(), true)->objectName(), u"add-activity"_s);
        // A third row left blank is not saved.
        m_view->findChild<AppButton*>(u"add-activity"_s)->click();
        QCOMPARE(rows()[2]->chip(PracticeCategory::haveFun)->isChecked(), true);

        m_view->findChild<QDateEdit*>(u"practice-date"_s)->setDate(QDate(2025, 3, 5));
        auto* notes = m_view->findChild<GrowingTextEdit*>(u"practice-notes"_s);
        notes->setFocus();
        QTest::keyClicks(notes, u"A good day"_s);

        QSignalSpy saved(m_view.get(), &PracticeSessionWorkspaceView::saved);
        QTest::keyClick(notes, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(m_store->sessions().size(), 1u);
        const PracticeSessionPtr session = m_store->sessions().front();
        QCOMPARE(saved.at(0).at(0).value<PracticeSessionPtr>(), session);
        QCOMPARE(session->source(), PracticeSessionSource::manual);
        QCOMPARE(session->startedAt(), at({2025, 3, 5, 12}));
        QCOMPARE(session->durationSeconds(), 3600);
        QCOMPARE(session->notes(), std::optional<QString>(u"A good day"_s));
        QCOMPARE(titlesOf(session->entries()), (QStringList{u"Blackbird"_s, u"Scales"_s}));
        QCOMPARE(session->entries()[0]->durationSeconds(), std::optional<std::int64_t>(90));
        QCOMPARE(session->entries()[0]->notes(), std::optional<QString>(u"slow"_s));
        QCOMPARE(session->entries()[1]->category(), PracticeCategory::lookForward);
        QCOMPARE(PracticePreferences(*m_settings).lastPracticeCategory(),
                 PracticeCategory::haveFun);

        // The next log starts in the remembered group.
        show(PracticeSessionWorkspaceMode::log());
        QVERIFY(rows()[0]->chip(PracticeCategory::haveFun)->isChecked());
    }

    void removingActivities() {
        show(PracticeSessionWorkspaceMode::log());
        m_view->addEntry();
        m_view->addEntry();
        const QUuid middle = m_view->draft().entries[1].id;
        rows()[1]->removeButton()->click();
        QCOMPARE(m_view->draft().entries.size(), 2u);
        QVERIFY(m_view->draft().entries[0].id != middle && m_view->draft().entries[1].id != middle);
        QCOMPARE(rows().size(), 2);
        rows()[0]->removeButton()->click();
        QCOMPARE(rows().size(), 1);
        QVERIFY(rows()[0]->removeButton()->isHidden());
    }

    void durationHero_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hero");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("an hour") << u"60"_s << u"1h"_s << QStringList{u"1 hour"_s};
        QTest::newRow("a space before") << u" 60"_s << u"0 min"_s << QStringList();
        QTest::newRow("decimal") << u"1.5"_s << u"0 min"_s << QStringList();
        QTest::newRow("empty") << u""_s << u"0 min"_s << QStringList();
        QTest::newRow("more minutes than seconds can hold")
            << u"153722867280912931"_s
            << PracticeDurationFormatter::compact(std::numeric_limits<std::int64_t>::max())
            << QStringList();
        QTest::newRow("past the integer range")
            << u"9223372036854775808"_s << u"0 min"_s << QStringList();
    }
    void durationHero() {
        QFETCH(QString, text);
        QFETCH(QString, hero);
        QFETCH(QStringList, selected);
        QCOMPARE(PracticeSessionWorkspaceView::durationHeroText(text), hero);
        show(PracticeSessionWorkspaceMode::log());
        retype(customMinutes(), text);
        QCOMPARE(this->hero()->text(), hero);
        QCOMPARE(selectedQuickChips(), selected);
        QCOMPARE(m_view->draft().duration.minutesText(), text);
    }

    void editKeepsAnOddDurationUntilTheMinutesChange_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<std::int64_t>("seconds");
        QTest::addColumn<QString>("failure");
        QTest::newRow("untouched") << QString() << std::int64_t(90) << QString();
        QTest::newRow("a decimal")
            << u"2.0"_s << std::int64_t(90) << u"Use a whole number of minutes."_s;
    }
    void editKeepsAnOddDurationUntilTheMinutesChange() {
        QFETCH(QString, minutes);
        QFETCH(std::int64_t, seconds);
        QFETCH(QString, failure);
        const PracticeSessionPtr session = storedSession(90);
        show(PracticeSessionWorkspaceMode::edit(session));
        QCOMPARE(m_view->objectName(), u"session-workspace-edit"_s);
        QCOMPARE(customMinutes()->text(), u"2"_s);
        QCOMPARE(rows().size(), 2);
        QCOMPARE(rows()[1]->minutesField()->text(), u"1.05"_s);
        QCOMPARE(m_view->findChild<QDateEdit*>(u"practice-date"_s)->date(), QDate(2025, 3, 5));
        if (!minutes.isNull())
            retype(customMinutes(), minutes);
        rows()[0]->titleField()->setFocus();
        QTest::keyClicks(rows()[0]->titleField(), u" by ear"_s);

        QSignalSpy saved(m_view.get(), &PracticeSessionWorkspaceView::saved);
        m_view->findChild<AppButton*>(u"workspace-save"_s)->click();
        QCOMPARE(session->durationSeconds(), seconds);
        QVERIFY(!m_store->hasChanges());
        if (failure.isEmpty()) {
            QCOMPARE(saved.count(), 1);
            QVERIFY(!alert());
            QCOMPARE(session->startedAt(), at({2025, 3, 5, 18, 30}));
            QCOMPARE(titlesOf(session->entries()), (QStringList{u"Tune by ear"_s, u"Scales"_s}));
            QCOMPARE(session->entries()[1]->durationSeconds(), std::optional<std::int64_t>(63));
            return;
        }
        QCOMPARE(saved.count(), 0);
        QVERIFY(alert());
        QCOMPARE(alert()->text(), u"Couldn’t Save Session"_s);
        QCOMPARE(alert()->informativeText(), failure);
        QCOMPARE(m_view->errorMessage(), std::optional<QString>(failure));
        QCOMPARE(titlesOf(session->entries()), (QStringList{u"Tune"_s, u"Scales"_s}));
        // Nothing typed is lost.
        QCOMPARE(m_view->draft().duration.minutesText(), minutes);
        QCOMPARE(rows()[0]->titleField()->text(), u"Tune by ear"_s);
        alert()->buttons().front()->click();
        QVERIFY(!m_view->errorMessage());
    }

    void escapeAndCancelLeaveTheJournalUntouched_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("Cancel") << false;
    }
    void escapeAndCancelLeaveTheJournalUntouched() {
        QFETCH(bool, escape);
        const PracticeSessionPtr session = storedSession(600);
        show(PracticeSessionWorkspaceMode::edit(session));
        retype(customMinutes(), u"45"_s);
        retype(rows()[0]->titleField(), u"Changed"_s);
        m_view->addEntry();
        QTest::keyClicks(rows()[2]->titleField(), u"New"_s);
        QSignalSpy cancelled(m_view.get(), &PracticeSessionWorkspaceView::cancelled);
        QSignalSpy saved(m_view.get(), &PracticeSessionWorkspaceView::saved);
        if (escape)
            QTest::keyClick(rows()[2]->titleField(), Qt::Key_Escape);
        else
            m_view->findChild<AppButton*>(u"workspace-cancel"_s)->click();
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(saved.count(), 0);
        QVERIFY(!m_store->hasChanges());
        QCOMPARE(session->durationSeconds(), 600);
        QCOMPARE(titlesOf(session->entries()), (QStringList{u"Tune"_s, u"Scales"_s}));
        QCOMPARE(m_store->sessions().size(), 1u);
    }

    void anEmptyDurationIsReportedAndThePageStays() {
        show(PracticeSessionWorkspaceMode::log());
        retype(customMinutes(), QString());
        QSignalSpy saved(m_view.get(), &PracticeSessionWorkspaceView::saved);
        QTest::keyClick(customMinutes(), Qt::Key_Enter, Qt::ControlModifier);
        QCOMPARE(saved.count(), 0);
        QVERIFY(alert());
        QCOMPARE(alert()->informativeText(), u"Enter a practice duration."_s);
        QVERIFY(m_store->sessions().empty());
        QVERIFY(!m_store->hasChanges());
        QVERIFY(m_view->findChild<AppButton*>(u"workspace-save"_s)->isEnabled());
    }
};

QTEST_MAIN(TestPracticeSessionWorkspace)
#include "tst_practicesessionworkspace.moc"
