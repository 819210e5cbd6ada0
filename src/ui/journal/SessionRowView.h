// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QString>

class QRect;
class QWidget;

class QPainter;

namespace brevanta {

/// One session as a row of the journal list: its day, its title beside its duration, and a line
/// of preview. The list draws its rows through paint() from a delegate, so no widget is made per
/// session. (The home screen shows no session rows, so the compact home variant is not built.)
class SessionRowView {
public:
    SessionRowView() = delete;

    /// The third line of a journal row: the session's notes, else the first entry notes in
    /// display order, else the first entry's title, else "A quiet page in your journal".
    static QString previewText(const PracticeSession& session);
    /// What the row says as one accessible element, its lines joined in reading order.
    static QString accessibleText(const PracticeSession& session, Instant now,
                                  const Calendar& calendar);

    /// The height of a row in the current fonts.
    static int rowHeight();
    /// Draws the row into `rect`, colours resolved against `widget`'s palette.
    static void paint(QPainter& painter, const QRect& rect, const PracticeSession& session,
                      bool isSelected, Instant now, const Calendar& calendar,
                      const QWidget* widget);
};

} // namespace brevanta
