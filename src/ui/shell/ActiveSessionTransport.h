// SPDX-License-Identifier: MIT
#pragma once

#include "core/time/Clock.h"
#include "ui/design/AppMaterial.h"

#include <QAbstractButton>
#include <QTimer>

#include <functional>

namespace brevanta {

class ActivePracticeSessionController;
class AppButton;
class AppLabel;
class FirstFitContainer;

/// The control that opens the practice room from the transport bar: the waveform, with the
/// session's title and status beside it in the wide layout.
class TransportOpenButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransportOpenButton)

public:
    explicit TransportOpenButton(bool symbolOnly, QWidget* parent = nullptr);

    void setSession(const QString& title, const QString& status);
    QString title() const { return m_title; }
    QString status() const { return m_status; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;
    QFont statusFont() const;
    int symbolEm() const;

    bool m_symbolOnly;
    QString m_title;
    QString m_status;
};

/// The bar at the bottom of the main window while a practice session runs: what is being
/// practised, the running clock, and pause or resume, add a thought and finish. It uses the wide
/// layout whenever that fits and a compact one of symbols otherwise.
///
/// The clock is redrawn once a second from the current instant of the given clock, so it shows
/// the true elapsed time however late a tick comes.
class ActiveSessionTransport final : public AppMaterialSurface {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActiveSessionTransport)

public:
    struct Callbacks {
        std::function<void()> onOpen;
        std::function<void()> onAddThought;
        std::function<void()> onFinish;
    };

    /// The controls of one layout.
    struct Controls {
        QWidget* row = nullptr;
        TransportOpenButton* open = nullptr;
        AppLabel* elapsed = nullptr;
        AppButton* pause = nullptr;
        AppButton* addThought = nullptr;
        AppButton* finish = nullptr;
    };

    static constexpr int tickMilliseconds = 1000;

    explicit ActiveSessionTransport(ActivePracticeSessionController& controller, Clock clock,
                                    Callbacks callbacks, QWidget* parent = nullptr);

    const Controls& wideControls() const { return m_wide; }
    const Controls& compactControls() const { return m_compact; }
    /// The layout on show now.
    const Controls& shownControls() const;
    bool isCompact() const;

    /// The elapsed time as the clock shows it.
    QString elapsedText() const;
    /// Whether the once-a-second redraw is running.
    bool isTicking() const { return m_tick.isActive(); }
    /// The once-a-second redraw of the clock; tests fire it by hand.
    QTimer& clockTicker() { return m_tick; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Controls buildControls(bool compact);
    void followController();
    void redrawClock();
    void updateTicking();
    void togglePause();

    ActivePracticeSessionController& m_controller;
    Clock m_clock;
    Callbacks m_callbacks;
    FirstFitContainer* m_layouts = nullptr;
    Controls m_wide;
    Controls m_compact;
    QTimer m_tick;
};

} // namespace brevanta
