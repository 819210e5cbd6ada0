// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace brevanta {

/// The journal's search: which sessions a search text finds, newest first.
struct JournalSessionFilter {
    /// What the caller knows of the order of the sessions it passes.
    enum class GivenOrder {
        any,
        /// Latest start first, sessions starting together in the order the caller wants kept — as
        /// JournalStore::sessions() lists them. Checked in debug builds only.
        newestFirst,
    };

    /// The sessions a search found, newest first.
    ///
    /// A blank query over a list already newest first finds that very list, and the result then
    /// reads the caller's list instead of copying it: in a journal of 100,000 sessions a copy is
    /// 100,000 reference counts touched on records far out of cache, on every redraw. Such a
    /// result is valid only while the given list lives and is unchanged, so use it at once (in
    /// the redraw that searched) and copy list() to keep it longer. Every other result owns its
    /// sessions.
    class Matches {
    public:
        using const_iterator = std::vector<PracticeSessionPtr>::const_iterator;

        const std::vector<PracticeSessionPtr>& list() const { return m_given ? *m_given : m_found; }
        /// True when the result is the given list itself rather than a list of its own.
        bool isGivenList() const { return m_given != nullptr; }

        std::size_t size() const { return list().size(); }
        bool empty() const { return list().empty(); }
        const PracticeSessionPtr& operator[](std::size_t index) const { return list()[index]; }
        const_iterator begin() const { return list().begin(); }
        const_iterator end() const { return list().end(); }

    private:
        friend struct JournalSessionFilter;

        const std::vector<PracticeSessionPtr>* m_given = nullptr;
        std::vector<PracticeSessionPtr> m_found;
    };

    /// The sessions (non-null) whose searchable text contains the query, trimmed of white space
    /// and line breaks at both ends, as one contiguous run: letter case is ignored under the
    /// calendar's locale, diacritics are not ("cafe" does not find "café"), and no-break spaces
    /// count as plain ones. A blank query finds every session. The result is ordered latest
    /// start first; sessions starting at the same instant keep their given order.
    ///
    /// A blank query reads no record when `order` is newestFirst; with `any` it checks the
    /// order, and copies only when it must sort. A query writes every session's text afresh:
    /// screens search a store through its JournalSearchIndex, which keeps them.
    static Matches sessions(const std::vector<PracticeSessionPtr>& sessions, QStringView query,
                            const Calendar& calendar, GivenOrder order = GivenOrder::any);
    /// A result may refer to the given list, which must therefore outlive the call.
    static Matches sessions(std::vector<PracticeSessionPtr>&& sessions, QStringView query,
                            const Calendar& calendar, GivenOrder order = GivenOrder::any) = delete;

    /// What the search looks in: the session's title, its notes, its start in the complete date
    /// style with the short time and in the abbreviated date style, then every entry's title,
    /// notes and practice group in display order — joined by single spaces, an absent note
    /// counting as an empty text.
    static QString searchableText(const PracticeSession& session, const Calendar& calendar);
};

} // namespace brevanta
