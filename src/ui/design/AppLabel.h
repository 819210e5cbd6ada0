// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"
#include "ui/design/AppColors.h"

#include <QLabel>

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

protected:
    bool event(QEvent* event) override;

private:
    void applyColor();

    AppColor m_color;
    bool m_applying = false;
};

} // namespace brevanta
