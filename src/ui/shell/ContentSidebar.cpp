// SPDX-License-Identifier: MIT
#include "ui/shell/ContentSidebar.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandSignature.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace brevanta {

namespace {

constexpr int rowMinimumHeight = 44;
constexpr int rowHorizontalPadding = 12;
constexpr int titleSize = 16;
constexpr int symbolTextSize = 17;
constexpr int symbolFrameWidth = 22;
constexpr int symbolSpacing = 10;
constexpr qreal rowCornerRadius = 10;
constexpr qreal unselectedTextOpacity = 0.78;
constexpr qreal hoverOpacity = 0.55;

QFont titleFont() {
    return AppTypography::system(titleSize, QFont::Medium);
}

} // namespace

SidebarDestinationRow::SidebarDestinationRow(AppDestination destination, QWidget* parent)
    : QAbstractButton(parent)
    , m_destination(destination) {
    // Before anything announces the row: the destinations are one choice, not check boxes.
    AppAccessibility::exposeAsChoice(this);
    setObjectName(destination.sidebarObjectName());
    setText(destination.title());
    setAccessibleName(destination.title());
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SidebarDestinationRow::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    const int width = 2 * rowHorizontalPadding + symbolFrameWidth + symbolSpacing +
                      metrics.horizontalAdvance(text());
    return {width, std::max(rowMinimumHeight, metrics.height() + 16)};
}

QSize SidebarDestinationRow::minimumSizeHint() const {
    return {2 * rowHorizontalPadding + symbolFrameWidth, sizeHint().height()};
}

void SidebarDestinationRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    const QPainterPath shape = continuousRoundedRect(bounds, rowCornerRadius);
    const QColor surface = AppColors::sidebarSurface().resolve(this);
    if (isChecked()) {
        painter.fillPath(shape, surface);
    } else if (underMouse() || isDown()) {
        QColor hover = surface;
        hover.setAlphaF(float(surface.alphaF() * (isDown() ? 1.0 : hoverOpacity)));
        painter.fillPath(shape, hover);
    }
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QColor ring = AppColors::accent().resolve(this).lighter(150);
        painter.setPen(QPen(ring, 1.5));
        painter.drawPath(continuousRoundedRect(bounds.adjusted(1, 1, -1, -1), rowCornerRadius - 1));
    }

    const AppColor ink = isChecked() ? AppColors::sidebarText()
                                     : AppColors::sidebarText().withOpacity(unselectedTextOpacity);
    const QColor color = ink.resolve(this);
    const int em = AppIcons::emForTextSize(symbolTextSize);
    const QRectF symbolFrame(rowHorizontalPadding, 0, symbolFrameWidth, height());
    AppIcons::paint(painter,
                    QRectF(symbolFrame.center().x() - em / 2.0, height() / 2.0 - em / 2.0, em, em),
                    m_destination.symbolName(), color);

    const QFont font = titleFont();
    painter.setFont(font);
    painter.setPen(color);
    const qreal textLeft = symbolFrame.right() + symbolSpacing;
    const QRectF textRect(textLeft, 0, width() - textLeft - rowHorizontalPadding, height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(font).elidedText(text(), Qt::ElideRight, int(textRect.width())));
}

ContentSidebar::ContentSidebar(QWidget* parent)
    : QWidget(parent)
    , m_rows(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("sidebar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* brand =
        new BrevantaBrandSignature(30, 22, QStringLiteral("Your practice starts here."),
                                   AppColors::sidebarText(), AppColors::sidebarSecondaryText());
    brand->setObjectName(QStringLiteral("sidebar-brand"));
    auto* brandBox = new QVBoxLayout;
    brandBox->setContentsMargins(20, 32, 20, 24);
    brandBox->addWidget(brand, 0, Qt::AlignLeft);
    layout->addLayout(brandBox);

    auto* list = new QVBoxLayout;
    list->setContentsMargins(10, 0, 10, 0);
    list->setSpacing(2);
    m_rows->setExclusive(true);
    for (const AppDestination destination : AppDestination::allCases()) {
        auto* row = new SidebarDestinationRow(destination, this);
        m_rows->addButton(row);
        row->installEventFilter(this);
        list->addWidget(row);
        connect(row, &QAbstractButton::clicked, this,
                [this, destination] { Q_EMIT destinationChosen(destination); });
    }
    layout->addLayout(list);
    layout->addStretch(1);
}

void ContentSidebar::setSelection(std::optional<AppDestination> selection) {
    if (!selection) {
        // An exclusive group keeps one button checked; lift the rule to clear it.
        m_rows->setExclusive(false);
        for (QAbstractButton* button : m_rows->buttons())
            button->setChecked(false);
        m_rows->setExclusive(true);
        return;
    }
    row(*selection)->setChecked(true);
}

SidebarDestinationRow* ContentSidebar::row(AppDestination destination) const {
    for (QAbstractButton* button : m_rows->buttons()) {
        auto* row = static_cast<SidebarDestinationRow*>(button);
        if (row->destination() == destination)
            return row;
    }
    return nullptr;
}

QSize ContentSidebar::sizeHint() const {
    return isHidden() ? QSize() : QWidget::sizeHint();
}

QSize ContentSidebar::minimumSizeHint() const {
    return isHidden() ? QSize() : QWidget::minimumSizeHint();
}

bool ContentSidebar::eventFilter(QObject* watched, QEvent* event) {
    // Up and down move through the list and choose as they go, as in a platform sidebar.
    const auto* row = qobject_cast<SidebarDestinationRow*>(watched);
    if (!row || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return QWidget::eventFilter(watched, event);
    const auto all = AppDestination::allCases();
    const auto current = std::find(all.begin(), all.end(), row->destination());
    const auto next = key == Qt::Key_Up ? (current == all.begin() ? current : current - 1)
                                        : (current + 1 == all.end() ? current : current + 1);
    if (next != current) {
        this->row(*next)->setFocus(Qt::TabFocusReason);
        Q_EMIT destinationChosen(*next);
    }
    return true;
}

void ContentSidebar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::sidebar().resolve(this));
}

} // namespace brevanta
