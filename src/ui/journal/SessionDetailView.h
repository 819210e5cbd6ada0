// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticePreferences.h"
#include "core/editing/PracticeSessionDraft.h"
#include "core/model/PracticeCategory.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QMessageBox;
class QScrollArea;
class QVBoxLayout;

namespace brevanta {

class AppLabel;
class JournalStore;

/// One saved session as a journal page: its title, date and duration, a section per practice
/// group and the personal notes. From here the session is edited (handed to the caller, or in
/// place through a draft) or deleted after a confirmation.
///
/// The page follows the store: an edit made elsewhere redraws it, unless it is being edited in
/// place, where the draft stays as the user left it.
class SessionDetailView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionDetailView)

public:
    /// `destination`: a page of its own, its actions in toolbarItems(). `embedded`: inside the
    /// journal's pane, its actions in the page header.
    enum class Presentation { destination, embedded };

    struct Actions {
        /// After a successful delete; when empty, the page asks to be dismissed.
        std::function<void()> onDeleted;
        /// Edit pressed; when empty, Edit starts editing in place.
        std::function<void()> onEdit;
    };

    static constexpr int maximumColumnWidth = 760;

    SessionDetailView(PracticeSessionPtr session, Presentation presentation, JournalStore& store,
                      Calendar calendar, Clock clock, PracticePreferences preferences,
                      Actions actions, QWidget* parent = nullptr);
    ~SessionDetailView() override;

    const PracticeSessionPtr& session() const { return m_session; }
    Presentation presentation() const { return m_presentation; }
    /// The actions of the destination presentation, for the window's toolbar; null otherwise.
    QWidget* toolbarItems() const { return m_toolbarItems; }

    bool isEditing() const { return m_isEditing; }
    const PracticeSessionDraft& draft() const { return m_draft; }
    std::optional<QString> errorMessage() const { return m_errorMessage; }
    bool isConfirmingDelete() const { return !m_confirmation.isNull(); }
    /// The page title: while editing, the first entry title typed; otherwise, and when there is
    /// none, the session's journal title.
    QString displayTitle() const;

    /// Edit: calls onEdit, or begins editing in place.
    void edit();
    void beginEditing();
    void cancelEditing();
    /// Writes the draft in place. On failure shows "Couldn’t Save Changes" and stays in editing
    /// with the draft as it was. Returns whether it saved.
    bool save();
    /// Opens the delete confirmation.
    void confirmDelete();
    /// Deletes the session (after the confirmation). Returns whether it was deleted.
    bool deleteSession();

    void addEntry(PracticeCategory category);
    /// Swaps the entry with its neighbour in the same group, `direction` -1 (up) or +1 (down);
    /// past the group's ends nothing changes. Entries of other groups keep their places.
    void moveEntry(const QUuid& id, PracticeCategory category, int direction);
    void removeEntry(const QUuid& id);

    /// The stored entries of a group by their order.
    std::vector<PracticeEntryPtr> savedEntries(PracticeCategory category) const;
    /// The entry drafts of a group in draft order.
    std::vector<PracticeEntryDraft> draftEntries(PracticeCategory category) const;
    /// What an empty group says while editing.
    static QString emptyCopy(PracticeCategory category);

Q_SIGNALS:
    /// The page should close: deleted without an onDeleted action.
    void dismissRequested();
    void editingChanged(bool isEditing);

protected:
    bool event(QEvent* event) override;

private:
    /// What the page shows of the session, to tell whether a change of the journal touched it.
    struct ShownState {
        Instant startedAt;
        std::int64_t durationSeconds = 0;
        std::optional<QString> notes;
        std::optional<Instant> updatedAt;
        std::vector<PracticeEntryPtr> entries;

        static ShownState of(const PracticeSession& session);
        bool operator==(const ShownState&) const = default;
    };

    QWidget* buildHeader();
    QWidget* buildTitleBlock();
    QWidget* buildActions(bool compact);
    QWidget* buildEditingControls();
    QWidget* buildGroupSection(PracticeCategory category);
    QWidget* buildSavedEntry(const PracticeEntry& entry);
    QWidget* buildDraftEntry(const PracticeEntryDraft& entry);
    QWidget* buildNotesSection();
    void rebuild();
    void followStore();
    void setEditing(bool editing);
    void refreshTitle();
    PracticeEntryDraft* entryFor(const QUuid& id);
    void focusEntry(const QUuid& id);
    void showFailure(const QString& title);

    PracticeSessionPtr m_session;
    Presentation m_presentation;
    JournalStore& m_store;
    Calendar m_calendar;
    Clock m_clock;
    PracticePreferences m_preferences;
    Actions m_actions;
    bool m_isEditing = false;
    PracticeSessionDraft m_draft;
    std::optional<QString> m_errorMessage;
    ShownState m_shown;

    QScrollArea* m_scroll = nullptr;
    QPointer<QWidget> m_toolbarItems;
    QList<AppLabel*> m_titleLabels;
    QPointer<QMessageBox> m_confirmation;
    QPointer<QMessageBox> m_alert;
};

} // namespace brevanta
