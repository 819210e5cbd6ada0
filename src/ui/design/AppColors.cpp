// SPDX-License-Identifier: MIT
#include "ui/design/AppColors.h"

namespace brevanta {

namespace {

QColor rgba(qreal red, qreal green, qreal blue, qreal alpha = 1.0) {
    return QColor::fromRgbF(float(red), float(green), float(blue), float(alpha));
}

QColor black(qreal alpha) {
    return rgba(0, 0, 0, alpha);
}

QColor white(qreal alpha) {
    return rgba(1, 1, 1, alpha);
}

// Label text in each appearance; the secondary and tertiary labels are the same ink, fainter.
const QColor lightInk = QColor(30, 28, 34);
const QColor darkInk = QColor(238, 236, 242);
constexpr qreal secondaryTextOpacity = 0.62;
constexpr qreal tertiaryTextOpacity = 0.42;

// System hues with the lighter variant the dark appearance needs for contrast.
AppColor systemGreen() {
    return AppColor::adaptive(QColor(52, 199, 89), QColor(48, 209, 88));
}
AppColor systemOrange() {
    return AppColor::adaptive(QColor(255, 149, 0), QColor(255, 159, 10));
}
AppColor systemRed() {
    return AppColor::adaptive(QColor(255, 59, 48), QColor(255, 69, 58));
}
AppColor systemBlue() {
    return AppColor::adaptive(QColor(0, 122, 255), QColor(10, 132, 255));
}
AppColor systemTeal() {
    return AppColor::adaptive(QColor(48, 176, 199), QColor(64, 200, 224));
}

QColor opaqueOver(const QColor& top, const QColor& bottom) {
    const qreal a = top.alphaF();
    return rgba(top.redF() * a + bottom.redF() * (1 - a),
                top.greenF() * a + bottom.greenF() * (1 - a),
                top.blueF() * a + bottom.blueF() * (1 - a));
}

} // namespace

AppColors::Appearance AppColors::appearance(const QPalette& palette) {
    const qreal window = palette.color(QPalette::Active, QPalette::Window).lightnessF();
    const qreal text = palette.color(QPalette::Active, QPalette::WindowText).lightnessF();
    return text > window ? Appearance::dark : Appearance::light;
}

QPalette AppColors::palette(Appearance appearance) {
    const bool dark = appearance == Appearance::dark;
    QPalette reference;
    reference.setColor(QPalette::Window, dark ? Qt::black : Qt::white);
    reference.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);

    const QColor window = windowBackground().resolve(reference);
    const QColor ink = dark ? darkInk : lightInk;
    const QColor base = opaqueOver(elevatedSurface().resolve(reference), window);
    const QColor alternate = opaqueOver(secondarySurface().resolve(reference), window);
    const QColor accentColor = accent().resolve(reference);
    const QColor faint = opaqueOver(QColor(ink.red(), ink.green(), ink.blue(), 110), window);
    const QColor disabledInk = opaqueOver(QColor(ink.red(), ink.green(), ink.blue(), 100), window);

    QPalette result(ink, window);
    result.setColor(QPalette::Window, window);
    result.setColor(QPalette::WindowText, ink);
    result.setColor(QPalette::Base, base);
    result.setColor(QPalette::AlternateBase, alternate);
    result.setColor(QPalette::Text, ink);
    result.setColor(QPalette::Button, base);
    result.setColor(QPalette::ButtonText, ink);
    result.setColor(QPalette::BrightText, Qt::white);
    result.setColor(QPalette::ToolTipBase, base);
    result.setColor(QPalette::ToolTipText, ink);
    result.setColor(QPalette::PlaceholderText, faint);
    result.setColor(QPalette::Highlight, accentColor);
    result.setColor(QPalette::HighlightedText, Qt::white);
    result.setColor(QPalette::Link, accentColor);
    result.setColor(QPalette::LinkVisited, accentColor.darker(120));
    result.setColor(QPalette::Light, dark ? window.lighter(160) : Qt::white);
    result.setColor(QPalette::Midlight, dark ? window.lighter(130) : window.darker(104));
    result.setColor(QPalette::Mid, dark ? window.lighter(180) : window.darker(125));
    result.setColor(QPalette::Dark, dark ? Qt::black : window.darker(160));
    result.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        result.setColor(QPalette::Disabled, role, disabledInk);
    }
    return result;
}

AppColor AppColors::windowBackground() {
    return AppColor::adaptive(rgba(0.975, 0.965, 0.95), rgba(0.075, 0.082, 0.105));
}

AppColor AppColors::elevatedSurface() {
    return AppColor::adaptive(rgba(1.0, 0.995, 0.985, 0.94), rgba(0.115, 0.125, 0.155, 0.96));
}

AppColor AppColors::secondarySurface() {
    return AppColor::adaptive(rgba(0.95, 0.94, 0.925, 0.72), rgba(0.15, 0.16, 0.19, 0.78));
}

AppColor AppColors::border() {
    return AppColor::adaptive(black(0.105), white(0.12));
}

AppColor AppColors::shadow() {
    return AppColor::adaptive(black(0.15), black(0.5));
}

AppColor AppColors::sidebar() {
    return AppColor::fixed(rgba(0.055, 0.07, 0.105));
}

AppColor AppColors::sidebarSurface() {
    return AppColor::fixed(white(0.07));
}

AppColor AppColors::sidebarText() {
    return AppColor::fixed(white(0.92));
}

AppColor AppColors::sidebarSecondaryText() {
    return AppColor::fixed(white(0.56));
}

AppColor AppColors::accent() {
    return AppColor::fixed(rgba(0.35, 0.27, 0.72));
}

AppColor AppColors::primaryText() {
    return AppColor::paletteRole(QPalette::WindowText);
}

AppColor AppColors::secondaryText() {
    return AppColor::paletteRole(QPalette::WindowText, secondaryTextOpacity);
}

AppColor AppColors::tertiaryText() {
    return AppColor::paletteRole(QPalette::WindowText, tertiaryTextOpacity);
}

AppColor AppColors::success() {
    return systemGreen();
}

AppColor AppColors::warning() {
    return systemOrange();
}

AppColor AppColors::destructive() {
    return systemRed();
}

AppColor AppColors::category(PracticeCategory category) {
    switch (category.value()) {
    case PracticeCategory::haveFun:
        return systemOrange();
    case PracticeCategory::lookBack:
        return systemBlue();
    case PracticeCategory::lookForward:
        return systemTeal();
    }
    Q_UNREACHABLE();
    return systemBlue();
}

} // namespace brevanta
