// SPDX-License-Identifier: MIT
#include "ui/shell/ActiveSessionTransport.h"

#include "core/practice/ActivePracticeSessionController.h"
#include "core/time/PracticeDurationFormatter.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppTypography.h"
#include "ui/design/ContinuousRoundedRect.h"
#include "ui/design/FirstFitContainer.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>

namespace brevanta {

namespace {

constexpr int symbolTextGap = 10;
constexpr int titleStatusGap = 1;
constexpr int titleIdealWidth = 240;
constexpr int titleMinimumWidth = 120;
constexpr int openPadding = 6;
constexpr qreal openCornerRadius = 10;

const QString defaultTitle = QStringLiteral("Practice Session");

QFont elapsedFont() {
    return AppTypography::withMonospacedDigits(
        AppTypography::withWeight(AppTypography::title2Style(), QFont::Medium));
}

} // namespace

TransportOpenButton::TransportOpenButton(bool symbolOnly, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbolOnly(symbolOnly) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Open active practice"));
    setToolTip(QStringLiteral("Open active practice"));
    setSizePolicy(symbolOnly ? QSizePolicy::Fixed : QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QFont TransportOpenButton::titleFont() const {
    return AppTypography::withWeight(AppTypography::body(), QFont::DemiBold);
}

QFont TransportOpenButton::statusFont() const {
    return AppTypography::caption();
}

int TransportOpenButton::symbolEm() const {
    return AppIcons::emForTextSize(QFontInfo(AppTypography::title2Style()).pixelSize());
}

void TransportOpenButton::setSession(const QString& title, const QString& status) {
    if (title == m_title && status == m_status)
        return;
    m_title = title;
    m_status = status;
    setAccessibleDescription(title + QStringLiteral(", ") + status);
    updateGeometry();
    update();
}

QSize TransportOpenButton::sizeHint() const {
    const int em = symbolEm();
    if (m_symbolOnly)
        return {em + 2 * openPadding, em + 2 * openPadding};
    const QFontMetrics title(titleFont());
    const QFontMetrics status(statusFont());
    const int textWidth = std::max(std::min(title.horizontalAdvance(m_title), titleIdealWidth),
                                   status.horizontalAdvance(m_status));
    const int textHeight = title.height() + titleStatusGap + status.height();
    return {2 * openPadding + em + symbolTextGap + textWidth,
            2 * openPadding + std::max(em, textHeight)};
}

QSize TransportOpenButton::minimumSizeHint() const {
    const QSize hint = sizeHint();
    if (m_symbolOnly)
        return hint;
    // A long title may be shortened, as long as enough of it stays to be recognised.
    const int textWidth = std::min(std::max(QFontMetrics(titleFont()).horizontalAdvance(m_title),
                                            QFontMetrics(statusFont()).horizontalAdvance(m_status)),
                                   titleMinimumWidth);
    return {2 * openPadding + symbolEm() + symbolTextGap + textWidth, hint.height()};
}

void TransportOpenButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if ((underMouse() || isDown()) && isEnabled()) {
        QColor wash = AppColors::primaryText().resolve(this);
        wash.setAlphaF(isDown() ? 0.10f : 0.06f);
        painter.fillPath(continuousRoundedRect(QRectF(rect()), openCornerRadius), wash);
    }
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QColor ring = AppColors::accent().resolve(this);
        ring.setAlphaF(0.7f);
        painter.setPen(QPen(ring, 2.0));
        painter.drawPath(
            continuousRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), openCornerRadius - 1));
    }

    const int em = symbolEm();
    const QRectF symbol(openPadding, (height() - em) / 2.0, em, em);
    AppIcons::paint(painter, symbol, u"waveform", AppMaterial::liveSignal().resolve(this));
    if (m_symbolOnly)
        return;

    const QFontMetrics title(titleFont());
    const QFontMetrics status(statusFont());
    const qreal left = symbol.right() + symbolTextGap;
    const int available = std::max(0, int(width() - left - openPadding));
    const int textHeight = title.height() + titleStatusGap + status.height();
    const qreal top = (height() - textHeight) / 2.0;
    painter.setFont(titleFont());
    painter.setPen(AppColors::primaryText().resolve(this));
    painter.drawText(QRectF(left, top, available, title.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     title.elidedText(m_title, Qt::ElideRight, available));
    painter.setFont(statusFont());
    painter.setPen(AppColors::secondaryText().resolve(this));
    painter.drawText(
        QRectF(left, top + title.height() + titleStatusGap, available, status.height()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        status.elidedText(m_status, Qt::ElideRight, available));
}

ActiveSessionTransport::ActiveSessionTransport(ActivePracticeSessionController& controller,
                                               Clock clock, Callbacks callbacks, QWidget* parent)
    : AppMaterialSurface(18.0, parent)
    , m_controller(controller)
    , m_clock(std::move(clock))
    , m_callbacks(std::move(callbacks)) {
    setObjectName(QStringLiteral("active-session-transport"));
    setAccessibleName(QStringLiteral("Active practice session"));
    m_tick.setInterval(tickMilliseconds);
    connect(&m_tick, &QTimer::timeout, this, &ActiveSessionTransport::redrawClock);

    m_layouts = new FirstFitContainer;
    // The wide layout stays while its controls fit, with a long title shortened.
    m_layouts->setMeasure(FirstFitContainer::Measure::minimumSizeHint);
    m_wide = buildControls(false);
    m_compact = buildControls(true);
    m_layouts->addVariant(m_wide.row);
    m_layouts->addVariant(m_compact.row);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(m_layouts);

    connect(&m_controller, &ActivePracticeSessionController::activeSessionChanged, this,
            &ActiveSessionTransport::followController);
    followController();
}

ActiveSessionTransport::Controls ActiveSessionTransport::buildControls(bool compact) {
    Controls controls;
    controls.row = new QWidget;
    controls.open = new TransportOpenButton(compact);
    controls.elapsed = new AppLabel(QString(), elapsedFont());
    controls.elapsed->setAccessibleName(QStringLiteral("Elapsed practice time"));
    controls.pause = new AppButton(QStringLiteral("Pause"), QStringLiteral("pause.fill"),
                                   AppButtonRole::secondary);
    controls.addThought = new AppButton(QStringLiteral("Add Thought"), QStringLiteral("plus"),
                                        AppButtonRole::toolbar);
    controls.finish = new AppButton(QStringLiteral("Finish"), QStringLiteral("checkmark"),
                                    AppButtonRole::primary);
    const QString suffix = compact ? QStringLiteral("-compact") : QString();
    controls.open->setObjectName(QStringLiteral("active-session-open") + suffix);
    controls.elapsed->setObjectName(QStringLiteral("active-session-elapsed") + suffix);
    controls.pause->setObjectName(QStringLiteral("active-session-pause") + suffix);
    controls.addThought->setObjectName(QStringLiteral("active-session-add-thought") + suffix);
    controls.finish->setObjectName(QStringLiteral("active-session-finish") + suffix);
    for (AppButton* button : {controls.pause, controls.addThought, controls.finish}) {
        // The title stays the accessible name when only the symbol shows.
        button->setAccessibleName(button->text());
        button->setIconOnly(compact);
    }

    auto* row = new QHBoxLayout(controls.row);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(compact ? 4 : 8);
    row->addWidget(controls.open, compact ? 0 : 1);
    if (compact) {
        row->addSpacing(2);
        row->addWidget(controls.elapsed);
        row->addStretch(1);
    } else {
        row->addSpacing(16);
        row->addWidget(controls.elapsed);
        row->addSpacing(12);
    }
    row->addWidget(controls.pause);
    row->addWidget(controls.addThought);
    row->addWidget(controls.finish);

    connect(controls.open, &QAbstractButton::clicked, this, [this] {
        if (m_callbacks.onOpen)
            m_callbacks.onOpen();
    });
    connect(controls.pause, &QAbstractButton::clicked, this, &ActiveSessionTransport::togglePause);
    connect(controls.addThought, &QAbstractButton::clicked, this, [this] {
        if (m_callbacks.onAddThought)
            m_callbacks.onAddThought();
    });
    connect(controls.finish, &QAbstractButton::clicked, this, [this] {
        if (m_callbacks.onFinish)
            m_callbacks.onFinish();
    });
    return controls;
}

const ActiveSessionTransport::Controls& ActiveSessionTransport::shownControls() const {
    return isCompact() ? m_compact : m_wide;
}

bool ActiveSessionTransport::isCompact() const {
    return m_layouts->currentVariant() == m_compact.row;
}

QString ActiveSessionTransport::elapsedText() const {
    return m_wide.elapsed->text();
}

void ActiveSessionTransport::followController() {
    const auto& session = m_controller.activeSession();
    const bool paused = session && session->isPaused;
    const QString title = session ? session->title() : defaultTitle;
    const QString status = paused ? QStringLiteral("Paused") : QStringLiteral("Recording");
    for (Controls* controls : {&m_wide, &m_compact}) {
        controls->open->setSession(title, status);
        controls->pause->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
        controls->pause->setSymbolName(paused ? QStringLiteral("play.fill")
                                              : QStringLiteral("pause.fill"));
        controls->pause->setAccessibleName(controls->pause->text());
        controls->pause->setIconOnly(controls == &m_compact);
    }
    redrawClock();
    updateTicking();
}

void ActiveSessionTransport::redrawClock() {
    const auto& session = m_controller.activeSession();
    const double seconds = session ? session->elapsedDuration(m_clock.now()) : 0.0;
    const QString text = PracticeDurationFormatter::timer(seconds);
    for (Controls* controls : {&m_wide, &m_compact}) {
        if (controls->elapsed->text() != text) {
            controls->elapsed->setText(text);
            // The name says what the figure is; the value is read as its description.
            controls->elapsed->setAccessibleDescription(text);
        }
    }
}

void ActiveSessionTransport::updateTicking() {
    const bool running = m_controller.hasActiveSession() && isVisible();
    if (running && !m_tick.isActive())
        m_tick.start();
    else if (!running)
        m_tick.stop();
}

void ActiveSessionTransport::togglePause() {
    m_controller.togglePause(m_clock.now());
}

void ActiveSessionTransport::showEvent(QShowEvent* event) {
    AppMaterialSurface::showEvent(event);
    redrawClock();
    updateTicking();
}

void ActiveSessionTransport::hideEvent(QHideEvent* event) {
    AppMaterialSurface::hideEvent(event);
    updateTicking();
}

} // namespace brevanta
