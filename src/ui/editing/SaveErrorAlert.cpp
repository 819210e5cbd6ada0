// SPDX-License-Identifier: MIT
#include "ui/editing/SaveErrorAlert.h"

#include "core/model/BrevantaError.h"

#include <QMessageBox>
#include <QPushButton>

namespace brevanta {

QMessageBox* SaveErrorAlert::open(QWidget* parent, const QString& message) {
    return open(parent, QStringLiteral("Couldn’t Save Session"), message);
}

QMessageBox* SaveErrorAlert::open(QWidget* parent, const QString& title, const QString& message) {
    auto* alert = new QMessageBox(QMessageBox::Warning, title,
                                  message.isEmpty() ? QStringLiteral("Unknown error") : message,
                                  QMessageBox::NoButton, parent);
    alert->setObjectName(QLatin1StringView(objectName));
    QPushButton* ok = alert->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    alert->setDefaultButton(ok);
    alert->setEscapeButton(ok);
    alert->setWindowModality(Qt::WindowModal);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->open();
    return alert;
}

QString SaveErrorAlert::description(const std::exception& error) {
    if (const auto* known = dynamic_cast<const BrevantaError*>(&error))
        return known->description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace brevanta
