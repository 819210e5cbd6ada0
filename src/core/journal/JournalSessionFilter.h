// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <string>
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
    /// order, and copies only when it must sort.
    ///
    /// The date texts are kept per thread, keyed by start instant and calendar, so that every
    /// keystroke does not format the whole journal's dates again (see prepare()); everything else
    /// is read from the records on each call, so edits are found at once.
    static Matches sessions(const std::vector<PracticeSessionPtr>& sessions, QStringView query,
                            const Calendar& calendar, GivenOrder order = GivenOrder::any);
    /// A result may refer to the given list, which must therefore outlive the call.
    static Matches sessions(std::vector<PracticeSessionPtr>&& sessions, QStringView query,
                            const Calendar& calendar, GivenOrder order = GivenOrder::any) = delete;

    /// The matches of a search kept together with the texts they were found in, in the search's
    /// own form, so that a longer query typed after it looks through those texts alone and reads
    /// no record: at 100,000 sessions a keystroke that extends the query stays within a frame.
    /// Valid as long as the sessions searched are unchanged; search afresh after any change.
    class KeptMatches {
    public:
        const std::vector<PracticeSessionPtr>& list() const { return m_sessions; }
        /// The trimmed query these are the matches of.
        const QString& query() const { return m_query; }

    private:
        friend struct JournalSessionFilter;

        QString m_query;
        QString m_foldedQuery;
        QString m_localeName;
        std::vector<PracticeSessionPtr> m_sessions;
        /// Every match's text one after the other; m_ends[i] is where the i-th one ends.
        std::u16string m_texts;
        std::vector<std::size_t> m_ends;
    };

    /// The sessions of a list newest first (as the store lists them) that a search text finds,
    /// as sessions() finds them, with their texts kept.
    static KeptMatches keptSessions(const std::vector<PracticeSessionPtr>& sessions,
                                    QStringView query, const Calendar& calendar);
    /// The matches among `kept` of `longerQuery`, a query that begins with kept's and reaches
    /// past it; nothing when it does not (after trimming and case folding), and then the caller
    /// searches afresh.
    static std::optional<KeptMatches> narrowed(const KeptMatches& kept, QStringView longerQuery);

    /// A slice for prepare() that takes about a millisecond when every text is new.
    static constexpr std::size_t preparationSliceSize = 500;

    /// What one prepare() call did.
    struct Preparation {
        /// Where the next slice begins: the list's size once the walk has reached its end.
        std::size_t next = 0;
        /// Date texts this call wrote; none when this thread kept them all already.
        std::size_t formatted = 0;
    };

    /// Writes ahead the date texts that a search of `sessions` under `calendar` on this thread
    /// would format, for the slice of `count` sessions from `first` (clamped to the list): the
    /// costly part of a first keystroke, about two microseconds a session. A start whose texts
    /// are kept costs one lookup, so walking an unchanged journal again is cheap. Call it a slice
    /// at a time, from idle moments of the thread that searches; the texts are kept for the two
    /// calendars used last.
    static Preparation prepare(const std::vector<PracticeSessionPtr>& sessions,
                               const Calendar& calendar, std::size_t first, std::size_t count);

    /// What the search looks in: the session's title, its notes, its start in the complete date
    /// style with the short time and in the abbreviated date style, then every entry's title,
    /// notes and practice group in display order — joined by single spaces, an absent note
    /// counting as an empty text.
    static QString searchableText(const PracticeSession& session, const Calendar& calendar);
};

} // namespace brevanta
