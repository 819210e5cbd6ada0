// SPDX-License-Identifier: MIT
#include "ui/editing/PracticeFields.h"

#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/EditorialInput.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

namespace brevanta {

namespace {

constexpr int capsuleTextIndent = 12;

void makeTransparent(QWidget* field) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    field->setPalette(palette);
}

/// The capsule the short fields sit on, with its border in the accent while focused.
void paintCapsule(QWidget* field, bool focused) {
    QPainter painter(field);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(field->rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    const QPainterPath capsule = continuousRoundedRect(bounds, bounds.height() / 2.0);
    painter.fillPath(capsule, AppColors::elevatedSurface().resolve(field));
    const bool hovered = field->underMouse() && field->isEnabled();
    const QColor edge = focused
                            ? AppColors::accent().withOpacity(0.75).resolve(field)
                            : AppColors::border().withOpacity(hovered ? 1.8 : 1.3).resolve(field);
    painter.setPen(QPen(edge, focused ? 1.5 : 1.0));
    painter.drawPath(capsule);
}

bool repaintsOnFocusOrHover(QWidget* field, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
        field->update();
        return true;
    default:
        return false;
    }
}

} // namespace

QLineEdit* PracticeFields::plain(const QString& placeholder, const QFont& font, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    field->setAccessibleName(placeholder);
    field->setFrame(false);
    field->setFont(font);
    field->setTextMargins(0, 2, 0, 2);
    makeTransparent(field);
    return field;
}

CapsuleLineEdit::CapsuleLineEdit(const QString& placeholder, int width, QWidget* parent)
    : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setFrame(false);
    setFont(AppTypography::withMonospacedDigits(AppTypography::body()));
    // QLineEdit keeps 2 pixels across and 1 down of its own inside the text margins.
    setTextMargins(10, 7, 10, 7);
    // The width is the text's; the padding comes on top.
    setFixedWidth(width + 24);
    setAttribute(Qt::WA_Hover);
    makeTransparent(this);
}

bool CapsuleLineEdit::event(QEvent* event) {
    repaintsOnFocusOrHover(this, event);
    return QLineEdit::event(event);
}

void CapsuleLineEdit::paintEvent(QPaintEvent* event) {
    paintCapsule(this, hasFocus());
    QLineEdit::paintEvent(event);
}

CapsuleDateEdit::CapsuleDateEdit(QWidget* parent)
    : QDateEdit(parent) {
    setFrame(false);
    setCalendarPopup(true);
    setAttribute(Qt::WA_Hover);
    makeTransparent(this);
    lineEdit()->setTextMargins(capsuleTextIndent, 0, 0, 0);
}

QSize CapsuleDateEdit::sizeHint() const {
    return QDateEdit::sizeHint() + QSize(capsuleTextIndent + 8, 12);
}

QSize CapsuleDateEdit::minimumSizeHint() const {
    return QDateEdit::minimumSizeHint() + QSize(capsuleTextIndent + 8, 12);
}

bool CapsuleDateEdit::event(QEvent* event) {
    repaintsOnFocusOrHover(this, event);
    return QDateEdit::event(event);
}

void CapsuleDateEdit::paintEvent(QPaintEvent*) {
    // The capsule replaces the platform's frame; the popup still opens from the arrow's place,
    // where a chevron stands instead of the platform's arrow.
    paintCapsule(this, hasFocus());
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = false;
    option.subControls = QStyle::SC_ComboBoxArrow;
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const int em = AppIcons::emForTextSize(QFontInfo(font()).pixelSize());
    QRectF glyph(0, 0, em, em);
    glyph.moveCenter(QRectF(arrow).center() - QPointF(capsuleTextIndent / 2.0, 0));
    QPainter painter(this);
    AppIcons::paint(painter, glyph, u"chevron.down", AppColors::secondaryText().resolve(this));
}

AppColor readableAccent() {
    const QColor accent = AppColors::accent().resolve(QPalette());
    return AppColor::adaptive(accent, accent.lighter(165));
}

GrowingTextEdit::GrowingTextEdit(const QString& placeholder, const QFont& font, int minimumLines,
                                 int maximumLines, qreal lineSpacing, QWidget* parent)
    : QTextEdit(parent)
    , m_minimumLines(minimumLines)
    , m_maximumLines(maximumLines)
    , m_lineSpacing(lineSpacing) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setFont(font);
    document()->setDefaultFont(font);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    EditorialInput::apply(this);
    // Typed and pasted paragraphs take the format of the block they split, so the spacing set
    // here and after each setText() holds for all of them.
    applyLineSpacing();
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] {
                updateGeometry();
                const bool scrolls = documentHeight() > heightForLines(m_maximumLines);
                setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded
                                                   : Qt::ScrollBarAlwaysOff);
            });
}

void GrowingTextEdit::setText(const QString& text) {
    if (text == toPlainText())
        return;
    const int position = textCursor().position();
    setPlainText(text);
    applyLineSpacing();
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min<int>(position, int(text.size())));
    setTextCursor(cursor);
}

void GrowingTextEdit::applyLineSpacing() {
    bool needed = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (format.lineHeightType() != QTextBlockFormat::LineDistanceHeight ||
            !qFuzzyCompare(format.lineHeight(), m_lineSpacing)) {
            needed = true;
            break;
        }
    }
    if (!needed)
        return;
    QTextBlockFormat spacing;
    spacing.setLineHeight(m_lineSpacing, QTextBlockFormat::LineDistanceHeight);
    // Only called on a fresh text, whose undo history is empty anyway: the format is no step
    // the user could undo.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(spacing);
    document()->setUndoRedoEnabled(true);
}

int GrowingTextEdit::heightForLines(int lines) const {
    const QFontMetricsF metrics(font());
    const qreal line = metrics.lineSpacing() + m_lineSpacing;
    const qreal frame = 2 * document()->documentMargin() + 2 * frameWidth() +
                        contentsMargins().top() + contentsMargins().bottom();
    return int(std::ceil(lines * line + frame));
}

int GrowingTextEdit::documentHeight() const {
    const qreal frame = 2 * frameWidth() + contentsMargins().top() + contentsMargins().bottom();
    return int(std::ceil(document()->size().height() + frame));
}

QSize GrowingTextEdit::sizeHint() const {
    const int height = std::clamp(documentHeight(), heightForLines(m_minimumLines),
                                  heightForLines(m_maximumLines));
    return {QTextEdit::sizeHint().width(), height};
}

QSize GrowingTextEdit::minimumSizeHint() const {
    return {QTextEdit::minimumSizeHint().width(), sizeHint().height()};
}

} // namespace brevanta
