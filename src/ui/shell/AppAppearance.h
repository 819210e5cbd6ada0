// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColors.h"

#include <QObject>
#include <QPalette>

#include <optional>

class QSettings;

namespace brevanta {

/// The user's choice between following the system's appearance and keeping Brevanta light or
/// dark, kept under "appearance" in the settings it is given, and the palette that choice
/// installs on the application. Every colour of the vocabulary is resolved at paint time, so a
/// change shows at once in every open window.
class AppAppearance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppAppearance)

public:
    enum class Choice { system, light, dark };

    static constexpr auto settingsKey = "appearance";

    /// `platformPalette` is the palette the platform gave the application, before any of ours
    /// was installed; "system" follows its lightness.
    explicit AppAppearance(QSettings& settings, QPalette platformPalette,
                           QObject* parent = nullptr);

    static QString rawValue(Choice choice);
    static std::optional<Choice> fromRawValue(QStringView text);

    /// The stored choice; "system" when nothing, or nothing known, is stored.
    Choice choice() const;
    /// Stores the choice and installs its palette.
    void setChoice(Choice choice);
    /// Light or dark, as the choice resolves now.
    AppColors::Appearance effectiveAppearance() const;
    /// Installs the palette of the current choice on the application.
    void apply() const;

Q_SIGNALS:
    void choiceChanged(brevanta::AppAppearance::Choice choice);

private:
    QSettings& m_settings;
    QPalette m_platformPalette;
};

} // namespace brevanta
