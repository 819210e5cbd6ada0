// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <QWidget>

namespace brevanta {

class AppLabel;
class AppSymbolView;

/// What a screen shows while what it reads is still on its way: a quiet symbol and one line,
/// centred in the space it is given, or as one row at the leading edge where the screen's
/// content keeps to that edge. Both appear only once the wait has lasted revealDelayMs, so a
/// short wait shows the plain page rather than a flash of text.
class AppLoadingState : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppLoadingState)

public:
    static constexpr int revealDelayMs = 250;

    enum class Placement { centred, leading };

    AppLoadingState(const QString& message, const QString& symbolName,
                    Placement placement = Placement::centred, QWidget* parent = nullptr);

    QString message() const;
    bool isRevealed() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setRevealed(bool revealed);

    AppSymbolView* m_symbol = nullptr;
    AppLabel* m_message = nullptr;
    QTimer m_reveal;
};

} // namespace brevanta
