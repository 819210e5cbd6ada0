// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QAbstractButton;

namespace brevanta {

class AppAppearance;
class AppButton;
class AppNotificationCenter;

/// The settings window. Its Data section starts an import of practice history by asking every
/// open main window to choose files; it never opens files itself. Its Appearance section
/// chooses between following the system and keeping Brevanta light or dark.
class BrevantaSettingsView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrevantaSettingsView)

public:
    static constexpr int formWidth = 520;

    explicit BrevantaSettingsView(AppNotificationCenter& notifications, AppAppearance& appearance,
                                  QWidget* parent = nullptr);

    AppButton* importButton() const { return m_import; }
    /// The segment of the appearance picker for the choice named `rawValue`.
    QAbstractButton* appearanceSegment(const QString& rawValue) const;

private:
    QWidget* buildDataSection();
    QWidget* buildAppearanceSection();
    void showChoice();

    AppNotificationCenter& m_notifications;
    AppAppearance& m_appearance;
    AppButton* m_import = nullptr;
    QWidget* m_picker = nullptr;
};

} // namespace brevanta
