// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QWidget>

namespace brevanta {

/// One choice of a segmented picker: a capsule that lifts onto a surface when chosen. Screen
/// readers meet it as a radio button whose action chooses it as a click does. Put the segments
/// of one picker in a QButtonGroup inside an AppPickerTrack.
class AppPickerSegment final : public QAbstractButton {
public:
    explicit AppPickerSegment(const QString& title, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

/// The rounded track a picker's segments sit in.
class AppPickerTrack final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brevanta
