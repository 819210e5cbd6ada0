// SPDX-License-Identifier: MIT
#include "ui/shell/AppAppearance.h"

#include <QApplication>
#include <QSettings>

namespace brevanta {

AppAppearance::AppAppearance(QSettings& settings, QPalette platformPalette, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_platformPalette(std::move(platformPalette)) {}

QString AppAppearance::rawValue(Choice choice) {
    switch (choice) {
    case Choice::system:
        return QStringLiteral("system");
    case Choice::light:
        return QStringLiteral("light");
    case Choice::dark:
        return QStringLiteral("dark");
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<AppAppearance::Choice> AppAppearance::fromRawValue(QStringView text) {
    for (const Choice choice : {Choice::system, Choice::light, Choice::dark}) {
        if (text == rawValue(choice))
            return choice;
    }
    return std::nullopt;
}

AppAppearance::Choice AppAppearance::choice() const {
    const QString stored = m_settings.value(QLatin1String(settingsKey)).toString();
    return fromRawValue(stored).value_or(Choice::system);
}

void AppAppearance::setChoice(Choice choice) {
    const bool changed = choice != this->choice();
    m_settings.setValue(QLatin1String(settingsKey), rawValue(choice));
    apply();
    if (changed)
        Q_EMIT choiceChanged(choice);
}

AppColors::Appearance AppAppearance::effectiveAppearance() const {
    switch (choice()) {
    case Choice::light:
        return AppColors::Appearance::light;
    case Choice::dark:
        return AppColors::Appearance::dark;
    case Choice::system:
        break;
    }
    return AppColors::appearance(m_platformPalette);
}

void AppAppearance::apply() const {
    QApplication::setPalette(AppColors::palette(effectiveAppearance()));
}

} // namespace brevanta
