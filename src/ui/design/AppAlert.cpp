// SPDX-License-Identifier: MIT
#include "ui/design/AppAlert.h"

#include "ui/design/AppButton.h"
#include "ui/design/AppTypography.h"
#include "ui/design/BrevantaBrandMark.h"

#include <QLabel>

namespace brevanta {

namespace {

constexpr int markSize = 48;

} // namespace

QMessageBox* AppAlert::make(QWidget* parent, const QString& title, const QString& message) {
    auto* alert = new QMessageBox(parent);
    alert->setWindowTitle(title);
    alert->setText(title);
    alert->setTextFormat(Qt::PlainText);
    alert->setInformativeText(message);
    alert->setIconPixmap(
        BrevantaBrandMark::pixmap(markSize, parent ? parent->devicePixelRatioF() : 1.0));
    alert->setWindowModality(Qt::WindowModal);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* heading = alert->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        heading->setFont(AppTypography::headlineStyle());
    if (auto* body = alert->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        body->setFont(AppTypography::body());
        body->setTextFormat(Qt::PlainText);
    }
    return alert;
}

AppButton* AppAlert::addButton(QMessageBox* alert, const QString& text, AppButtonRole look,
                               QMessageBox::ButtonRole role) {
    auto* button = new AppButton(text, look);
    alert->addButton(button, role);
    return button;
}

AppButton* AppAlert::addDestructiveChoice(QMessageBox* alert, const QString& actionText) {
    AppButton* action =
        addButton(alert, actionText, AppButtonRole::destructive, QMessageBox::DestructiveRole);
    AppButton* cancel = addButton(alert, QStringLiteral("Cancel"), AppButtonRole::secondary,
                                  QMessageBox::RejectRole);
    alert->setDefaultButton(cancel);
    alert->setEscapeButton(cancel);
    return action;
}

} // namespace brevanta
