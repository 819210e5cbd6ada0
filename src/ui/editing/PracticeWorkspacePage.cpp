// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeWorkspacePage.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSheet.h"
#include "ui/design/AppTypography.h"
#include "ui/design/EditorialRule.h"
#include "ui/editing/PracticeFields.h"

#include <QBoxLayout>
#include <QPainter>
#include <QScrollArea>

namespace brevanta {

namespace {

constexpr int blockSpacing = 40;
constexpr int actionBarVerticalPadding = 16;

/// Centres `column` at most `width` wide in a row of its own.
QWidget* centred(QWidget* column, int width, QMargins margins) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(margins);
    layout->setSpacing(0);
    column->setMaximumWidth(width);
    layout->addStretch(0);
    layout->addWidget(column, 1);
    layout->addStretch(0);
    return row;
}

} // namespace

PracticeWorkspacePage::PracticeWorkspacePage(QWidget* header, QWidget* content, QWidget* notes,
                                             QWidget* actions, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* column = new QWidget;
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(blockSpacing);
    for (QWidget* block : {header, content, notes}) {
        if (block)
            columnLayout->addWidget(block);
    }
    columnLayout->addStretch(1);

    m_scroll = new QScrollArea;
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setAutoFillBackground(false);
    QWidget* scrolled = centred(column, columnWidth, QMargins(padding, padding, padding, padding));
    scrolled->setAutoFillBackground(false);
    m_scroll->setWidget(scrolled);
    // Tab and new rows can reach below the fixed action bar; what takes focus comes into view.
    AppSheet::followFocus(m_scroll, padding);
    layout->addWidget(m_scroll, 1);

    layout->addWidget(new EditorialRule);
    layout->addWidget(
        centred(actions, columnWidth,
                QMargins(padding, actionBarVerticalPadding, padding, actionBarVerticalPadding)));
}

void PracticeWorkspacePage::ensureVisible(QWidget* widget) {
    AppSheet::reveal(m_scroll, widget, padding);
}

void PracticeWorkspacePage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
}

PracticeWorkspaceNotes::PracticeWorkspaceNotes(const QString& title, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    m_title = new AppLabel(title, AppTypography::editorialSection());
    AppAccessibility::exposeAsHeading(m_title);
    layout->addWidget(m_title);
    m_field = new GrowingTextEdit(QStringLiteral("Anything worth remembering?"),
                                  AppTypography::editorialBody(), 3, 10, 5);
    m_field->setObjectName(QStringLiteral("practice-notes"));
    m_field->setAccessibleName(title);
    m_title->setBuddy(m_field);
    layout->addWidget(m_field);
    connect(m_field, &QTextEdit::textChanged, this, [this] {
        if (!m_settingNotes)
            Q_EMIT notesChanged(m_field->text());
    });
}

QString PracticeWorkspaceNotes::title() const {
    return m_title->text();
}

QString PracticeWorkspaceNotes::notes() const {
    return m_field->text();
}

void PracticeWorkspaceNotes::setNotes(const QString& notes) {
    m_settingNotes = true;
    m_field->setText(notes);
    m_settingNotes = false;
}

} // namespace brevanta
