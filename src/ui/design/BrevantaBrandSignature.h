// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColors.h"

#include <QWidget>

namespace brevanta {

class AppLabel;
class BrevantaBrandMark;
class BrevantaWordmark;

/// The mark and the wordmark side by side, with an optional line beneath the wordmark.
class BrevantaBrandSignature : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaBrandSignature)

public:
    explicit BrevantaBrandSignature(int markSize = 34, int wordmarkSize = 24,
                                    const QString& subtitle = {},
                                    const AppColor& wordmarkColor = AppColors::primaryText(),
                                    const AppColor& subtitleColor = AppColors::secondaryText(),
                                    QWidget* parent = nullptr);

    BrevantaBrandMark* mark() const { return m_mark; }
    BrevantaWordmark* wordmark() const { return m_wordmark; }
    /// Null when the signature has no subtitle.
    AppLabel* subtitleLabel() const { return m_subtitle; }

    /// Draws the signature at `opacity` (0…1) by drawing each part so: cheaper than a graphics
    /// effect, which renders the window's pending layouts, hidden parts included, on every paint.
    void setOpacity(qreal opacity);

private:
    BrevantaBrandMark* m_mark = nullptr;
    BrevantaWordmark* m_wordmark = nullptr;
    AppLabel* m_subtitle = nullptr;
    AppColor m_wordmarkColor;
    AppColor m_subtitleColor;
};

} // namespace brevanta
