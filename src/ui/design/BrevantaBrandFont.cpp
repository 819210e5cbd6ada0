// SPDX-License-Identifier: MIT
#include "ui/design/BrevantaBrandFont.h"

#include <QFile>
#include <QFontDatabase>

#include <algorithm>

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

const QStringList& bundledCandidates() {
    static const QStringList candidates{QStringLiteral(":/brevanta/Fonts/Sentient-Medium.otf"),
                                        QStringLiteral(":/brevanta/Sentient-Medium.otf")};
    return candidates;
}

bool isBundled() {
    static const bool bundled =
        std::any_of(bundledCandidates().begin(), bundledCandidates().end(),
                    [](const QString& path) { return QFile::exists(path); });
    return bundled;
}

bool findBrandFont() {
    if (brandFontInstalled())
        return true;
    for (const QString& candidate : bundledCandidates()) {
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
    // A copy the resources carry must be registered before any text asks for it.
    if (isBundled())
        isAvailable();
    // Otherwise the brand typeface is named first and its stand-in after it, and the font
    // database picks whichever the system has when the text is first measured. Asking it here
    // would wait for the desktop's fonts to be read, at the start of the first window.
    // The stand-in is a semibold serif: "serif" is the fontconfig alias on Linux; elsewhere the
    // style hint picks the serif default. The brand's style name does not exist there, so the
    // weight decides.
    QFont font;
    font.setFamilies({brandFontName, brandFamily, QStringLiteral("serif")});
    font.setStyleName(brandStyle);
    font.setStyleHint(QFont::Serif, QFont::PreferQuality);
    font.setWeight(QFont::DemiBold);
    font.setPixelSize(pixelSize);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.35);
    return font;
}

} // namespace brevanta
