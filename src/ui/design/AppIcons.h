// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

namespace brevanta {

/// The one table from the symbol names the screens use ("sparkles", "play.fill", …) to glyphs of
/// the Material Icons font embedded in the application's resources.
///
/// Symbol sizes are given as the text size the symbol stands beside, the way a symbol is sized
/// to match its label; the glyph's em box is a little larger, because Material glyphs sit inside
/// a padded square.
struct AppIcons {
    /// Every symbol name in the table, in table order.
    static QStringList symbolNames();
    static bool contains(QStringView symbolName);
    /// The glyph's text (one character), or an empty string for a name not in the table.
    static QString glyph(QStringView symbolName);

    /// The family name of the registered icon font; registers it on first use.
    static QString fontFamily();
    /// The icon font with an em box of `emPixels` logical pixels.
    static QFont font(int emPixels);
    /// The em box of a symbol shown beside text of `textSize` logical pixels.
    static int emForTextSize(qreal textSize);

    /// Paints the symbol centred in `rect`, as large as the rect's shorter side allows. Does
    /// nothing for a name not in the table.
    static void paint(QPainter& painter, const QRectF& rect, QStringView symbolName,
                      const QColor& color);

    /// An icon that draws the symbol in `color` resolved against the application palette each
    /// time it is drawn, so it follows a switch between light and dark appearance. A null icon
    /// for a name not in the table.
    static QIcon icon(QStringView symbolName, const AppColor& color);
};

} // namespace brevanta
