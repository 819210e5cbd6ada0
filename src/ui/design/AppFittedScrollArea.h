// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>

namespace brevanta {

/// A scroll area as tall as its content at the width it is given, which a parent layout short of
/// room may squeeze down to `minimumVisibleHeight`: the content then scrolls inside at its own
/// height instead of being squeezed until its wrapped lines overlap. Frameless and transparent;
/// no Tab stop of its own, and what takes the keyboard inside is scrolled into view.
class AppFittedScrollArea final : public QScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppFittedScrollArea)

public:
    AppFittedScrollArea(QWidget* content, int minimumVisibleHeight, QWidget* parent = nullptr);

    /// The content's height at the area's present width.
    int contentHeight() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_minimumVisibleHeight;
};

} // namespace brevanta
