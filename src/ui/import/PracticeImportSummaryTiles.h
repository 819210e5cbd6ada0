// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QList>
#include <QPair>

namespace brevanta {

/// The review's summary: one row of tiles, each a value above its label. Painted as one piece and
/// read as one sentence by assistive technology ("Files 3, Date range …").
class PracticeImportSummaryTiles final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeImportSummaryTiles)

public:
    /// Label and value of each tile, in order.
    using Tiles = QList<QPair<QString, QString>>;

    explicit PracticeImportSummaryTiles(QWidget* parent = nullptr);

    void setTiles(const Tiles& tiles);
    const Tiles& tiles() const { return m_tiles; }
    /// The value of the tile labelled `label`; empty when there is none.
    QString value(const QString& label) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Tiles m_tiles;
};

} // namespace brevanta
