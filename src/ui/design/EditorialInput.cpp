// SPDX-License-Identifier: MIT
#include "ui/design/EditorialInput.h"

#include "ui/design/AppColors.h"
#include "ui/design/ContinuousRoundedRect.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace brevanta {

namespace {

constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 8;
constexpr qreal cornerRadius = 10;

/// Paints the panel under its field on every paint of the field, with colours of that moment.
class EditorialPanel final : public QObject {
public:
    explicit EditorialPanel(QWidget* field)
        : QObject(field)
        , m_field(field) {
        field->installEventFilter(this);
        // The field's own base would cover the panel; the panel is the background now.
        QPalette palette;
        palette.setColor(QPalette::Base, Qt::transparent);
        field->setPalette(palette);
        field->setAttribute(Qt::WA_Hover);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_field) {
            switch (event->type()) {
            case QEvent::Paint:
                paint();
                break;
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::HoverEnter:
            case QEvent::HoverLeave:
                m_field->update();
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void paint() {
        QPainter painter(m_field);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF bounds = QRectF(m_field->rect()).adjusted(0.75, 0.75, -0.75, -0.75);
        const QPainterPath shape = continuousRoundedRect(bounds, cornerRadius);
        const bool focused = m_field->hasFocus();
        const bool hovered = m_field->underMouse() && m_field->isEnabled();
        painter.fillPath(shape, AppColors::secondarySurface().resolve(m_field));
        const QColor edge =
            focused ? AppColors::accent().withOpacity(0.75).resolve(m_field)
                    : AppColors::border().withOpacity(hovered ? 1.6 : 1.0).resolve(m_field);
        painter.setPen(QPen(edge, focused ? 1.5 : 1.0));
        painter.drawPath(shape);
    }

    QWidget* m_field;
};

} // namespace

void EditorialInput::apply(QLineEdit* field) {
    field->setFrame(false);
    // QLineEdit keeps 2 pixels across and 1 down of its own inside the text margins.
    field->setTextMargins(horizontalPadding - 2, verticalPadding - 1, horizontalPadding - 2,
                          verticalPadding - 1);
    new EditorialPanel(field);
}

void EditorialInput::apply(QTextEdit* field) {
    field->setFrameShape(QFrame::NoFrame);
    field->viewport()->setAutoFillBackground(false);
    field->document()->setDocumentMargin(verticalPadding);
    field->setContentsMargins(horizontalPadding - verticalPadding, 0,
                              horizontalPadding - verticalPadding, 0);
    new EditorialPanel(field);
}

void EditorialInput::apply(QPlainTextEdit* field) {
    field->setFrameShape(QFrame::NoFrame);
    field->viewport()->setAutoFillBackground(false);
    field->document()->setDocumentMargin(verticalPadding);
    field->setContentsMargins(horizontalPadding - verticalPadding, 0,
                              horizontalPadding - verticalPadding, 0);
    new EditorialPanel(field);
}

} // namespace brevanta
