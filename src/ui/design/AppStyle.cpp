// SPDX-License-Identifier: MIT
#include "ui/design/AppStyle.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"

#include <QCalendarWidget>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QTextCharFormat>
#include <QToolButton>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int scrollBarThickness = 12;
constexpr int thumbMinimumLength = 32;
// The thumb stands this far inside the bar across it, and along it.
constexpr int thumbInsetAcross = 3;
constexpr int thumbInsetAlong = 2;

} // namespace

AppStyle::AppStyle()
    : QProxyStyle(QStringLiteral("Fusion")) {}

int AppStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                          const QWidget* widget) const {
    switch (metric) {
    case PM_ScrollBarExtent:
        return scrollBarThickness;
    case PM_ScrollBarSliderMin:
        return thumbMinimumLength;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int AppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const {
    // A click on the track jumps there, as on the desktops the app is at home on.
    if (hint == SH_ScrollBar_LeftClickAbsolutePosition)
        return true;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                             const QWidget* widget) const {
    // Every menu bar asks for its overflow button's icon as it is built. The base style's first
    // answer searches the desktop's icon themes, a cost every start paid for a button that is
    // seldom shown; the app's own chevrons are drawn only when it is.
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
        return AppIcons::icon(u"chevron.right", AppColors::primaryText());
    case SP_ToolBarVerticalExtensionButton:
        return AppIcons::icon(u"chevron.down", AppColors::primaryText());
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

QRect AppStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                               SubControl subControl, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);

    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRect bounds = bar->rect;
    const int length = horizontal ? bounds.width() : bounds.height();
    const qint64 range = qint64(bar->maximum) - bar->minimum;
    int thumb = length;
    if (range > 0) {
        thumb = int(qint64(length) * bar->pageStep / (range + bar->pageStep));
        thumb = std::clamp(thumb, std::min(thumbMinimumLength, length), length);
    }
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                              length - thumb, bar->upsideDown);
    const auto along = [&](int from, int extent) {
        return horizontal ? QRect(bounds.x() + from, bounds.y(), extent, bounds.height())
                          : QRect(bounds.x(), bounds.y() + from, bounds.width(), extent);
    };
    switch (subControl) {
    case SC_ScrollBarSlider:
        return along(start, thumb);
    case SC_ScrollBarSubPage:
        return along(0, start);
    case SC_ScrollBarAddPage:
        return along(start + thumb, length - start - thumb);
    case SC_ScrollBarGroove:
        return bounds;
    default:
        // No arrow buttons.
        return {};
    }
}

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    if (bar->maximum == bar->minimum)
        return;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const bool hovered = bar->state & State_MouseOver;
    const bool dragged =
        (bar->activeSubControls & SC_ScrollBarSlider) && (bar->state & State_Sunken);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (hovered || dragged)
        painter->fillRect(bar->rect, AppColors::border().withOpacity(0.5).resolve(bar->palette));
    QRectF thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
    thumb = horizontal ? thumb.adjusted(thumbInsetAlong, thumbInsetAcross, -thumbInsetAlong,
                                        -thumbInsetAcross)
                       : thumb.adjusted(thumbInsetAcross, thumbInsetAlong, -thumbInsetAcross,
                                        -thumbInsetAlong);
    const qreal opacity = dragged ? 0.55 : hovered ? 0.42 : 0.28;
    const qreal radius = (horizontal ? thumb.height() : thumb.width()) / 2.0;
    painter->setPen(Qt::NoPen);
    painter->setBrush(AppColors::primaryText().withOpacity(opacity).resolve(bar->palette));
    painter->drawRoundedRect(thumb, radius, radius);
    painter->restore();
}

void AppStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (auto* calendar = qobject_cast<QCalendarWidget*>(widget)) {
        // An empty format leaves a day in the palette's text colour, resolved as it paints.
        for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
            calendar->setWeekdayTextFormat(day, QTextCharFormat());
        QTextCharFormat header;
        header.setFontWeight(QFont::DemiBold);
        calendar->setHeaderTextFormat(header);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        calendar->setGridVisible(false);
        // The month arrows in the vocabulary's symbols, not the toolkit's green stock arrows.
        const std::pair<const char*, QStringView> arrows[] = {
            {"qt_calendar_prevmonth", u"chevron.left"},
            {"qt_calendar_nextmonth", u"chevron.right"}};
        for (const auto& [name, symbol] : arrows) {
            if (auto* button = calendar->findChild<QToolButton*>(QLatin1StringView(name)))
                button->setIcon(
                    AppIcons::icon(symbol, AppColor::paletteRole(QPalette::HighlightedText)));
        }
    }
}

} // namespace brevanta
