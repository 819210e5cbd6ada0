// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"
#include "ui/practice/FinishThoughtDraft.h"

#include <QUuid>
#include <QWidget>

#include <array>

class QLineEdit;

namespace brevanta {

class AppButton;
class CapsuleChip;
class CapsuleLineEdit;

/// One thought on the finishing sheet: its words, a button per practice group, optional minutes
/// and a button that removes it.
class FinishThoughtRow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FinishThoughtRow)

public:
    explicit FinishThoughtRow(const FinishThoughtDraft& thought, QWidget* parent = nullptr);

    QUuid thoughtId() const { return m_id; }
    QLineEdit* titleField() const { return m_title; }
    QLineEdit* minutesField() const;
    AppButton* removeButton() const { return m_remove; }
    CapsuleChip* categoryButton(PracticeCategory category) const;

    void setCategory(std::optional<PracticeCategory> category);

Q_SIGNALS:
    void titleEdited(const QUuid& id, const QString& title);
    void categoryChosen(const QUuid& id, brevanta::PracticeCategory category);
    void minutesEdited(const QUuid& id, const QString& minutesText);
    void removeRequested(const QUuid& id);

private:
    QUuid m_id;
    QLineEdit* m_title = nullptr;
    AppButton* m_remove = nullptr;
    std::array<CapsuleChip*, 3> m_categories{};
    CapsuleLineEdit* m_minutes = nullptr;
};

} // namespace brevanta
