// SPDX-License-Identifier: MIT
#pragma once

#include "ui/editing/CategoryMinutesPicker.h"

#include <QUuid>
#include <QWidget>

#include <optional>

class QLineEdit;
class QVBoxLayout;

namespace brevanta {

class AppButton;

/// A row of the practice forms standing for one piece of practice: a title with a button that
/// removes the row, then its practice group and optional minutes. Every edit is reported with
/// the row's id; a chosen group shows only once the owner calls setCategory().
class PracticeItemRow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeItemRow)

public:
    /// The names and texts that tell one form's rows from another's.
    struct Texts {
        QString rowObjectName;
        QString titlePlaceholder;
        QString titleObjectName;
        /// The remove button's label; assistive technology hears it with the row's title.
        QString removeLabel;
        QString removeObjectName;
        /// What assistive technology calls the title field, and a row without a title yet.
        QString titleAccessibleName;
        QString untitledRowName;
    };

    QLineEdit* titleField() const { return m_title; }
    QLineEdit* minutesField() const;
    AppButton* removeButton() const { return m_remove; }

    /// Shows `category` as the chosen group, or none as chosen.
    void setCategory(std::optional<PracticeCategory> category);
    /// How assistive technology names this row in the names of its repeated controls: its
    /// title, or the untitled name while it has none.
    QString accessibleRowName() const;

Q_SIGNALS:
    void titleEdited(const QUuid& id, const QString& title);
    void categoryChosen(const QUuid& id, brevanta::PracticeCategory category);
    void minutesEdited(const QUuid& id, const QString& minutesText);
    void removeRequested(const QUuid& id);

protected:
    PracticeItemRow(const QUuid& id, const Texts& texts,
                    const CategoryMinutesPicker::Options& picker, QWidget* parent);

    QUuid id() const { return m_id; }
    CapsuleChip* chipFor(PracticeCategory category) const { return m_picker->chip(category); }
    /// The row's column, for the parts a form adds below the minutes.
    QVBoxLayout* column() const { return m_column; }
    /// Names the row's repeated controls after the row; a form that adds its own calls this
    /// base and names them too.
    virtual void refreshAccessibleNames();

private:
    QUuid m_id;
    Texts m_texts;
    QString m_minutesAccessibleName;
    QVBoxLayout* m_column = nullptr;
    QLineEdit* m_title = nullptr;
    AppButton* m_remove = nullptr;
    CategoryMinutesPicker* m_picker = nullptr;
};

} // namespace brevanta
