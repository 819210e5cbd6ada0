// SPDX-License-Identifier: MIT
#include "ui/import/SpreadsheetFormatCard.h"

#include "core/import/PracticeImportViewModel.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <utility>

namespace brevanta {

namespace {

AppLabel* wrappingLabel(const QFont& font, const AppColor& color, QWidget* parent) {
    auto* label = new AppLabel(QString(), font, color, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

SpreadsheetFormatCard::SpreadsheetFormatCard(PracticeImportViewModel& model, qsizetype fileIndex,
                                             QWidget* parent)
    : AppSurface(AppSurfaceRole::secondary, 12.0, parent)
    , m_model(model)
    , m_fileIndex(fileIndex) {
    setObjectName(QStringLiteral("spreadsheet-format-card"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(8);

    auto* captionRow = new QHBoxLayout;
    captionRow->setSpacing(8);
    auto* symbol = new AppSymbolView(QStringLiteral("exclamationmark.circle"),
                                     QFontInfo(AppTypography::sectionTitle()).pixelSize(),
                                     AppColors::warning(), this);
    captionRow->addWidget(symbol, 0, Qt::AlignTop);
    // The caption is read out as a heading, so a screen reader can jump from card to card.
    m_heading = wrappingLabel(AppTypography::sectionTitle(), AppColors::primaryText(), this);
    AppAccessibility::exposeAsHeading(m_heading);
    m_heading->setObjectName(QStringLiteral("spreadsheet-format-heading"));
    captionRow->addWidget(m_heading, 1);
    layout->addLayout(captionRow);

    m_findings = wrappingLabel(AppTypography::body(), AppColors::primaryText(), this);
    m_findings->setObjectName(QStringLiteral("spreadsheet-format-findings"));
    layout->addWidget(m_findings);
    m_advice = wrappingLabel(AppTypography::caption(), AppColors::secondaryText(), this);
    m_advice->setObjectName(QStringLiteral("spreadsheet-format-advice"));
    m_advice->setText(SpreadsheetFormatSummary::exportAdvice());
    layout->addWidget(m_advice);

    m_readOption = new QCheckBox(SpreadsheetFormatSummary::readOptionTitle(), this);
    m_readOption->setObjectName(QStringLiteral("spreadsheet-format-read"));
    m_readOption->setFocusPolicy(Qt::TabFocus);
    m_readOption->setFont(AppTypography::body());
    layout->addWidget(m_readOption);

    m_skipped = wrappingLabel(AppTypography::caption(), AppColors::warning(), this);
    m_skipped->setObjectName(QStringLiteral("spreadsheet-format-skipped"));
    layout->addWidget(m_skipped);

    // toggled, not clicked: a screen reader toggles the box through its accessibility action.
    connect(m_readOption, &QCheckBox::toggled, this,
            [this](bool read) { m_model.setReadsSpreadsheetFormats(m_fileIndex, read); });
    connect(&m_model, &PracticeImportViewModel::fileResultsChanged, this,
            &SpreadsheetFormatCard::refresh);
    connect(&m_model, &PracticeImportViewModel::readsSpreadsheetFormatsChanged, this,
            &SpreadsheetFormatCard::refresh);
    refresh();
}

void SpreadsheetFormatCard::refresh() {
    const std::optional<SpreadsheetFormatFile> file = m_model.spreadsheetFormatFile(m_fileIndex);
    if (!file) {
        m_hiddenForModel = true;
        hide();
        return;
    }
    if (std::exchange(m_hiddenForModel, false))
        show();
    m_heading->setText(u"\u201c" + file->filename + u"\u201d was saved again by a spreadsheet");
    m_findings->setText(file->summary.findings());
    const QString skipped =
        file->readsSpreadsheetFormats ? file->summary.unplacedDatesText() : QString();
    m_skipped->setText(skipped);
    m_skipped->setVisible(!skipped.isEmpty());
    const QSignalBlocker quiet(m_readOption);
    m_readOption->setChecked(file->readsSpreadsheetFormats);
    // Every card has this box: a screen reader hears which file's it is.
    m_readOption->setAccessibleName(AppAccessibility::rowScopedName(
        SpreadsheetFormatSummary::readOptionTitle(), file->filename));
    setAccessibleName(m_heading->text());
}

} // namespace brevanta
