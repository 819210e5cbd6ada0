// SPDX-License-Identifier: MIT
#include "ui/import/PracticeImportCandidateList.h"

#include "ui/design/AppAccessibleList.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/DisclosureTriangle.h"
#include "ui/import/PracticeImportCandidateModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include <algorithm>
#include <optional>

namespace brevanta {

namespace {

using Model = PracticeImportCandidateModel;

constexpr int rowGap = 8;
constexpr int horizontalPadding = 16;
constexpr int verticalPadding = 10;
constexpr int lineSpacing = 4;
constexpr int itemSpacing = 12;
constexpr int detailsIndent = 16;
constexpr qreal cornerRadius = 12;
const QString importTitle = QStringLiteral("Import");
const QString detailsTitle = QStringLiteral("Details");

} // namespace

/// Paints a day of the review and finds its parts. Every height comes from font metrics alone,
/// except the open details, which wrap to the list's width; measuring a row is therefore cheap
/// enough for the list to measure thousands of them at once.
class PracticeImportCandidateDelegate final : public QStyledItemDelegate {
public:
    struct Geometry {
        QRect card;
        QRect firstLine;
        QRect summaryLine;
        QRect warning;
        QRect toggle;
        QRect toggleIndicator;
        QRect details;
        QRect detailText;
    };

    explicit PracticeImportCandidateDelegate(QObject* parent)
        : QStyledItemDelegate(parent) {}

    void setContentWidth(int width) { m_width = width; }

    Geometry geometry(const QRect& rowRect, const QModelIndex& index, const QWidget* widget) const {
        const Fonts& fonts = this->fonts();
        Geometry g;
        g.card = rowRect.adjusted(2, rowGap / 2, -2, -rowGap / 2);
        const QRect inner = g.card.adjusted(horizontalPadding, verticalPadding, -horizontalPadding,
                                            -verticalPadding);
        g.firstLine = QRect(inner.left(), inner.top(), inner.width(), firstLineHeight(widget));
        g.summaryLine = QRect(inner.left(), g.firstLine.bottom() + 1 + lineSpacing, inner.width(),
                              fonts.summaryHeight);
        int right = inner.right() + 1;
        if (index.data(Model::showsImportToggleRole).toBool()) {
            const QStyle* style = widget ? widget->style() : QApplication::style();
            const int box = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
            const int boxHeight = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
            const int width = box + 6 + fonts.metaMetrics.horizontalAdvance(importTitle);
            g.toggle = QRect(right - width, g.firstLine.top(), width, g.firstLine.height());
            g.toggleIndicator =
                QRect(g.toggle.left(), g.firstLine.center().y() - boxHeight / 2, box, boxHeight);
            right = g.toggle.left() - itemSpacing;
        }
        if (index.data(Model::hasWarningRole).toBool()) {
            const int em = fonts.iconEm;
            g.warning = QRect(right - em, g.firstLine.center().y() - em / 2, em, em);
            const int detailsWidth = fonts.captionMetrics.height() +
                                     fonts.captionMetrics.horizontalAdvance(detailsTitle);
            g.details = QRect(inner.left(), g.summaryLine.bottom() + 1 + lineSpacing, detailsWidth,
                              fonts.captionMetrics.height() + 4);
            if (index.data(Model::detailsExpandedRole).toBool()) {
                const int textWidth = std::max(1, inner.width() - detailsIndent);
                g.detailText = QRect(inner.left() + detailsIndent, g.details.bottom() + 1,
                                     textWidth, detailHeight(index, textWidth));
            }
        }
        return g;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int width = option.rect.width() > 0 ? option.rect.width() : m_width;
        const Fonts& fonts = this->fonts();
        int height = rowGap + 2 * verticalPadding + firstLineHeight(option.widget) + lineSpacing +
                     fonts.summaryHeight;
        if (index.data(Model::hasWarningRole).toBool()) {
            height += lineSpacing + fonts.captionMetrics.height() + 4;
            if (index.data(Model::detailsExpandedRole).toBool())
                height += detailHeight(
                    index, std::max(1, width - 4 - 2 * horizontalPadding - detailsIndent));
        }
        return {width, height};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QWidget* widget = option.widget;
        const Fonts& fonts = this->fonts();
        const Geometry g = geometry(option.rect, index, widget);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);

        const QPainterPath card =
            continuousRoundedRect(QRectF(g.card).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
        painter->fillPath(card, AppColors::elevatedSurface().resolve(widget));
        if (option.state & QStyle::State_Selected)
            painter->fillPath(card, AppColors::accent().withOpacity(0.10).resolve(widget));
        const bool focused =
            (option.state & QStyle::State_HasFocus) && widget && widget->hasFocus();
        painter->setPen(focused ? QPen(AppColors::accent().resolve(widget), 1.5)
                                : QPen(AppColors::border().resolve(widget), 1.0));
        painter->drawPath(card);

        // First line: date, duration and entry count, then the warning sign and the box.
        int textRight =
            (g.warning.isValid() ? g.warning.left() : g.firstLine.right() + 1) - itemSpacing;
        if (g.toggle.isValid() && !g.warning.isValid())
            textRight = g.toggle.left() - itemSpacing;
        QRect line = g.firstLine;
        line.setRight(textRight);
        const auto drawRun = [&](const QString& text, const QFont& font,
                                 const QFontMetrics& metrics, const QColor& color) {
            if (line.width() <= 0)
                return;
            const QString shown = metrics.elidedText(text, Qt::ElideRight, line.width());
            painter->setFont(font);
            painter->setPen(color);
            painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
            line.setLeft(line.left() + metrics.horizontalAdvance(shown) + itemSpacing);
        };
        const QColor secondary = AppColors::secondaryText().resolve(widget);
        drawRun(index.data(Qt::DisplayRole).toString(), fonts.date, fonts.dateMetrics,
                AppColors::primaryText().resolve(widget));
        drawRun(index.data(Model::durationTextRole).toString(), fonts.meta, fonts.metaMetrics,
                secondary);
        drawRun(index.data(Model::entriesTextRole).toString(), fonts.meta, fonts.metaMetrics,
                secondary);

        const QColor warning = AppColors::warning().resolve(widget);
        if (g.warning.isValid())
            AppIcons::paint(*painter, g.warning, u"exclamationmark.triangle.fill", warning);
        if (g.toggle.isValid()) {
            QStyleOptionButton box;
            box.rect = g.toggleIndicator;
            box.palette = option.palette;
            box.state = QStyle::State_Enabled |
                        (index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked
                             ? QStyle::State_On
                             : QStyle::State_Off);
            const QStyle* style = widget ? widget->style() : QApplication::style();
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
            painter->setFont(fonts.meta);
            painter->setPen(AppColors::primaryText().resolve(widget));
            painter->drawText(g.toggle.adjusted(g.toggleIndicator.width() + 6, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, importTitle);
        }

        painter->setFont(fonts.summary);
        painter->setPen(secondary);
        painter->drawText(g.summaryLine, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          fonts.summaryMetrics.elidedText(index.data(Model::summaryRole).toString(),
                                                          Qt::ElideRight, g.summaryLine.width()));

        if (g.details.isValid()) {
            const bool expanded = index.data(Model::detailsExpandedRole).toBool();
            const qreal size = fonts.captionMetrics.height() * 0.42;
            const QPointF centre(g.details.left() + size, g.details.center().y() + 0.5);
            painter->fillPath(disclosureTriangle(centre, size, expanded), warning);
            painter->setFont(fonts.caption);
            painter->setPen(warning);
            painter->drawText(g.details.adjusted(fonts.captionMetrics.height(), 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, detailsTitle);
            if (expanded) {
                painter->drawText(g.detailText, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                  index.data(Model::detailLinesRole).toStringList().join(u'\n'));
            }
        }
        painter->restore();
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const Geometry g = geometry(option.rect, index, option.widget);
        const QPoint point = mouse->position().toPoint();
        if (g.toggle.isValid() && g.toggle.contains(point)) {
            const bool ticked =
                index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
            return model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        if (g.details.isValid() && g.details.contains(point))
            return model->setData(index, !index.data(Model::detailsExpandedRole).toBool(),
                                  Model::detailsExpandedRole);
        return false;
    }

private:
    struct Fonts {
        QFont date;
        QFont meta;
        QFont summary;
        QFont caption;
        QFontMetrics dateMetrics{date};
        QFontMetrics metaMetrics{meta};
        QFontMetrics summaryMetrics{summary};
        QFontMetrics captionMetrics{caption};
        int summaryHeight = 0;
        int iconEm = 0;
    };

    // Built again only when the application's font changes, not for every row.
    const Fonts& fonts() const {
        const QFont base = QApplication::font();
        if (!m_fonts || m_fontsFor != base) {
            Fonts fonts{AppTypography::headlineStyle(), AppTypography::bodyStyle(),
                        AppTypography::secondaryBody(), AppTypography::caption()};
            fonts.dateMetrics = QFontMetrics(fonts.date);
            fonts.metaMetrics = QFontMetrics(fonts.meta);
            fonts.summaryMetrics = QFontMetrics(fonts.summary);
            fonts.captionMetrics = QFontMetrics(fonts.caption);
            fonts.summaryHeight = fonts.summaryMetrics.height();
            fonts.iconEm = AppIcons::emForTextSize(QFontInfo(fonts.meta).pixelSize());
            m_fonts = std::move(fonts);
            m_fontsFor = base;
        }
        return *m_fonts;
    }

    int firstLineHeight(const QWidget* widget) const {
        const Fonts& fonts = this->fonts();
        const QStyle* style = widget ? widget->style() : QApplication::style();
        return std::max({fonts.dateMetrics.height(), fonts.iconEm,
                         style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget)});
    }

    int detailHeight(const QModelIndex& index, int width) const {
        const QString text = index.data(Model::detailLinesRole).toStringList().join(u'\n');
        return fonts()
                   .captionMetrics
                   .boundingRect(QRect(0, 0, width, 1 << 20), Qt::AlignLeft | Qt::TextWordWrap,
                                 text)
                   .height() +
               2;
    }

    int m_width = 600;
    mutable std::optional<Fonts> m_fonts;
    mutable QFont m_fontsFor;
};

PracticeImportCandidateList::PracticeImportCandidateList(QWidget* parent)
    : QListView(parent)
    , m_delegate(new PracticeImportCandidateDelegate(this)) {
    setItemDelegate(m_delegate);
    setAccessibleName(QStringLiteral("Days to import"));
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(false);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Relays the rows out on every width change, since open details wrap to the width.
    setWordWrap(true);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(24);
    // A screen reader's toggle ticks or clears "Import" as a click on the box does.
    AppAccessibleList::expose(this, AppAccessibleList::ChooseBy::press);
}

QRect PracticeImportCandidateList::importToggleRect(const QModelIndex& index) const {
    return m_delegate->geometry(visualRect(index), index, this).toggle;
}

QRect PracticeImportCandidateList::detailsRect(const QModelIndex& index) const {
    return m_delegate->geometry(visualRect(index), index, this).details;
}

void PracticeImportCandidateList::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Space:
            if (current.data(Model::showsImportToggleRole).toBool()) {
                const bool ticked =
                    current.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
                model()->setData(current, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
            }
            event->accept();
            return;
        case Qt::Key_Right:
        case Qt::Key_Left:
            model()->setData(current, event->key() == Qt::Key_Right, Model::detailsExpandedRole);
            scrollTo(current);
            event->accept();
            return;
        default:
            break;
        }
    }
    QListView::keyPressEvent(event);
}

void PracticeImportCandidateList::resizeEvent(QResizeEvent* event) {
    m_delegate->setContentWidth(viewport()->width());
    QListView::resizeEvent(event);
}

} // namespace brevanta
