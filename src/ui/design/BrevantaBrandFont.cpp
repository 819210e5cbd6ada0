// SPDX-License-Identifier: MIT
#include "ui/design/BrevantaBrandFont.h"

#include <QFile>
#include <QFontDatabase>

namespace brevanta {

namespace {

const QString brandFamily = QStringLiteral("Sentient");
const QString brandStyle = QStringLiteral("Medium");
const QString brandFontName = QStringLiteral("Sentient-Medium");

bool brandFontInstalled() {
    const QStringList families = QFontDatabase::families();
    if (families.contains(brandFontName))
        return true;
    return families.contains(brandFamily) &&
           QFontDatabase::styles(brandFamily).contains(brandStyle, Qt::CaseInsensitive);
}

bool findBrandFont() {
    if (brandFontInstalled())
        return true;
    const QStringList candidates{QStringLiteral(":/brevanta/Fonts/Sentient-Medium.otf"),
                                 QStringLiteral(":/brevanta/Sentient-Medium.otf")};
    for (const QString& candidate : candidates) {
        if (!QFile::exists(candidate))
            continue;
        QFontDatabase::addApplicationFont(candidate);
        if (brandFontInstalled())
            return true;
    }
    return false;
}

} // namespace

bool BrevantaBrandFont::isAvailable() {
    static const bool available = findBrandFont();
    return available;
}

QFont BrevantaBrandFont::font(int pixelSize) {
    QFont font;
    if (isAvailable()) {
        font.setFamilies({brandFontName, brandFamily});
        font.setStyleName(brandStyle);
    } else {
        // "serif" is the fontconfig alias on Linux; elsewhere the style hint picks the serif
        // default. Named rather than looked up here: looking it up loads a font of its own.
        font.setFamilies({QStringLiteral("serif")});
        font.setStyleHint(QFont::Serif, QFont::PreferQuality);
        font.setWeight(QFont::DemiBold);
    }
    font.setPixelSize(pixelSize);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.35);
    return font;
}

} // namespace brevanta
