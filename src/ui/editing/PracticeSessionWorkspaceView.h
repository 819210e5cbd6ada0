// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticePreferences.h"
#include "core/editing/PracticeSessionDraft.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/editing/PracticeSessionWorkspaceMode.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QDateEdit;
class QLineEdit;
class QMessageBox;

namespace brevanta {

class AppButton;
class AppLabel;
class CapsuleChip;
class JournalStore;
class PracticeWorkspaceNotes;
class PracticeWorkspacePage;
class WorkspaceActivityRow;

/// The full-window page on which a past session is logged by hand or a saved one is edited. It
/// edits a draft and writes the journal only when the user saves; Cancel and Escape leave the
/// journal untouched. The window shows it for its log and edit routes and takes it away when it
/// reports cancelled() or saved().
class PracticeSessionWorkspaceView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeSessionWorkspaceView)

public:
    static constexpr std::array<int, 4> quickMinutes{15, 30, 45, 60};
    static constexpr int entryAnimationMilliseconds = 180;

    /// `calendar` is the user's current calendar: it places a logged session at noon of the
    /// chosen day. `clock` stamps the records; `preferences` holds the remembered group.
    PracticeSessionWorkspaceView(PracticeSessionWorkspaceMode mode, JournalStore& store,
                                 Calendar calendar, Clock clock, PracticePreferences preferences,
                                 QWidget* parent = nullptr);
    ~PracticeSessionWorkspaceView() override;

    const PracticeSessionWorkspaceMode& mode() const { return m_mode; }
    const PracticeSessionDraft& draft() const { return m_draft; }

    /// Runs each time the page is shown: when logging, the first activity takes the remembered
    /// practice group and keyboard focus.
    void prepareWorkspace();
    void addEntry();
    void removeEntry(const QUuid& id);
    /// Commits the draft. On success tells saved(); on failure shows the save alert and keeps
    /// the draft as it was. Returns whether it saved.
    bool save();

    /// The last save failure's description while its alert is open.
    std::optional<QString> errorMessage() const { return m_errorMessage; }

    /// The big duration line for a minutes text: the text read as a whole number exactly as it
    /// stands (anything else counts as 0 minutes), written in compact form.
    static QString durationHeroText(const QString& minutesText);
    /// The label of the quick duration chip of `minutes`.
    static QString quickMinutesTitle(int minutes);

Q_SIGNALS:
    /// The user cancelled; nothing was written.
    void cancelled();
    /// The draft was saved as `session`, new when logging, the edited one otherwise.
    void saved(const brevanta::PracticeSessionPtr& session);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildContent();
    QWidget* buildActions();

    // The date control is where the journal's instants meet the widget's calendar days; these
    // two are the only conversions between them.
    QDate dateOfDraft() const;
    std::optional<Instant> instantForDate(QDate date) const;

    WorkspaceActivityRow* addRow(const PracticeEntryDraft& entry);
    WorkspaceActivityRow* rowFor(const QUuid& id) const;
    PracticeEntryDraft* entryFor(const QUuid& id);
    PracticeCategory rememberedCategory() const;
    void refreshRemoveButtons();
    void setMinutesText(const QString& text);
    void refreshDuration();
    void showSaveAlert();

    PracticeSessionWorkspaceMode m_mode;
    JournalStore& m_store;
    Calendar m_calendar;
    Clock m_clock;
    PracticePreferences m_preferences;
    PracticeSessionDraft m_draft;
    std::optional<QString> m_errorMessage;

    PracticeWorkspacePage* m_page = nullptr;
    AppLabel* m_hero = nullptr;
    QDateEdit* m_date = nullptr;
    std::array<CapsuleChip*, quickMinutes.size()> m_quickChips{};
    QLineEdit* m_customMinutes = nullptr;
    QWidget* m_rowsBox = nullptr;
    std::vector<WorkspaceActivityRow*> m_rows;
    PracticeWorkspaceNotes* m_notes = nullptr;
    AppButton* m_cancel = nullptr;
    AppButton* m_save = nullptr;
    QPointer<QMessageBox> m_alert;
};

} // namespace brevanta
