// SPDX-License-Identifier: MIT
#pragma once

#include "core/editing/PracticeEntryDraft.h"

#include <QUuid>
#include <QWidget>

#include <array>

class QLineEdit;

namespace brevanta {

class AppButton;
class CapsuleChip;
class CapsuleLineEdit;

/// One activity of the log and edit form: its title, its practice group, optional minutes and
/// an optional note, with a button to remove it while the form has more than one.
class WorkspaceActivityRow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkspaceActivityRow)

public:
    explicit WorkspaceActivityRow(const PracticeEntryDraft& entry, QWidget* parent = nullptr);

    QUuid entryId() const { return m_id; }
    QLineEdit* titleField() const { return m_title; }
    QLineEdit* minutesField() const;
    QLineEdit* noteField() const { return m_note; }
    AppButton* removeButton() const { return m_remove; }
    CapsuleChip* chip(PracticeCategory category) const;

    void setCategory(PracticeCategory category);
    void setRemovable(bool removable);

Q_SIGNALS:
    void titleEdited(const QUuid& id, const QString& title);
    void categoryChosen(const QUuid& id, brevanta::PracticeCategory category);
    void minutesEdited(const QUuid& id, const QString& minutesText);
    void noteEdited(const QUuid& id, const QString& note);
    void removeRequested(const QUuid& id);

private:
    QUuid m_id;
    QLineEdit* m_title = nullptr;
    AppButton* m_remove = nullptr;
    std::array<CapsuleChip*, 3> m_chips{};
    CapsuleLineEdit* m_minutes = nullptr;
    QLineEdit* m_note = nullptr;
};

} // namespace brevanta
