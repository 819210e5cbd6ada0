// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

namespace brevanta {

/// The application's style: the platform style, with the parts it would draw in its own grey
/// redrawn in the vocabulary's colours, resolved from each widget's palette at paint time:
/// - scroll bars: a slim rounded thumb in the label colour on a clear track, no arrow buttons;
/// - the date picker's calendar: every day in the text colour (no red weekends), no week
///   numbers, the month bar in the accent.
class AppStyle final : public QProxyStyle {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppStyle)

public:
    AppStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
};

} // namespace brevanta
