// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QWidget>

namespace brevanta {

class AppLabel;
class AppSymbolView;

/// A section heading of an editorial page: an optional symbol and the title, both in one colour.
class EditorialSectionHeader : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorialSectionHeader)

public:
    EditorialSectionHeader(const QString& title, const QString& symbolName, const AppColor& color,
                           QWidget* parent = nullptr);

    QString title() const;
    QString symbolName() const;
    AppLabel* titleLabel() const { return m_title; }

private:
    AppSymbolView* m_symbol = nullptr;
    AppLabel* m_title = nullptr;
};

} // namespace brevanta
