// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QScrollArea;

namespace brevanta {

class AppLabel;
class GrowingTextEdit;

/// The page of the practice room and of the log and edit form: header, content and notes in a
/// scrolling column at most 760 points wide and centred, 40 points apart and from every edge;
/// below it a rule and a fixed bar for the actions on the window background.
class PracticeWorkspacePage : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeWorkspacePage)

public:
    static constexpr int columnWidth = 760;
    static constexpr int padding = 40;

    PracticeWorkspacePage(QWidget* header, QWidget* content, QWidget* notes, QWidget* actions,
                          QWidget* parent = nullptr);

    QScrollArea* scrollArea() const { return m_scroll; }
    /// Scrolls the column so that `widget` inside it is in view above the action bar, also once
    /// a widget just added has been laid out. Whatever takes focus is brought into view alike.
    void ensureVisible(QWidget* widget);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QScrollArea* m_scroll = nullptr;
};

/// The notes block of a practice page: a heading and a plain multi-line field of 3 to 10 lines.
class PracticeWorkspaceNotes : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeWorkspaceNotes)

public:
    explicit PracticeWorkspaceNotes(const QString& title, QWidget* parent = nullptr);

    QString title() const;
    QString notes() const;
    /// Replaces the notes without announcing a change.
    void setNotes(const QString& notes);
    GrowingTextEdit* field() const { return m_field; }

Q_SIGNALS:
    /// The user changed the notes.
    void notesChanged(const QString& notes);

private:
    AppLabel* m_title = nullptr;
    GrowingTextEdit* m_field = nullptr;
    bool m_settingNotes = false;
};

} // namespace brevanta
