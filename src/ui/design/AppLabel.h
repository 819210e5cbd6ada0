// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"
#include "ui/design/AppColors.h"

#include <QLabel>

#include <array>
#include <cstddef>

namespace brevanta {

/// A label in one of the vocabulary's fonts and colours. Its text colour is resolved from the
/// palette it inherits, again whenever that palette changes, so it follows a switch between
/// light and dark appearance.
class AppLabel : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppLabel)

public:
    explicit AppLabel(const QString& text, const QFont& font,
                      const AppColor& color = AppColors::primaryText(), QWidget* parent = nullptr);

    AppColor color() const { return m_color; }
    void setColor(const AppColor& color);

    /// As QLabel answers it, but remembered: QLabel lays the text out afresh for every question,
    /// and a layout settling asks the same few widths many times.
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;

private:
    // Everything a wrapped label's height depends on besides the width.
    struct TextSetting {
        QString text;
        QFont font;
        QMargins contentsMargins;
        int margin = 0;
        int indent = 0;
        Qt::Alignment alignment;
        Qt::TextFormat format = Qt::PlainText;
        bool wordWrap = false;
        bool operator==(const TextSetting&) const = default;
    };
    struct HeightAtWidth {
        int width = -1;
        int height = 0;
    };

    void applyColor();
    TextSetting textSetting() const;
    void forgetHeights() const;

    AppColor m_color;
    bool m_applying = false;
    mutable TextSetting m_measuredSetting;
    mutable std::array<HeightAtWidth, 4> m_heights;
    mutable std::size_t m_nextHeight = 0;
};

} // namespace brevanta
