// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QWidget>

class QHBoxLayout;

namespace brevanta {

class AppLabel;

/// The row both header kinds share: a title with an optional subtitle beneath, a flexible space,
/// then trailing actions.
class AppTitledHeader : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppTitledHeader)

public:
    QString title() const;
    void setTitle(const QString& title);
    QString subtitle() const;
    /// An empty subtitle hides the line.
    void setSubtitle(const QString& subtitle);

    /// Appends a widget to the trailing actions.
    void addActionWidget(QWidget* widget);
    QHBoxLayout* actionsLayout() const { return m_actions; }

    AppLabel* titleLabel() const { return m_title; }
    AppLabel* subtitleLabel() const { return m_subtitle; }

protected:
    struct Look {
        QFont titleFont;
        QFont subtitleFont;
        int minimumSpace;
        int itemSpacing;
    };

    AppTitledHeader(const QString& title, const QString& subtitle, const Look& look,
                    QWidget* parent);

private:
    AppLabel* m_title = nullptr;
    AppLabel* m_subtitle = nullptr;
    QHBoxLayout* m_actions = nullptr;
};

} // namespace brevanta
