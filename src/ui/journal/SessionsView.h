// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticePreferences.h"
#include "core/journal/JournalSearchIndex.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/journal/SessionDetailView.h"

#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QStackedWidget;

namespace brevanta {

class AppButton;
class AppEmptyState;
class AppLoadingState;
class JournalStore;
class SessionListModel;
class SessionListView;

/// The Journal: every session grouped by month, searchable, beside the selected session's page
/// from 920 points on; narrower, the list fills the screen and a chosen session replaces it until
/// "Back to Journal".
///
/// The list is a model over the store's own newest-first list (or over the matches of the
/// search), so it follows every change of the journal at once without copying it. The search reads
/// the store's JournalSearchIndex; typing that extends it looks only through the previous
/// matches, and leaves the list alone when they all stay.
class SessionsView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionsView)

public:
    struct Actions {
        std::function<void()> onLogPractice;
        std::function<void()> onImportPractice;
        std::function<void(const PracticeSessionPtr&)> onEditSession;
    };

    static constexpr int listPaneWidth = 390;

    /// `calendar` is the user's current calendar; `clock` gives the day the row titles are
    /// relative to and stamps edits.
    SessionsView(JournalStore& store, Calendar calendar, Clock clock,
                 PracticePreferences preferences, Actions actions, QWidget* parent = nullptr);
    ~SessionsView() override;

    /// The search field and the options menu, for the window's toolbar. The window takes them.
    QWidget* toolbarItems() const { return m_toolbarItems; }
    QLineEdit* searchField() const { return m_search; }
    AppButton* optionsButton() const { return m_options; }

    QString searchText() const;
    void setSearchText(const QString& text);

    /// The sessions on show, newest first: the whole journal, or what the search found.
    PickedSessions filteredSessions() const;
    /// The selected session, when it is on show.
    PracticeSessionPtr selectedSession() const { return m_selected; }
    std::optional<QUuid> selectedSessionID() const;
    bool showsNarrowDetail() const { return m_showsNarrowDetail; }
    bool usesSplitLayout() const;

    /// Selects `session` and, in the narrow layout, opens its page.
    void select(const PracticeSessionPtr& session);
    /// Keeps the selection on a session on show: the newest one when the selected one is gone.
    void reconcileSelection();
    /// After the page of `id` deleted it: the newest other session on show, or none (and then
    /// the narrow layout goes back to the list).
    void selectAfterDeleting(const QUuid& id);
    /// "Back to Journal": the narrow layout shows the list again, the selection kept.
    void showList();

    SessionListView* listView() const { return m_list; }
    SessionListModel* listModel() const { return m_model; }
    /// The page of the selected session, or null.
    SessionDetailView* detailView() const { return m_detail; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildListPane();
    QWidget* buildDetailPane();
    void buildToolbarItems();
    void followStore();
    void applySearch();
    void showVisible();
    void setSelected(const PracticeSessionPtr& session);
    void showPageFor(const PracticeSessionPtr& session);
    void followCurrentRow(int row);
    void updatePanes();

    JournalStore& m_store;
    Calendar m_calendar;
    Clock m_clock;
    PracticePreferences m_preferences;
    Actions m_actions;

    QString m_searchText;
    JournalSearchIndex& m_index;
    /// What the search found, while it is not blank.
    std::optional<JournalSearchIndex::Matches> m_matches;
    PracticeSessionPtr m_selected;
    bool m_showsNarrowDetail = false;
    bool m_followingSelection = false;

    SessionListModel* m_model = nullptr;
    SessionListView* m_list = nullptr;
    QWidget* m_listPane = nullptr;
    QWidget* m_divider = nullptr;
    QWidget* m_detailPane = nullptr;
    QStackedWidget* m_listStack = nullptr;
    AppEmptyState* m_emptyJournal = nullptr;
    AppEmptyState* m_noMatches = nullptr;
    AppLoadingState* m_loading = nullptr;
    AppButton* m_back = nullptr;
    QStackedWidget* m_detailStack = nullptr;
    AppEmptyState* m_placeholder = nullptr;
    QPointer<SessionDetailView> m_detail;
    QPointer<QWidget> m_toolbarItems;
    QLineEdit* m_search = nullptr;
    AppButton* m_options = nullptr;
};

} // namespace brevanta
