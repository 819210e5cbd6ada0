// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"

#include <QWidget>

class QPainter;

namespace brevanta {

/// One session as a row. The journal list (`history`) draws its rows through paint() from a
/// delegate, so no widget is made per session; the home screen (`home`) shows a few rows as
/// widgets of this class. Both draw the same way.
class SessionRowView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionRowView)

public:
    enum class Context { home, history };

    SessionRowView(PracticeSessionPtr session, Context context, Calendar calendar, Clock clock,
                   QWidget* parent = nullptr);

    const PracticeSessionPtr& session() const { return m_session; }
    Context context() const { return m_context; }
    bool isSelected() const { return m_isSelected; }
    void setSelected(bool selected);

    /// The third line of a journal row: the session's notes, else the first entry notes in
    /// display order, else the first entry's title, else "A quiet page in your journal".
    static QString previewText(const PracticeSession& session);
    /// The second line of a home row: the session's notes, else the first entry notes, else the
    /// start in the abbreviated date style.
    static QString secondLine(const PracticeSession& session, const Calendar& calendar);
    /// What the row says as one accessible element, its lines joined in reading order.
    static QString accessibleText(const PracticeSession& session, Context context, Instant now,
                                  const Calendar& calendar);

    /// The height of a row of `context` in the current fonts.
    static int rowHeight(Context context);
    /// Draws the row into `rect`, colours resolved against `widget`'s palette.
    static void paint(QPainter& painter, const QRect& rect, const PracticeSession& session,
                      Context context, bool isSelected, Instant now, const Calendar& calendar,
                      const QWidget* widget);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateAccessibility();

    PracticeSessionPtr m_session;
    Context m_context;
    Calendar m_calendar;
    Clock m_clock;
    bool m_isSelected = false;
};

} // namespace brevanta
