// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QVBoxLayout;

namespace brevanta {

class AppLabel;
class AppSymbolView;

/// What a screen shows where content would be: a symbol, a title, a message and an optional
/// action, centred and filling the available width.
class AppEmptyState : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppEmptyState)

public:
    AppEmptyState(const QString& title, const QString& message, const QString& symbolName,
                  bool compact = false, QWidget* parent = nullptr);

    QString title() const;
    void setTitle(const QString& title);
    QString message() const;
    void setMessage(const QString& message);
    QString symbolName() const;
    void setSymbolName(const QString& symbolName);
    bool isCompact() const { return m_compact; }

    /// Puts `action` (a button, usually) under the message; null removes the current one.
    void setAction(QWidget* action);
    QWidget* action() const { return m_action; }

private:
    bool m_compact;
    AppSymbolView* m_symbol = nullptr;
    AppLabel* m_title = nullptr;
    AppLabel* m_message = nullptr;
    QWidget* m_action = nullptr;
    QVBoxLayout* m_column = nullptr;
};

} // namespace brevanta
