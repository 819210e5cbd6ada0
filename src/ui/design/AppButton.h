// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppButtonRole.h"
#include "ui/design/AppColor.h"

#include <QPointer>
#include <QPushButton>
#include <QVariantAnimation>

#include <optional>

namespace brevanta {

class SoftShadow;

/// The premium look of the primary and secondary roles: a filled, bordered, softly shadowed
/// rounded button that dims and shrinks a little while pressed.
struct PremiumButtonStyle {
    AppColor fill;
    AppColor foreground;
    bool compact = false;

    /// The premium style a role uses, or nothing for the roles with a plain platform look.
    static std::optional<PremiumButtonStyle> forRole(AppButtonRole role);
};

/// A push button drawn in one of the vocabulary's roles, with an optional symbol from the icon
/// table before its title. Colours are resolved at paint time. Keyboard focus shows as a ring;
/// the button takes focus from Tab only, and answers Space and Return (see AppKeyboard).
class AppButton : public QPushButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppButton)

public:
    enum class ControlSize { small, regular, large };

    /// Scale of the whole button while fully pressed, and the time the change takes.
    static constexpr qreal pressedScale = 0.985;
    static constexpr int pressAnimationMilliseconds = 120;

    explicit AppButton(const QString& text, AppButtonRole role = AppButtonRole::secondary,
                       QWidget* parent = nullptr);
    AppButton(const QString& text, const QString& symbolName, AppButtonRole role,
              QWidget* parent = nullptr);
    ~AppButton() override;

    AppButtonRole role() const { return m_role; }
    void setRole(AppButtonRole role);

    /// A borderless button whose action cannot be undone, such as Discard, keeps its look but
    /// writes its title and symbol in the destructive colour.
    bool isDestructive() const { return m_destructive || m_role == AppButtonRole::destructive; }
    void setDestructive(bool destructive);

    QString symbolName() const { return m_symbolName; }
    void setSymbolName(const QString& symbolName);

    /// The control size; roles start at regular, except compactIcon, which starts small.
    ControlSize controlSize() const { return m_controlSize; }
    void setControlSize(ControlSize size);

    /// Shows only the symbol; the title stays the accessible name and becomes the tooltip.
    bool isIconOnly() const { return m_iconOnly; }
    void setIconOnly(bool iconOnly);

    /// The scale the button is drawn at now: 1 at rest, easing to pressedScale while held.
    qreal pressScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Metrics {
        QMargins padding;
        qreal cornerRadius;
        QFont font;
        int em;
    };

    Metrics metrics() const;
    qreal cornerRadius() const;
    QString visibleText() const;
    void followPressedState();
    void applyPressProgress(qreal progress);
    void updateShadow();
    /// Forgets the measured size and tells the layouts.
    void remeasure();
    void paintBackground(QPainter& painter, const QRectF& shape, const Metrics& m);
    void paintContent(QPainter& painter, const QRectF& shape, const Metrics& m);

    AppButtonRole m_role;
    QString m_symbolName;
    ControlSize m_controlSize = ControlSize::regular;
    bool m_iconOnly = false;
    bool m_destructive = false;
    QVariantAnimation m_pressAnimation;
    qreal m_pressProgress = 0.0;
    bool m_pressTarget = false;
    QPointer<SoftShadow> m_shadow;
    // Layouts ask for the size hint over and over while a screen is built, and measuring the
    // title shapes it each time. Kept for the title it was measured with, until the look or the
    // fonts change.
    struct MeasuredSize {
        QString title;
        QSize size;
    };
    mutable std::optional<MeasuredSize> m_measuredSize;
};

} // namespace brevanta
