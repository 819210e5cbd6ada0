// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QAbstractButton>
#include <QVariantAnimation>

namespace brevanta {

/// How a capsule chip is drawn when chosen and when not: the two chip styles of the practice
/// forms differ only in these numbers.
struct CapsuleChipLook {
    /// The chosen chip: its colour behind the label at this opacity, and outlined in it at
    /// `selectedOutlineOpacity` (0 draws no outline).
    qreal selectedFillOpacity = 0.14;
    qreal selectedOutlineOpacity = 0.5;
    /// Any other chip: the secondary surface at this opacity behind the label, outlined in the
    /// border colour when `unselectedOutline` is set.
    qreal unselectedFillOpacity = 1.0;
    bool unselectedOutline = true;
    /// The whole chip while the pointer holds it down.
    qreal pressedOpacity = 0.75;
};

/// The chips of the log and edit form: outlined in both states.
struct WorkspaceChipStyle {
    static CapsuleChipLook look() { return {0.14, 0.5, 1.0, true, 0.75}; }
};

/// The practice-group buttons of the finishing sheet: filled, never outlined.
struct FinishCategoryButtonStyle {
    static CapsuleChipLook look() { return {0.12, 0.0, 0.7, false, 0.72}; }
};

/// A small capsule button with a caption label and an optional symbol, drawn chosen or not in
/// a colour of the vocabulary. Assistive technology reads it as a radio button, and its press and
/// toggle actions click it; a click never changes the choice by itself: the owner decides what
/// is chosen and calls setChecked().
class CapsuleChip : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CapsuleChip)

public:
    CapsuleChip(const QString& text, const QString& symbolName, const AppColor& color,
                const CapsuleChipLook& look, QWidget* parent = nullptr);

    QString symbolName() const { return m_symbolName; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}
    bool event(QEvent* event) override;

private:
    QString m_symbolName;
    AppColor m_color;
    CapsuleChipLook m_look;
    QVariantAnimation m_pressAnimation;
    qreal m_pressProgress = 0.0;
};

} // namespace brevanta
