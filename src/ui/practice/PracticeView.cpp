// SPDX-License-Identifier: MIT
#include "ui/practice/PracticeView.h"

#include "core/practice/ActivePracticeSessionController.h"
#include "ui/design/AppAccessibility.h"
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSymbolView.h"
#include "ui/design/AppTypography.h"
#include "ui/editing/PracticeFields.h"
#include "ui/practice/ActivePracticeRoom.h"

#include <QBoxLayout>
#include <QPainter>
#include <QStackedLayout>

namespace brevanta {

namespace {

// The symbol's em box is a little larger than the text size it stands beside.
constexpr qreal idleSymbolSize = 42;

} // namespace

PracticeView::PracticeView(ActivePracticeSessionController& controller, Clock clock,
                           Calendar calendar, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_clock(std::move(clock))
    , m_calendar(std::move(calendar)) {
    setObjectName(QStringLiteral("practice-view"));
    m_faces = new QStackedLayout(this);
    m_idle = buildIdleFace();
    m_faces->addWidget(m_idle);
    connect(&m_controller, &ActivePracticeSessionController::activeSessionChanged, this,
            &PracticeView::followController);
    followController();
}

ActivePracticeRoom* PracticeView::room() const {
    return m_room;
}

QWidget* PracticeView::buildIdleFace() {
    auto* face = new QWidget;
    face->setObjectName(QStringLiteral("practice-idle"));
    auto* outer = new QVBoxLayout(face);
    outer->setContentsMargins(40, 40, 40, 40);
    outer->addStretch(1);

    auto* column = new QVBoxLayout;
    column->setSpacing(20);
    auto* symbol = new AppSymbolView(QStringLiteral("guitars"), idleSymbolSize, readableAccent());
    column->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* title =
        new AppLabel(QStringLiteral("Ready to practise?"), AppTypography::editorialTitle());
    AppAccessibility::exposeAsHeading(title);
    title->setAlignment(Qt::AlignHCenter);
    title->setWordWrap(true);
    column->addWidget(title);
    auto* line = new AppLabel(QStringLiteral("Start when the guitar is in your hands."),
                              AppTypography::editorialBody(), AppColors::secondaryText());
    line->setAlignment(Qt::AlignHCenter);
    line->setWordWrap(true);
    column->addWidget(line);
    auto* start = new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                                AppButtonRole::primary);
    start->setObjectName(QStringLiteral("start-practice"));
    start->setControlSize(AppButton::ControlSize::large);
    connect(start, &QAbstractButton::clicked, this, &PracticeView::startRequested);
    column->addSpacing(4);
    column->addWidget(start, 0, Qt::AlignHCenter);
    outer->addLayout(column);
    outer->addStretch(1);
    return face;
}

void PracticeView::followController() {
    const auto& session = m_controller.activeSession();
    if (session && m_room && m_room->sessionId() == session->id)
        return;
    if (m_room) {
        // The view holds the focus of a room that goes, so it never falls onto a button, where
        // the next Space would press it instead of reaching the window's command. Its policy
        // stays NoFocus: no Tab stop, and clicks on its buttons leave the focus alone.
        if (m_room->isAncestorOf(window()->focusWidget()))
            setFocus(Qt::OtherFocusReason);
        m_faces->removeWidget(m_room);
        m_room->deleteLater();
        m_room = nullptr;
    }
    if (!session) {
        m_faces->setCurrentWidget(m_idle);
        return;
    }
    m_room = new ActivePracticeRoom(m_controller, m_clock, m_calendar);
    connect(m_room, &ActivePracticeRoom::finishRequested, this, &PracticeView::finishRequested);
    connect(m_room, &ActivePracticeRoom::discardRequested, this, &PracticeView::discardRequested);
    m_faces->addWidget(m_room);
    m_faces->setCurrentWidget(m_room);
}

void PracticeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), AppColors::windowBackground().resolve(this));
}

} // namespace brevanta
