// SPDX-License-Identifier: MIT
#include "ui/design/AppTitledHeader.h"

#include "ui/design/AppAccessibility.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"

#include <QBoxLayout>

namespace brevanta {

namespace {

constexpr int titleToSubtitle = 4;
constexpr int betweenActions = 10;

} // namespace

AppTitledHeader::AppTitledHeader(const QString& title, const QString& subtitle, const Look& look,
                                 QWidget* parent)
    : QWidget(parent)
    , m_title(new AppLabel(title, look.titleFont, AppColors::primaryText()))
    , m_subtitle(new AppLabel(subtitle, look.subtitleFont, AppColors::secondaryText()))
    , m_actions(new QHBoxLayout) {
    AppAccessibility::exposeAsHeading(m_title);
    m_subtitle->setWordWrap(true);
    m_subtitle->setVisible(!subtitle.isEmpty());

    auto* titles = new QVBoxLayout;
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(titleToSubtitle);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);

    m_actions->setContentsMargins(0, 0, 0, 0);
    m_actions->setSpacing(betweenActions);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(look.itemSpacing);
    row->addLayout(titles, 1);
    // A box layout puts its spacing on one side of a spacer only; the row wants it on both.
    row->addSpacerItem(
        new QSpacerItem(look.minimumSpace + look.itemSpacing, 0, QSizePolicy::Minimum));
    row->addLayout(m_actions);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

QString AppTitledHeader::title() const {
    return m_title->text();
}

void AppTitledHeader::setTitle(const QString& title) {
    m_title->setText(title);
}

QString AppTitledHeader::subtitle() const {
    return m_subtitle->text();
}

void AppTitledHeader::setSubtitle(const QString& subtitle) {
    m_subtitle->setText(subtitle);
    m_subtitle->setVisible(!subtitle.isEmpty());
}

void AppTitledHeader::addActionWidget(QWidget* widget) {
    m_actions->addWidget(widget, 0, Qt::AlignVCenter);
}

} // namespace brevanta
