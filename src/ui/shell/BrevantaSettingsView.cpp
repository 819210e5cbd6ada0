// SPDX-License-Identifier: MIT
#include "ui/shell/BrevantaSettingsView.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSegmentedPicker.h"
#include "ui/design/AppSurface.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/shell/AppAppearance.h"
#include "ui/shell/AppNotificationCenter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brevanta {

namespace {

constexpr int sectionSpacing = 12;
constexpr int sectionPadding = 12;
constexpr int boxPadding = 16;
constexpr qreal boxRadius = 12;

AppLabel* sectionHeader(const QString& title) {
    auto* header =
        new AppLabel(title, AppTypography::withWeight(AppTypography::caption(), QFont::DemiBold),
                     AppColors::secondaryText());
    AppAccessibility::exposeAsHeading(header);
    return header;
}

QWidget* section(const QString& title, QLayout* content) {
    auto* box = new AppSurface(AppSurfaceRole::secondary, boxRadius);
    box->setLayout(content);
    content->setContentsMargins(boxPadding, sectionPadding, boxPadding, sectionPadding);
    auto* widget = new QWidget;
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* header = sectionHeader(title);
    header->setContentsMargins(4, 0, 0, 0);
    column->addWidget(header);
    column->addWidget(box);
    return widget;
}

} // namespace

BrevantaSettingsView::BrevantaSettingsView(AppNotificationCenter& notifications,
                                           AppAppearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_notifications(notifications)
    , m_appearance(appearance) {
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(20);
    layout->addWidget(buildDataSection());
    layout->addWidget(buildAppearanceSection());
    layout->addStretch(1);
    setFixedSize(formWidth, layout->hasHeightForWidth() ? layout->totalHeightForWidth(formWidth)
                                                        : layout->totalSizeHint().height());
    connect(&m_appearance, &AppAppearance::choiceChanged, this, &BrevantaSettingsView::showChoice);
    showChoice();
}

QWidget* BrevantaSettingsView::buildDataSection() {
    auto* column = new QVBoxLayout;
    column->setSpacing(sectionSpacing);
    column->addWidget(
        new AppLabel(QStringLiteral("Practice history"), AppTypography::headlineStyle()));
    auto* explanation = new AppLabel(QStringLiteral("Bring past monthly practice journals into "
                                                    "Brevanta. You’ll review everything before it "
                                                    "is saved."),
                                     AppTypography::body(), AppColors::secondaryText());
    explanation->setWordWrap(true);
    column->addWidget(explanation);
    m_import = new AppButton(QStringLiteral("Import Practice History…"),
                             QStringLiteral("square.and.arrow.down"), AppButtonRole::secondary);
    m_import->setObjectName(QStringLiteral("settings-import-practice-history"));
    m_import->setAccessibleName(QStringLiteral("Select practice history CSV files"));
    connect(m_import, &QAbstractButton::clicked, this,
            [this] { m_notifications.post(AppNotificationCenter::importPracticeHistory); });
    column->addWidget(m_import, 0, Qt::AlignLeft);
    return section(QStringLiteral("Data"), column);
}

QWidget* BrevantaSettingsView::buildAppearanceSection() {
    auto* words = new QVBoxLayout;
    words->setSpacing(4);
    words->addWidget(new AppLabel(QStringLiteral("Theme"), AppTypography::headlineStyle()));
    auto* explanation = new AppLabel(QStringLiteral("Follow the system, or keep Brevanta light "
                                                    "or dark."),
                                     AppTypography::secondaryBody(), AppColors::secondaryText());
    explanation->setWordWrap(true);
    words->addWidget(explanation);

    m_picker = new AppPickerTrack;
    m_picker->setObjectName(QStringLiteral("appearance-picker"));
    // The segments say their own names; the group says what they choose.
    m_picker->setAccessibleName(QStringLiteral("Theme"));
    auto* segments = new QHBoxLayout(m_picker);
    segments->setContentsMargins(2, 2, 2, 2);
    segments->setSpacing(0);
    auto* group = new QButtonGroup(m_picker);
    const std::pair<AppAppearance::Choice, QString> choices[] = {
        {AppAppearance::Choice::system, QStringLiteral("System")},
        {AppAppearance::Choice::light, QStringLiteral("Light")},
        {AppAppearance::Choice::dark, QStringLiteral("Dark")},
    };
    for (const auto& [choice, title] : choices) {
        auto* segment = new AppPickerSegment(title);
        segment->setObjectName(QStringLiteral("appearance-") + AppAppearance::rawValue(choice));
        group->addButton(segment);
        segments->addWidget(segment);
        connect(segment, &QAbstractButton::clicked, this,
                [this, choice] { m_appearance.setChoice(choice); });
    }

    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addLayout(words, 1);
    row->addWidget(m_picker, 0, Qt::AlignVCenter);
    return section(QStringLiteral("Appearance"), row);
}

QAbstractButton* BrevantaSettingsView::appearanceSegment(const QString& rawValue) const {
    return m_picker->findChild<QAbstractButton*>(QStringLiteral("appearance-") + rawValue);
}

void BrevantaSettingsView::showChoice() {
    if (QAbstractButton* segment =
            appearanceSegment(AppAppearance::rawValue(m_appearance.choice())))
        segment->setChecked(true);
}

} // namespace brevanta
