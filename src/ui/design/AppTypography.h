// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace brevanta {

/// The named fonts every screen writes with. Text styles (body, headline, subheadline, caption,
/// title 2, title) scale from the application's default font, so a user's font-size setting is
/// honoured; the editorial and screen titles are fixed sizes in logical pixels of a 72-dpi grid.
struct AppTypography {
    /// The smallest styles stay legible from a music stand: however small the desktop's default
    /// font, a caption is at least 11 and a subheadline at least 12 logical pixels. Above these
    /// floors every style keeps its proportion to body.
    static constexpr int captionFloor = 11;
    static constexpr int subheadlineFloor = 12;

    // Fixed sizes.
    static QFont editorialHero();  ///< 56, bold
    static QFont editorialTitle(); ///< 38, bold
    static QFont screenTitle();    ///< 30, bold
    static QFont editorialBody();  ///< 17, regular

    // Named styles built on the text styles.
    static QFont editorialSection();  ///< headline, semibold
    static QFont sectionTitle();      ///< headline, semibold
    static QFont cardTitle();         ///< subheadline, semibold
    static QFont editorialMetadata(); ///< subheadline
    static QFont screenSubtitle();    ///< subheadline
    static QFont secondaryBody();     ///< subheadline
    static QFont body();              ///< body
    static QFont caption();           ///< caption

    // The text styles themselves, for the few places that name one directly.
    static QFont bodyStyle();        ///< the default font's size
    static QFont headlineStyle();    ///< body, semibold
    static QFont subheadlineStyle(); ///< 11/13 of body, at least subheadlineFloor
    static QFont captionStyle();     ///< 10/13 of body, at least captionFloor
    static QFont title2Style();      ///< 17/13 of body
    static QFont titleStyle();       ///< 22/13 of body

    /// The system font at a fixed size (logical pixels) and weight, e.g. a 48-point headline.
    static QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);

    static QFont withWeight(QFont font, QFont::Weight weight);
    /// Letter spacing in points (logical pixels), positive to open the text up.
    static QFont withTracking(QFont font, qreal points);
    /// A font whose ten digits share one advance, so running figures do not jitter: the font
    /// itself when its digits already do, else the system's fixed-pitch family at the same size.
    static QFont withMonospacedDigits(QFont font);
};

} // namespace brevanta
