// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"
#include "ui/design/AppColors.h"

#include <QWidget>

namespace brevanta {

/// One symbol of the icon table, sized to stand beside text of `textSize` logical pixels and
/// drawn in a colour resolved at paint time.
class AppSymbolView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppSymbolView)

public:
    explicit AppSymbolView(const QString& symbolName, qreal textSize,
                           const AppColor& color = AppColors::primaryText(),
                           QWidget* parent = nullptr);

    QString symbolName() const { return m_symbolName; }
    void setSymbolName(const QString& symbolName);
    void setColor(const AppColor& color);
    void setTextSize(qreal textSize);
    /// Overrides the width the symbol is centred in, like a fixed-width icon column.
    void setFrameWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int em() const;

    QString m_symbolName;
    qreal m_textSize;
    AppColor m_color;
    int m_frameWidth = 0;
};

} // namespace brevanta
