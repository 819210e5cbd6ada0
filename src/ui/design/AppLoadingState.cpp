// SPDX-License-Identifier: MIT
#include "ui/design/AppLoadingState.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"

#include <QBoxLayout>
#include <QFontInfo>

namespace brevanta {

AppLoadingState::AppLoadingState(const QString& message, const QString& symbolName,
                                 Placement placement, QWidget* parent)
    : QWidget(parent)
    , m_symbol(new AppSymbolView(symbolName,
                                 QFontInfo(placement == Placement::centred
                                               ? AppTypography::titleStyle()
                                               : AppTypography::secondaryBody())
                                     .pixelSize(),
                                 AppColors::tertiaryText()))
    , m_message(new AppLabel(message, AppTypography::secondaryBody(), AppColors::secondaryText())) {
    if (placement == Placement::leading) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        row->addWidget(m_symbol, 0, Qt::AlignTop);
        row->addWidget(m_message, 1, Qt::AlignTop);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    } else {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(24, 24, 24, 24);
        column->setSpacing(12);
        column->addStretch(1);
        column->addWidget(m_symbol, 0, Qt::AlignHCenter);
        column->addWidget(m_message);
        column->addStretch(1);
        m_message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    m_message->setWordWrap(true);
    m_symbol->setAccessibleName(QString());
    setAccessibleName(message);

    m_reveal.setSingleShot(true);
    m_reveal.setInterval(revealDelayMs);
    connect(&m_reveal, &QTimer::timeout, this, [this] { setRevealed(true); });
    setRevealed(false);
}

QString AppLoadingState::message() const {
    return m_message->text();
}

bool AppLoadingState::isRevealed() const {
    return !m_message->isHidden();
}

void AppLoadingState::setRevealed(bool revealed) {
    // Hidden rather than transparent: a screen reader reads nothing until there is something.
    m_symbol->setVisible(revealed);
    m_message->setVisible(revealed);
}

void AppLoadingState::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!isRevealed())
        m_reveal.start();
}

void AppLoadingState::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_reveal.stop();
}

} // namespace brevanta
