// SPDX-License-Identifier: MIT
#include "core/editing/PracticePreferences.h"
#include "core/editing/PracticeSessionDraftSaver.h"
#include "core/practice/ActivePracticeSessionController.h"
#include "core/store/JournalStore.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppEmptyState.h"
#include "ui/design/AppLabel.h"
#include "ui/editing/DurationInputView.h"
#include "ui/journal/SessionDetailView.h"
#include "ui/journal/SessionListModel.h"
#include "ui/journal/SessionListView.h"
#include "ui/journal/SessionsView.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;

namespace {

const Calendar newYork(u"America/New_York", u"en_US");

Instant at(DateComponents components) {
    return newYork.makeInstant(components).value();
}

struct EntrySeed {
    QString title;
    PracticeCategory category = PracticeCategory::lookBack;
};

QMessageBox* openBox(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget);
            box && box->objectName() == name && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class TestSessionsView : public QObject {
    Q_OBJECT

    Instant m_now = at({2025, 3, 10, 18, 0}); // a Monday
    QTemporaryDir m_folder;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<JournalStore> m_store;
    std::unique_ptr<SessionsView> m_view;
    QList<PracticeSessionPtr> m_edited;

    Clock clock() {
        return Clock([this] { return m_now; });
    }

    PracticeSessionPtr add(Instant start, const std::vector<EntrySeed>& entries,
                           std::optional<QString> notes = std::nullopt) {
        std::vector<PracticeEntryPtr> records;
        std::int64_t order = 0;
        for (const EntrySeed& seed : entries)
            records.push_back(PracticeEntry::create(QUuid::createUuid(), seed.title, seed.category,
                                                    std::nullopt, std::nullopt, order++, nullptr,
                                                    start));
        auto session =
            PracticeSession::create(QUuid::createUuid(), start, 1800, PracticeSessionSource::manual,
                                    std::move(notes), std::move(records), start);
        m_store->insert(session);
        m_store->save();
        return session;
    }

    SessionsView* show(int width) {
        SessionsView::Actions actions;
        actions.onEditSession = [this](const PracticeSessionPtr& session) {
            m_edited.append(session);
        };
        m_view = std::make_unique<SessionsView>(*m_store, newYork, clock(),
                                                PracticePreferences(*m_settings), actions);
        m_view->resize(width, 700);
        m_view->show();
        if (!QTest::qWaitForWindowExposed(m_view.get()))
            qWarning() << "the journal did not show";
        return m_view.get();
    }

    QStringList visibleTitles() const {
        QStringList titles;
        for (const PracticeSessionPtr& session : m_view->filteredSessions())
            titles << session->title();
        return titles;
    }

    void clickRowOf(const PracticeSessionPtr& session) {
        SessionListView* list = m_view->listView();
        const QModelIndex index =
            m_view->listModel()->index(m_view->listModel()->rowOf(*session), 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

    // Answers the open delete confirmation with "Delete Session".
    void confirmDeletion() {
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = openBox(u"delete-session-confirmation"_s)));
        box->findChild<QPushButton*>(u"delete-session"_s)->click();
    }

    bool isListed(QWidget* widget) const { return widget->isVisibleTo(m_view.get()); }

private Q_SLOTS:
    void init() {
        m_settings =
            std::make_unique<QSettings>(m_folder.filePath(u"settings.ini"_s), QSettings::IniFormat);
        m_store = JournalStore::open(StoreConfiguration::inMemory());
        m_edited.clear();
    }
    void cleanup() {
        m_view.reset();
        m_store.reset();
    }

    void searchMovesTheSelectionAndClearingKeepsIt() {
        add(at({2025, 3, 9, 8}), {{u"Scales in E major"_s}});
        const auto blues = add(at({2025, 3, 8, 8}), {{u"Blues jam"_s, PracticeCategory::haveFun}});
        add(at({2024, 11, 2, 8}), {{u"Bluegrass licks"_s}});
        show(1100);
        QCOMPARE(m_view->selectedSessionID().value(), m_view->filteredSessions().front()->id());

        // Each keystroke extends the query and keeps to the previous matches.
        QTest::keyClicks(m_view->searchField(), u"blue"_s);
        QCOMPARE(visibleTitles(), QStringList({u"Blues jam"_s, u"Bluegrass licks"_s}));
        QTest::keyClicks(m_view->searchField(), u"s j"_s);
        QCOMPARE(visibleTitles(), QStringList{u"Blues jam"_s});
        QCOMPARE(m_view->selectedSession(), blues);
        QCOMPARE(m_view->detailView()->session(), blues);
        // A keystroke that keeps every match leaves the list as it is.
        QSignalSpy resets(m_view->listModel(), &QAbstractItemModel::modelReset);
        QTest::keyClicks(m_view->searchField(), u"a"_s);
        QCOMPARE(resets.count(), 0);

        // A session saved meanwhile is found by the query on show.
        const auto shuffle = add(at({2025, 3, 10, 9}), {{u"Blues jam, shuffle feel"_s}});
        QCOMPARE(visibleTitles(), QStringList({u"Blues jam, shuffle feel"_s, u"Blues jam"_s}));
        QCOMPARE(m_view->selectedSession(), blues);

        m_view->searchField()->clear();
        QCOMPARE(m_view->filteredSessions().size(), std::size_t(4));
        QCOMPARE(m_view->selectedSession(), blues);
        QVERIFY(m_view->listView()->selectionModel()->isSelected(
            m_view->listModel()->index(m_view->listModel()->rowOf(*blues), 0)));

        QTest::keyClicks(m_view->searchField(), u"nocturne"_s);
        QVERIFY(m_view->filteredSessions().empty());
        QVERIFY(!m_view->selectedSession());
        QVERIFY(isListed(m_view->findChild<AppEmptyState*>(u"journal-no-matches"_s)));
        QCOMPARE(m_view->findChild<AppEmptyState*>(u"journal-detail-empty"_s)->title(),
                 u"Nothing to show"_s);
        QVERIFY(!shuffle->isDeleted());
    }

    // A screen reader hears each row as one line, its day in the locale's order, and which row is
    // selected; months are headings it can jump between, never chosen; its toggle chooses a
    // session as the arrow keys do. The search field and its icons say what they are.
    void screenReadersHearRowsAndTheSearchField() {
        add(at({2025, 3, 7, 8}), {{u"Scales"_s}}, u"Slow and\neven"_s);
        const auto older = add(at({2025, 2, 7, 8}), {{u"Arpeggios"_s}});
        show(1100);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(m_view->listView());
        QCOMPARE(list->childCount(), 4);
        for (const int heading : {0, 2}) {
            QCOMPARE(list->child(heading)->role(), QAccessible::Heading);
            QVERIFY(!list->child(heading)->state().focusable);
            QVERIFY(!list->child(heading)->state().selectable);
            QVERIFY(!list->child(heading)->actionInterface());
        }
        QCOMPARE(list->child(0)->text(QAccessible::Name), u"MARCH"_s);
        QAccessibleInterface* row = list->child(1);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QCOMPARE(row->text(QAccessible::Name), u"Friday 7, Scales, 30 min, Slow and even"_s);
        QVERIFY(row->state().selected && row->state().selectable && row->state().focusable);
        QAccessibleInterface* third = list->child(3);
        QCOMPARE(third->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::toggleAction()});
        third->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(m_view->selectedSession(), older);
        QCOMPARE(m_view->detailView()->session(), older);
        QVERIFY(third->state().selected && !row->state().selected);
        // A search makes the rows again: the reader hears the new ones, not the old.
        QTest::keyClicks(m_view->searchField(), u"arpeggios"_s);
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(0)->text(QAccessible::Name), u"FEBRUARY"_s);
        QCOMPARE(list->child(1)->text(QAccessible::Name),
                 u"Friday 7, Arpeggios, 30 min, Arpeggios"_s);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(m_view->searchField())->text(QAccessible::Name),
            u"Search journal"_s);
        QStringList iconNames;
        for (auto* button : m_view->searchField()->findChildren<QToolButton*>())
            iconNames << button->accessibleName();
        iconNames.sort();
        QCOMPARE(iconNames, QStringList({u"Clear search"_s, u"Search"_s}));
    }

    void deletingSelectsTheNextSessionAndTheLastShowsTheEmptyJournal() {
        const auto older = add(at({2025, 3, 1, 8}), {{u"Older"_s}});
        const auto newer = add(at({2025, 3, 9, 8}), {{u"Newer"_s}});
        show(800);
        clickRowOf(newer);
        QVERIFY(m_view->showsNarrowDetail());
        QVERIFY(!isListed(m_view->listView()));

        m_view->detailView()->confirmDelete();
        confirmDeletion();
        QCOMPARE(m_store->sessions(), std::vector<PracticeSessionPtr>{older});
        QVERIFY(newer->isDeleted());
        QCOMPARE(m_view->selectedSession(), older);
        QTRY_COMPARE(m_view->detailView()->session(), older);

        m_view->showList();
        m_view->listView()->setFocus();
        QTest::keyClick(m_view->listView(), Qt::Key_Delete);
        confirmDeletion();
        QVERIFY(m_store->sessions().empty());
        QVERIFY(!m_view->selectedSession());
        QVERIFY(!m_view->showsNarrowDetail());
        QVERIFY(isListed(m_view->findChild<AppEmptyState*>(u"journal-empty"_s)));
    }

    void narrowLayoutOpensThePageAndBackKeepsTheHighlight_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("split");
        QTest::newRow("919 points") << 919 << false;
        QTest::newRow("920 points") << 920 << true;
    }
    void narrowLayoutOpensThePageAndBackKeepsTheHighlight() {
        QFETCH(int, width);
        QFETCH(bool, split);
        add(at({2025, 3, 9, 8}), {{u"Newest"_s}});
        const auto second = add(at({2025, 2, 20, 8}), {{u"Second"_s}});
        show(width);
        QCOMPARE(isListed(m_view->findChild<QWidget*>(u"journal-detail-pane"_s)), split);

        clickRowOf(second);
        QCOMPARE(m_view->selectedSession(), second);
        QCOMPARE(isListed(m_view->listView()), split);
        QVERIFY(isListed(m_view->detailView()));
        auto* back = m_view->findChild<AppButton*>(u"journal-back-to-list"_s);
        QCOMPARE(isListed(back), !split);
        if (split)
            return;
        back->click();
        QVERIFY(isListed(m_view->listView()));
        QCOMPARE(m_view->selectedSession(), second);
        QCOMPARE(
            m_view->listView()->selectionModel()->selectedIndexes(),
            QModelIndexList{m_view->listModel()->index(m_view->listModel()->rowOf(*second), 0)});
        // Up and Down step over the month heading between the two.
        QTest::keyClick(m_view->listView(), Qt::Key_Up);
        QCOMPARE(m_view->selectedSession()->title(), u"Newest"_s);
        QVERIFY(!m_view->showsNarrowDetail());
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        m_view->listView()->setFocus();
        QTest::keyClick(m_view->listView(), Qt::Key_Return);
        QVERIFY(isListed(m_view->detailView()));
        // The keyboard goes on from the way back, not from wherever hiding the list sent it.
        QVERIFY(back->hasFocus());
    }

    void editInTheJournalHandsOverToTheWorkspace() {
        const auto session = add(at({2025, 3, 9, 8}), {{u"Scales"_s}});
        show(1100);
        m_view->detailView()->findChild<AppButton*>(u"session-edit"_s)->click();
        QTRY_COMPARE(m_edited, QList<PracticeSessionPtr>{session});
        QVERIFY(!m_view->detailView()->isEditing());
    }

    void inPlaceEditFailingThenCancelRestoresTheStoredValues() {
        const auto session = add(at({2025, 3, 9, 8}), {{u"Scales"_s}});
        SessionDetailView page(session, SessionDetailView::Presentation::destination, *m_store,
                               newYork, clock(), PracticePreferences(*m_settings), {});
        page.show();
        page.edit();
        QVERIFY(page.isEditing());
        page.findChild<DurationInputView*>()->field()->clear();
        page.findChild<QLineEdit*>(u"session-entry-title-field"_s)->setText(u"Arpeggios"_s);
        QCOMPARE(page.displayTitle(), u"Arpeggios"_s);
        QTest::keyClick(page.findChild<QLineEdit*>(u"session-entry-title-field"_s), Qt::Key_Return,
                        Qt::ControlModifier);

        QMessageBox* alert = nullptr;
        QTRY_VERIFY((alert = openBox(u"save-error-alert"_s)));
        QCOMPARE(alert->text(), u"Couldn’t Save Changes"_s);
        QCOMPARE(alert->informativeText(), u"Enter a practice duration."_s);
        alert->accept();
        QVERIFY(page.isEditing());
        QCOMPARE(page.draft().duration.minutesText(), QString());
        QCOMPARE(session->durationSeconds(), std::int64_t(1800));
        QCOMPARE(session->title(), u"Scales"_s);
        QVERIFY(!m_store->hasChanges());

        // A page of its own keeps its actions in the toolbar.
        page.toolbarItems()->findChild<AppButton*>(u"session-cancel-editing"_s)->click();
        QTRY_VERIFY(!page.isEditing());
        QCOMPARE(page.draft().duration.minutesText(), u"30"_s);
        QCOMPARE(page.displayTitle(), u"Scales"_s);
        QVERIFY(
            page.findChild<AppLabel*>(u"session-detail-metadata"_s)->text().endsWith(u"30 min"));
    }

    // Entering and leaving editing fade the old page out over the new one, whose controls take
    // the mouse from the first moment.
    void editingFadesWhileItsControlsAnswerAtOnce() {
        const auto session = add(at({2025, 3, 9, 8}), {{u"Scales"_s}});
        SessionDetailView page(session, SessionDetailView::Presentation::embedded, *m_store,
                               newYork, clock(), PracticePreferences(*m_settings), {});
        page.resize(900, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.findChild<AppButton*>(u"session-edit"_s)->click();
        QTRY_VERIFY(page.isEditing());
        QVERIFY(page.findChild<QWidget*>(u"cross-fade"_s));
        auto* cancel = page.findChild<AppButton*>(u"session-cancel-editing"_s);
        QCOMPARE(page.childAt(cancel->mapTo(&page, cancel->rect().center())), cancel);
        cancel->click();
        QTRY_VERIFY(!page.isEditing());
        QTRY_VERIFY(!page.findChild<QWidget*>(u"cross-fade"_s));
        QVERIFY(!m_store->hasChanges());
    }

    void movingEntriesKeepsToTheirGroupAcrossOthers() {
        const auto session =
            add(at({2025, 3, 9, 8}),
                {{u"Chords"_s, PracticeCategory::haveFun}, {u"Bends"_s}, {u"Vibrato"_s}});
        SessionDetailView page(session, SessionDetailView::Presentation::destination, *m_store,
                               newYork, clock(), PracticePreferences(*m_settings), {});
        page.beginEditing();
        page.addEntry(PracticeCategory::haveFun);
        const QUuid added = page.draft().entries.back().id;
        const QUuid first = page.draft().entries.front().id;
        page.moveEntry(first, PracticeCategory::haveFun, -1); // the top of its group: nothing
        page.moveEntry(added, PracticeCategory::haveFun, -1);
        QStringList order;
        for (const PracticeEntryDraft& entry : page.draft().entries)
            order << entry.title;
        QCOMPARE(order, QStringList({QString(), u"Bends"_s, u"Vibrato"_s, u"Chords"_s}));

        QVERIFY(page.save());
        QStringList stored;
        for (const PracticeEntryPtr& entry : session->entries())
            stored << entry->title();
        QCOMPARE(stored, QStringList({QString(), u"Chords"_s, u"Bends"_s, u"Vibrato"_s}));
        QVERIFY(!m_store->hasChanges());
        // The blank entry is kept, and the page names it.
        const auto titles = page.findChildren<AppLabel*>(u"session-entry-title"_s);
        QCOMPARE(titles.front()->text(), u"Untitled entry"_s);
    }

    // A session at the very first instant of a month stands under that month's one heading.
    void aSessionAtMidnightOnTheFirstKeepsToItsMonth() {
        add(at({2025, 3, 1, 0, 0}), {{u"Midnight"_s}});
        add(at({2025, 3, 9, 8}), {{u"Later"_s}});
        show(1100);
        SessionListModel* model = m_view->listModel();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->kind(0), SessionListModel::RowKind::monthHeading);
        QCOMPARE(model->kind(2), SessionListModel::RowKind::session);
    }

    void aSessionFinishedInThePracticeRoomAppearsAtTheTop() {
        add(at({2025, 3, 9, 8}), {{u"Yesterday’s scales"_s}});
        show(1100);
        ActivePracticeSessionController controller(clock());
        (void)controller.start(m_now.addingMSecs(-20 * 60 * 1000));
        controller.addThought(u"Tremolo picking"_s);
        controller.finish(
            m_now, std::nullopt,
            {PracticeEntryDraft(QUuid::createUuid(), u"Tremolo picking"_s,
                                PracticeCategory::lookForward, QString(), QString(), 0)},
            [this](const PracticeSessionPtr& session) {
                PracticeSessionDraftSaver::insertAndSave(*m_store, session);
            });
        QCOMPARE(m_store->sessions().size(), std::size_t(2));
        QCOMPARE(m_view->filteredSessions().front()->title(), u"Tremolo picking"_s);
        SessionListModel* model = m_view->listModel();
        QCOMPARE(model->kind(0), SessionListModel::RowKind::monthHeading);
        QCOMPARE(model->data(model->index(0, 0)).toString(), u"MARCH"_s);
        QVERIFY(model->data(model->index(1, 0)).toString().startsWith(u"Today, Tremolo picking"));
        // The selection stays where the user left it.
        QCOMPARE(m_view->selectedSession()->title(), u"Yesterday’s scales"_s);
    }
};

QTEST_MAIN(TestSessionsView)
#include "tst_sessionsview.moc"
