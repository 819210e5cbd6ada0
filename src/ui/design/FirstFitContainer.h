// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace brevanta {

/// Shows the first of its variants, in preference order, whose ideal width fits the width the
/// container is given, and hides the rest; the last variant is shown when none fits. This is
/// how a screen switches between side-by-side and stacked arrangements of the same content.
///
/// The container asks for the first variant's ideal width but accepts any width down to the
/// smallest minimum of its variants, so a parent layout can squeeze it into the next variant.
class FirstFitContainer : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstFitContainer)

public:
    /// What "fits" measures: a variant's size hint (its ideal width, the default), or its
    /// minimum size hint (the narrowest it can be squeezed to).
    enum class Measure { sizeHint, minimumSizeHint };

    explicit FirstFitContainer(QWidget* parent = nullptr);

    /// Appends a variant; the container takes ownership.
    void addVariant(QWidget* variant);
    QList<QWidget*> variants() const;

    void setMeasure(Measure measure);
    Measure measure() const { return m_measure; }

    /// The variant that fits `width`: the first whose measured width is at most `width`, else
    /// the last. Null with no variants.
    QWidget* variantForWidth(int width) const;
    /// The variant on show now.
    QWidget* currentVariant() const { return m_current; }
    int currentIndex() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void currentVariantChanged(QWidget* variant);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int measuredWidth(const QWidget* variant) const;
    void choose();

    QList<QPointer<QWidget>> m_variants;
    QPointer<QWidget> m_current;
    Measure m_measure = Measure::sizeHint;
};

} // namespace brevanta
