// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace brevanta {

/// Plays a change of what an area shows as a cross-fade: made before the change, it keeps a
/// picture of the area; play() after the change lays that picture over the new content and fades
/// it out with an ease-in-out curve. The picture lets every mouse event through, so the new
/// content is live underneath from the first moment: nothing waits for the fade to be clicked.
class AppCrossFade {
public:
    /// The change between reading and editing a page.
    static constexpr int editingMilliseconds = 180;

    explicit AppCrossFade(QWidget* area);
    void play(int milliseconds);

private:
    QPointer<QWidget> m_area;
    QPixmap m_picture;
};

} // namespace brevanta
