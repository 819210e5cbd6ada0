// SPDX-License-Identifier: MIT
#include "ui/import/PracticeImportSummaryTiles.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace brevanta {

namespace {

constexpr int tileSpacing = 10;
constexpr int tilePadding = 12;
constexpr int valueLabelSpacing = 3;
constexpr qreal tileRadius = 12;

} // namespace

PracticeImportSummaryTiles::PracticeImportSummaryTiles(QWidget* parent)
    : QLabel(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PracticeImportSummaryTiles::setTiles(const Tiles& tiles) {
    if (tiles == m_tiles)
        return;
    m_tiles = tiles;
    QStringList parts;
    for (const auto& [label, value] : m_tiles)
        parts << label + u' ' + value;
    const QString sentence = parts.join(QStringLiteral(", "));
    setText(sentence);
    setAccessibleName(sentence);
    update();
}

QString PracticeImportSummaryTiles::value(const QString& label) const {
    for (const auto& [tileLabel, value] : m_tiles) {
        if (tileLabel == label)
            return value;
    }
    return {};
}

QSize PracticeImportSummaryTiles::sizeHint() const {
    const QFontMetrics value(AppTypography::headlineStyle());
    const QFontMetrics label(AppTypography::caption());
    return {600, 2 * tilePadding + value.height() + valueLabelSpacing + label.height()};
}

QSize PracticeImportSummaryTiles::minimumSizeHint() const {
    return {300, sizeHint().height()};
}

void PracticeImportSummaryTiles::paintEvent(QPaintEvent*) {
    if (m_tiles.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont valueFont = AppTypography::headlineStyle();
    const QFont labelFont = AppTypography::caption();
    const QFontMetrics valueMetrics(valueFont);
    const QFontMetrics labelMetrics(labelFont);
    // Each tile gets what its texts need and an equal share of the room left; when there is not
    // enough room, all shrink alike and their texts elide.
    std::vector<qreal> widths;
    qreal needed = 0;
    for (const auto& [label, value] : m_tiles) {
        widths.push_back(2 * tilePadding + std::max(valueMetrics.horizontalAdvance(value),
                                                    labelMetrics.horizontalAdvance(label)));
        needed += widths.back();
    }
    const qreal room = width() - tileSpacing * (m_tiles.size() - 1);
    for (qreal& tileWidth : widths)
        tileWidth = needed <= room ? tileWidth + (room - needed) / qreal(widths.size())
                                   : tileWidth * room / needed;
    qreal left = 0;
    for (qsizetype index = 0; index < m_tiles.size(); ++index) {
        const auto& [label, value] = m_tiles[index];
        const QRectF tile(left, 0.5, widths[std::size_t(index)], height() - 1.0);
        left = tile.right() + tileSpacing;
        const QPainterPath shape =
            continuousRoundedRect(tile.adjusted(0.5, 0, -0.5, 0), tileRadius);
        painter.fillPath(shape, AppColors::secondarySurface().resolve(this));
        painter.setPen(QPen(AppColors::border().resolve(this), 1.0));
        painter.drawPath(shape);
        const QRectF text = tile.adjusted(tilePadding, tilePadding, -tilePadding, -tilePadding);
        const int textWidth = int(text.width());
        painter.setFont(valueFont);
        painter.setPen(AppColors::primaryText().resolve(this));
        painter.drawText(QRectF(text.left(), text.top(), text.width(), valueMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         valueMetrics.elidedText(value, Qt::ElideRight, textWidth));
        painter.setFont(labelFont);
        painter.setPen(AppColors::secondaryText().resolve(this));
        painter.drawText(QRectF(text.left(), text.top() + valueMetrics.height() + valueLabelSpacing,
                                text.width(), labelMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         labelMetrics.elidedText(label, Qt::ElideRight, textWidth));
    }
}

} // namespace brevanta
