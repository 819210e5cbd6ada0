// SPDX-License-Identifier: MIT
#include "ui/design/AppTypography.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace brevanta {

namespace {

/// The size of `font` in logical pixels, whichever unit it was given in.
qreal logicalPixels(const QFont& font) {
    if (font.pixelSize() > 0)
        return font.pixelSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return font.pointSizeF() * dpi / 72.0;
}

/// The default font scaled by `numerator`/13, in the unit the default was given in, so a size
/// set in points stays in points and one set in pixels stays in pixels; never below `floor`
/// logical pixels.
QFont scaledDefault(int numerator, int floor = 0) {
    QFont font = QGuiApplication::font();
    constexpr qreal bodyUnits = 13.0;
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * numerator / bodyUnits))));
    } else {
        font.setPointSizeF(font.pointSizeF() * numerator / bodyUnits);
    }
    if (logicalPixels(font) < floor)
        font.setPixelSize(floor);
    return font;
}

bool digitsShareOneAdvance(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (!qFuzzyCompare(metrics.horizontalAdvance(QLatin1Char(digit)), zero))
            return false;
    }
    return true;
}

} // namespace

QFont AppTypography::editorialHero() {
    return system(56, QFont::Bold);
}

QFont AppTypography::editorialTitle() {
    return system(38, QFont::Bold);
}

QFont AppTypography::screenTitle() {
    return system(30, QFont::Bold);
}

QFont AppTypography::editorialBody() {
    return system(17, QFont::Normal);
}

QFont AppTypography::editorialSection() {
    return withWeight(headlineStyle(), QFont::DemiBold);
}

QFont AppTypography::sectionTitle() {
    return withWeight(headlineStyle(), QFont::DemiBold);
}

QFont AppTypography::cardTitle() {
    return withWeight(subheadlineStyle(), QFont::DemiBold);
}

QFont AppTypography::editorialMetadata() {
    return subheadlineStyle();
}

QFont AppTypography::screenSubtitle() {
    return subheadlineStyle();
}

QFont AppTypography::secondaryBody() {
    return subheadlineStyle();
}

QFont AppTypography::body() {
    return bodyStyle();
}

QFont AppTypography::caption() {
    return captionStyle();
}

QFont AppTypography::bodyStyle() {
    return scaledDefault(13);
}

QFont AppTypography::headlineStyle() {
    return withWeight(bodyStyle(), QFont::DemiBold);
}

QFont AppTypography::subheadlineStyle() {
    return scaledDefault(11, subheadlineFloor);
}

QFont AppTypography::captionStyle() {
    return scaledDefault(10, captionFloor);
}

QFont AppTypography::title2Style() {
    return scaledDefault(17);
}

QFont AppTypography::titleStyle() {
    return scaledDefault(22);
}

QFont AppTypography::system(int pixelSize, QFont::Weight weight) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont AppTypography::withWeight(QFont font, QFont::Weight weight) {
    font.setWeight(weight);
    return font;
}

QFont AppTypography::withTracking(QFont font, qreal points) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, points);
    return font;
}

QFont AppTypography::withMonospacedDigits(QFont font) {
    if (digitsShareOneAdvance(font))
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font.pixelSize() > 0)
        fixed.setPixelSize(font.pixelSize());
    else
        fixed.setPointSizeF(font.pointSizeF());
    fixed.setWeight(font.weight());
    fixed.setLetterSpacing(font.letterSpacingType(), font.letterSpacing());
    return fixed;
}

} // namespace brevanta
