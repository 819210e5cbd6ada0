// SPDX-License-Identifier: MIT
#include "ui/design/EditorialSectionHeader.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"

#include <QBoxLayout>
#include <QFontInfo>

namespace brevanta {

EditorialSectionHeader::EditorialSectionHeader(const QString& title, const QString& symbolName,
                                               const AppColor& color, QWidget* parent)
    : QWidget(parent)
    , m_title(new AppLabel(title, AppTypography::editorialSection(), color)) {
    AppAccessibility::exposeAsHeading(m_title);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    if (!symbolName.isEmpty()) {
        m_symbol = new AppSymbolView(
            symbolName, QFontInfo(AppTypography::editorialSection()).pixelSize(), color);
        row->addWidget(m_symbol, 0, Qt::AlignVCenter);
    }
    row->addWidget(m_title, 0, Qt::AlignVCenter);
    row->addStretch(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QString EditorialSectionHeader::title() const {
    return m_title->text();
}

QString EditorialSectionHeader::symbolName() const {
    return m_symbol ? m_symbol->symbolName() : QString();
}

} // namespace brevanta
