// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace brevanta {

/// The journal's search: which sessions a search text finds, newest first.
struct JournalSessionFilter {
    /// The sessions (any order, non-null) whose searchable text contains the query, trimmed of
    /// white space and line breaks at both ends, as one contiguous run: letter case is ignored
    /// under the calendar's locale, diacritics are not ("cafe" does not find "café"), and
    /// no-break spaces count as plain ones. A blank query finds every session. The result is
    /// ordered latest start first; sessions starting at the same instant keep their given order.
    ///
    /// The date texts are kept per thread, keyed by start instant and calendar, so that every
    /// keystroke does not format the whole journal's dates again; everything else is read from
    /// the records on each call, so edits are found at once.
    static std::vector<PracticeSessionPtr> sessions(const std::vector<PracticeSessionPtr>& sessions,
                                                    QStringView query, const Calendar& calendar);

    /// What the search looks in: the session's title, its notes, its start in the complete date
    /// style with the short time and in the abbreviated date style, then every entry's title,
    /// notes and practice group in display order — joined by single spaces, an absent note
    /// counting as an empty text.
    static QString searchableText(const PracticeSession& session, const Calendar& calendar);
};

} // namespace brevanta
