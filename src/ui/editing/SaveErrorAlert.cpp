// SPDX-License-Identifier: MIT
#include "ui/editing/SaveErrorAlert.h"

#include "core/model/BrevantaError.h"
#include "ui/design/AppAlert.h"
#include "ui/design/AppButton.h"

#include <QMessageBox>

namespace brevanta {

QMessageBox* SaveErrorAlert::open(QWidget* parent, const QString& message) {
    return open(parent, QStringLiteral("Couldn’t Save Session"), message);
}

QMessageBox* SaveErrorAlert::open(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox* alert = AppAlert::make(
        parent, title, message.isEmpty() ? QStringLiteral("Unknown error") : message);
    alert->setObjectName(QLatin1StringView(objectName));
    AppButton* ok = AppAlert::addButton(alert, QStringLiteral("OK"), AppButtonRole::primary,
                                        QMessageBox::AcceptRole);
    alert->setDefaultButton(ok);
    alert->setEscapeButton(ok);
    alert->open();
    return alert;
}

QString SaveErrorAlert::description(const std::exception& error) {
    if (const auto* known = dynamic_cast<const BrevantaError*>(&error))
        return known->description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace brevanta
