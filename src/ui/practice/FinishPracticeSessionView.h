// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Clock.h"
#include "ui/practice/FinishThoughtDraft.h"

#include <QDialog>
#include <QPointer>

#include <optional>
#include <vector>

class QMessageBox;
class QStackedWidget;
class QVBoxLayout;

namespace brevanta {

class ActivePracticeSessionController;
class AppButton;
class AppLabel;
class FinishThoughtRow;
class GrowingTextEdit;
class JournalStore;

/// The finishing sheet: turns the running session into a journal page. On its review face each
/// thought gets a practice group and optional minutes, thoughts can be added or removed and the
/// notes written; "Add to Journal" saves one timed session through the controller, after which
/// the sheet turns to a confirmation of the saved page.
///
/// A window-modal dialog: the window opens it with open() over the practice room. Its edits are
/// its own: "Keep Practising" (Escape) closes it without touching the controller, and opening it
/// again starts from the running session's current thoughts and notes.
class FinishPracticeSessionView : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FinishPracticeSessionView)

public:
    static constexpr int faceTransitionMilliseconds = 320;

    /// `clock` gives the instant the active time is measured at; the saved session goes into
    /// `store`.
    FinishPracticeSessionView(ActivePracticeSessionController& controller, JournalStore& store,
                              Clock clock, QWidget* parent = nullptr);
    ~FinishPracticeSessionView() override;

    const std::vector<FinishThoughtDraft>& thoughts() const { return m_thoughts; }
    QString notes() const;
    bool hasInvalidThoughts() const { return FinishThoughtDraft::hasInvalidThoughts(m_thoughts); }
    /// The session saved by this sheet; null on the review face.
    const PracticeSessionPtr& savedSession() const { return m_savedSession; }
    /// The last save failure's description while its alert is open.
    std::optional<QString> errorMessage() const { return m_errorMessage; }

    /// The elapsed time the header shows: the active time now, in whole seconds, at least 1.
    std::int64_t shownElapsedSeconds() const;

    /// "Add Another Thought".
    void addThought();
    void removeThought(const QUuid& id);
    /// "Add to Journal". Returns whether the session was saved.
    bool save();

Q_SIGNALS:
    /// The sheet added `session` to the journal.
    void sessionSaved(const brevanta::PracticeSessionPtr& session);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildReviewFace();
    QWidget* buildConfirmationFace(const PracticeSession& session);
    FinishThoughtRow* addRow(const FinishThoughtDraft& thought);
    FinishThoughtRow* rowFor(const QUuid& id) const;
    FinishThoughtDraft* thoughtFor(const QUuid& id);
    void refresh();
    void showSaveAlert();

    ActivePracticeSessionController& m_controller;
    JournalStore& m_store;
    Clock m_clock;
    std::vector<FinishThoughtDraft> m_thoughts;
    PracticeSessionPtr m_savedSession;
    std::optional<QString> m_errorMessage;

    QStackedWidget* m_faces = nullptr;
    QWidget* m_review = nullptr;
    AppLabel* m_elapsed = nullptr;
    QWidget* m_rowsBox = nullptr;
    QVBoxLayout* m_rows = nullptr;
    std::vector<FinishThoughtRow*> m_rowWidgets;
    AppLabel* m_emptyLine = nullptr;
    GrowingTextEdit* m_notes = nullptr;
    AppButton* m_keepPractising = nullptr;
    AppButton* m_addToJournal = nullptr;
    AppButton* m_done = nullptr;
    QPointer<QMessageBox> m_alert;
};

} // namespace brevanta
