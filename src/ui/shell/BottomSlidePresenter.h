// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace brevanta {

/// Holds a bar at the bottom of a column and brings it in from the bottom edge while fading it
/// in, and takes it out the same way. The column's other content gives up or takes back the room
/// as the bar moves, so the whole change animates as one.
class BottomSlidePresenter final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BottomSlidePresenter)

public:
    /// Ease in and out over this time.
    static constexpr int animationMilliseconds = 200;

    /// Takes ownership of `content`, padded by `padding` inside the presenter.
    explicit BottomSlidePresenter(QWidget* content, QMargins padding, QWidget* parent = nullptr);

    QWidget* content() const { return m_content; }

    /// Where the bar is going: in (true) or out.
    bool isPresented() const { return m_presented; }
    /// Moves the bar in or out, animated unless `animated` is false.
    void setPresented(bool presented, bool animated = true);
    bool isAnimating() const { return m_animation.state() == QAbstractAnimation::Running; }
    /// 0 when out, 1 when in.
    qreal progress() const { return m_progress; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int contentHeight(int width) const;
    void applyProgress(qreal progress);
    void placeContent();

    QPointer<QWidget> m_content;
    QMargins m_padding;
    QVariantAnimation m_animation;
    QGraphicsOpacityEffect* m_fade = nullptr;
    qreal m_progress = 0.0;
    bool m_presented = false;
};

} // namespace brevanta
