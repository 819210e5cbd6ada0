// SPDX-License-Identifier: MIT
#include "core/journal/PracticePresentation.h"

#include "core/time/DateFormatting.h"

namespace brevanta {

QString PracticePresentation::journalTitle(const PracticeSession& session,
                                           const Calendar& calendar) {
    QString title = session.title();
    if (title != u"Practice Session")
        return title;
    return DateFormatting::wideWeekday(session.startedAt(), calendar) % u" Practice";
}

} // namespace brevanta
