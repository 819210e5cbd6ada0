// SPDX-License-Identifier: MIT
#include "ui/design/BrevantaBrandSignature.h"

#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandMark.h"
#include "ui/design/BrevantaWordmark.h"

#include <QBoxLayout>

#include <algorithm>

namespace brevanta {

BrevantaBrandSignature::BrevantaBrandSignature(int markSize, int wordmarkSize,
                                               const QString& subtitle,
                                               const AppColor& wordmarkColor,
                                               const AppColor& subtitleColor, QWidget* parent)
    : QWidget(parent)
    , m_mark(new BrevantaBrandMark(markSize))
    , m_wordmark(new BrevantaWordmark(wordmarkSize, wordmarkColor))
    , m_wordmarkColor(wordmarkColor)
    , m_subtitleColor(subtitleColor) {
    auto* words = new QVBoxLayout;
    words->setContentsMargins(0, 0, 0, 0);
    words->setSpacing(1);
    words->addWidget(m_wordmark);
    if (!subtitle.isEmpty()) {
        m_subtitle = new AppLabel(subtitle, AppTypography::system(12), subtitleColor);
        words->addWidget(m_subtitle);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(std::max(8, markSize / 3));
    row->addWidget(m_mark, 0, Qt::AlignVCenter);
    row->addLayout(words);
    row->setAlignment(words, Qt::AlignVCenter);
    row->addStretch(1);

    setAccessibleName(subtitle.isEmpty() ? QStringLiteral("Brevanta")
                                         : QStringLiteral("Brevanta, ") + subtitle);
}

void BrevantaBrandSignature::setOpacity(qreal opacity) {
    m_mark->setOpacity(opacity);
    m_wordmark->setColor(m_wordmarkColor.withOpacity(opacity));
    if (m_subtitle)
        m_subtitle->setColor(m_subtitleColor.withOpacity(opacity));
}

} // namespace brevanta
