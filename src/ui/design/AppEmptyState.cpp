// SPDX-License-Identifier: MIT
#include "ui/design/AppEmptyState.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"

#include <QBoxLayout>
#include <QFontInfo>

namespace brevanta {

AppEmptyState::AppEmptyState(const QString& title, const QString& message,
                             const QString& symbolName, bool compact, QWidget* parent)
    : QWidget(parent)
    , m_compact(compact)
    , m_symbol(new AppSymbolView(symbolName, QFontInfo(AppTypography::titleStyle()).pixelSize(),
                                 AppColors::secondaryText()))
    , m_title(new AppLabel(title, AppTypography::cardTitle()))
    , m_message(new AppLabel(message, AppTypography::secondaryBody(), AppColors::secondaryText()))
    , m_column(new QVBoxLayout(this)) {
    const int padding = compact ? 16 : 24;
    m_column->setContentsMargins(padding, padding, padding, padding);
    m_column->setSpacing(compact ? 8 : 12);
    m_column->addStretch(1);
    m_column->addWidget(m_symbol, 0, Qt::AlignHCenter);
    m_column->addWidget(m_title);
    m_column->addWidget(m_message);
    m_column->addStretch(1);

    for (AppLabel* label : {m_title, m_message}) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
    }
    m_symbol->setAccessibleName(QString());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QString AppEmptyState::title() const {
    return m_title->text();
}

void AppEmptyState::setTitle(const QString& title) {
    m_title->setText(title);
}

QString AppEmptyState::message() const {
    return m_message->text();
}

void AppEmptyState::setMessage(const QString& message) {
    m_message->setText(message);
}

QString AppEmptyState::symbolName() const {
    return m_symbol->symbolName();
}

void AppEmptyState::setSymbolName(const QString& symbolName) {
    m_symbol->setSymbolName(symbolName);
}

void AppEmptyState::setAction(QWidget* action) {
    if (m_action == action)
        return;
    if (m_action) {
        m_column->removeWidget(m_action);
        m_action->deleteLater();
    }
    m_action = action;
    if (m_action) {
        // Inserted before the trailing stretch, so the block stays centred.
        m_column->insertWidget(m_column->count() - 1, m_action, 0, Qt::AlignHCenter);
    }
}

} // namespace brevanta
