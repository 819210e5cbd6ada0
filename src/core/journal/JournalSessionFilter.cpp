// SPDX-License-Identifier: MIT
#include "core/journal/JournalSessionFilter.h"

#include "core/model/PracticeEntry.h"
#include "core/time/DateFormatting.h"
#include "core/time/TextServices.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace brevanta {

namespace {

bool startsLater(const PracticeSessionPtr& left, const PracticeSessionPtr& right) {
    return left->startedAt() > right->startedAt();
}

bool isLatestFirst(const std::vector<PracticeSessionPtr>& sessions) {
    return std::is_sorted(sessions.begin(), sessions.end(), startsLater);
}

// An entry with its display-order key read once: reading the group parses its stored text, and
// the search reads every entry of the journal on each keystroke.
struct KeyedEntry {
    const PracticeEntry* entry;
    PracticeCategory category;
    std::int64_t sortOrder;
    std::int64_t createdAt;

    bool operator<(const KeyedEntry& other) const {
        return std::tuple(category.sortIndex(), sortOrder, createdAt) <
               std::tuple(other.category.sortIndex(), other.sortOrder, other.createdAt);
    }
};

// The session's entries in the order of PracticeSession::entries() — group, then position, then
// creation, ties in storage order — into a reused buffer instead of a new list per session.
void displayOrderInto(const PracticeSession& session, std::vector<KeyedEntry>& ordered) {
    ordered.clear();
    for (const PracticeEntryPtr& entry : session.storedEntries())
        ordered.push_back({entry.get(), entry->category(), entry->sortOrder(),
                           entry->createdAt().msecsSinceEpoch()});
    if (std::is_sorted(ordered.begin(), ordered.end()))
        return;
    constexpr std::size_t insertionSortLimit = 32;
    if (ordered.size() > insertionSortLimit) {
        std::stable_sort(ordered.begin(), ordered.end());
        return;
    }
    // Stable: an entry moves only past entries that are strictly greater.
    for (std::size_t index = 1; index < ordered.size(); ++index) {
        const KeyedEntry moving = ordered[index];
        std::size_t position = index;
        for (; position > 0 && moving < ordered[position - 1]; --position)
            ordered[position] = ordered[position - 1];
        ordered[position] = moving;
    }
}

// The searchable text around the two date texts, which the caller supplies already joined by a
// space (so that the search may bring its own, cached copy).
void appendSearchableText(QString& text, const PracticeSession& session, QStringView dates) {
    thread_local std::vector<KeyedEntry> entries;
    displayOrderInto(session, entries);
    text += session.title();
    text += u' ';
    if (session.notes())
        text += *session.notes();
    text += u' ';
    text += dates;
    for (const KeyedEntry& keyed : entries) {
        text += u' ';
        text += keyed.entry->title();
        text += u' ';
        if (keyed.entry->notes())
            text += *keyed.entry->notes();
        text += u' ';
        text += keyed.category.title();
    }
}

// Not remembered by DateFormatting: the search keeps its own copy (SearchDateTexts).
QString joinedDates(Instant start, const Calendar& calendar) {
    using Style = DateFormatting::Style;
    return DateFormatting::formatUnremembered(start, Style::completeDateShortTime, calendar) %
           u' ' % DateFormatting::formatUnremembered(start, Style::abbreviatedDate, calendar);
}

// The joined date texts of session starts under one calendar, the only costly part of a
// searchable text. A text depends on nothing but the instant and the calendar's time zone and
// locale, so an edited start simply looks up another instant, and another calendar has texts of
// its own (dateTextsFor); titles, notes and entries are never kept. No-break spaces are made plain
// here: the search treats them as spaces anyway, and English dates then stay plain ASCII, which it
// scans without folding.
class SearchDateTexts {
public:
    bool isFor(const Calendar& calendar) const {
        return m_calendar && (m_calendar->isSameObject(calendar) || *m_calendar == calendar);
    }

    void startAfresh(const Calendar& calendar) {
        m_spans.clear();
        m_arena.clear();
        m_calendar = calendar;
    }

    QStringView textsOf(Instant start) {
        auto found = m_spans.constFind(start.msecsSinceEpoch());
        if (found == m_spans.cend())
            found = write(start);
        return QStringView(m_arena).sliced(found->offset, found->length);
    }

    // Whether the texts of `start` had to be written.
    bool ensure(Instant start) {
        if (m_spans.contains(start.msecsSinceEpoch()))
            return false;
        write(start);
        return true;
    }

    // Room for the texts of `count` sessions, so that no slice of a walk stalls on growing the
    // table or the buffer: at 100,000 sessions a rehash or a copy costs several milliseconds.
    // The buffer grows by a quarter beyond the estimate, so that a changing average length
    // does not copy it again and again.
    void reserveFor(std::size_t count) {
        if (std::size_t(m_spans.capacity()) < count)
            m_spans.reserve(qsizetype(count));
        const qsizetype averageLength =
            m_spans.isEmpty() ? firstLengthEstimate : m_arena.size() / m_spans.size() + 1;
        const qsizetype wanted = qsizetype(count) * averageLength;
        if (m_arena.capacity() < wanted)
            m_arena.reserve(wanted + wanted / 4);
    }

    // Forgets the starts of sessions that have gone (deleted, or moved by an edit) once they
    // would outnumber the live ones.
    void keepOnly(const std::vector<PracticeSessionPtr>& sessions) {
        if (std::size_t(m_spans.size()) <= 2 * sessions.size() + minimumCapacity)
            return;
        SearchDateTexts kept;
        kept.m_calendar = m_calendar;
        kept.m_spans.reserve(qsizetype(sessions.size()));
        for (const PracticeSessionPtr& session : sessions) {
            const qint64 key = session->startedAt().msecsSinceEpoch();
            if (const auto found = m_spans.constFind(key);
                found != m_spans.cend() && !kept.m_spans.contains(key))
                kept.m_spans.insert(
                    key, kept.append(QStringView(m_arena).sliced(found->offset, found->length)));
        }
        *this = std::move(kept);
    }

private:
    struct Span {
        qsizetype offset = 0;
        qsizetype length = 0;
    };

    QHash<qint64, Span>::const_iterator write(Instant start) {
        return m_spans.insert(start.msecsSinceEpoch(), append(joinedDates(start, *m_calendar)));
    }

    // All texts live in one buffer, in the order they were first needed — the journal's order —
    // so that a search reads them front to back rather than from scattered allocations.
    Span append(QStringView texts) {
        const Span span{m_arena.size(), texts.size()};
        m_arena += texts;
        QChar* written = m_arena.data() + span.offset;
        for (qsizetype index = 0; index < span.length; ++index) {
            if (written[index] == QChar(0x202F) || written[index] == QChar(0x00A0))
                written[index] = QLatin1Char(' ');
        }
        return span;
    }

    static constexpr std::size_t minimumCapacity = 1024;
    // "Tuesday, March 4, 2025 at 3:15 PM Mar 4, 2025" is 46 characters.
    static constexpr qsizetype firstLengthEstimate = 56;

    std::optional<Calendar> m_calendar;
    QHash<qint64, Span> m_spans;
    QString m_arena;
};

// This thread's texts under `calendar`. Two calendars are kept, the one used last first: a
// screen made before a change of time zone may still search under the old calendar while the
// warm-up walks under the new one, and with one set they would wipe each other's texts on every
// call.
SearchDateTexts& dateTextsFor(const Calendar& calendar) {
    thread_local std::array<SearchDateTexts, 2> kept;
    if (kept[0].isFor(calendar))
        return kept[0];
    if (!kept[1].isFor(calendar))
        kept[1].startAfresh(calendar);
    std::swap(kept[0], kept[1]);
    return kept[0];
}

} // namespace

JournalSessionFilter::Matches
JournalSessionFilter::sessions(const std::vector<PracticeSessionPtr>& sessions, QStringView query,
                               const Calendar& calendar, GivenOrder order) {
    Q_ASSERT(order == GivenOrder::any || isLatestFirst(sessions));
    Matches matches;
    const QString trimmedQuery = TextServices::trimmed(query);
    if (trimmedQuery.isEmpty()) {
        if (order == GivenOrder::newestFirst || isLatestFirst(sessions)) {
            matches.m_given = &sessions;
        } else {
            matches.m_found = sessions;
            std::stable_sort(matches.m_found.begin(), matches.m_found.end(), startsLater);
        }
        return matches;
    }

    const CaseInsensitiveSearch search(trimmedQuery, calendar.localeName());
    SearchDateTexts& dateTexts = dateTextsFor(calendar);
    thread_local QString text;

    for (const PracticeSessionPtr& session : sessions) {
        text.resize(0);
        appendSearchableText(text, *session, dateTexts.textsOf(session->startedAt()));
        if (search.isFoundIn(text))
            matches.m_found.push_back(session);
    }
    dateTexts.keepOnly(sessions);
    // Found in the given order, the matches of a list newest first are newest first too.
    if (order == GivenOrder::any && !isLatestFirst(matches.m_found))
        std::stable_sort(matches.m_found.begin(), matches.m_found.end(), startsLater);
    return matches;
}

JournalSessionFilter::KeptMatches
JournalSessionFilter::keptSessions(const std::vector<PracticeSessionPtr>& sessions,
                                   QStringView query, const Calendar& calendar) {
    Q_ASSERT(isLatestFirst(sessions));
    KeptMatches kept;
    kept.m_query = TextServices::trimmed(query);
    kept.m_localeName = calendar.localeName();
    if (kept.m_query.isEmpty()) {
        kept.m_sessions = sessions;
        return kept;
    }
    const CaseInsensitiveSearch search(kept.m_query, kept.m_localeName);
    kept.m_foldedQuery = search.foldedQuery();
    SearchDateTexts& dateTexts = dateTextsFor(calendar);
    thread_local QString text;
    thread_local std::u16string searchForm;
    for (const PracticeSessionPtr& session : sessions) {
        text.resize(0);
        appendSearchableText(text, *session, dateTexts.textsOf(session->startedAt()));
        search.writeSearchForm(text, searchForm);
        if (!search.isFoundInSearchForm(searchForm))
            continue;
        kept.m_sessions.push_back(session);
        kept.m_texts += searchForm;
        kept.m_ends.push_back(kept.m_texts.size());
    }
    dateTexts.keepOnly(sessions);
    return kept;
}

std::optional<JournalSessionFilter::KeptMatches>
JournalSessionFilter::narrowed(const KeptMatches& kept, QStringView longerQuery) {
    if (kept.m_query.isEmpty())
        return std::nullopt;
    KeptMatches found;
    found.m_query = TextServices::trimmed(longerQuery);
    found.m_localeName = kept.m_localeName;
    const CaseInsensitiveSearch search(found.m_query, found.m_localeName);
    found.m_foldedQuery = search.foldedQuery();
    // Only a query that holds the kept one can find nothing but what the kept one found.
    if (!found.m_foldedQuery.startsWith(kept.m_foldedQuery))
        return std::nullopt;
    // A combining mark typed next joins the kept query's last letter: texts where that letter
    // carried a mark were not found by the kept query, yet the longer one may find them.
    const qsizetype joint = kept.m_foldedQuery.size();
    if (joint < found.m_foldedQuery.size()) {
        char32_t next = found.m_foldedQuery.at(joint).unicode();
        if (QChar::isHighSurrogate(next) && joint + 1 < found.m_foldedQuery.size())
            next = QChar::surrogateToUcs4(found.m_foldedQuery.at(joint),
                                          found.m_foldedQuery.at(joint + 1));
        if (QChar::isMark(next))
            return std::nullopt;
    }
    // At most what was kept: room for it up front spares copying a large buffer as it grows.
    found.m_sessions.reserve(kept.m_sessions.size());
    found.m_ends.reserve(kept.m_ends.size());
    found.m_texts.reserve(kept.m_texts.size());
    std::size_t begin = 0;
    for (std::size_t index = 0; index < kept.m_sessions.size(); ++index) {
        const std::u16string_view text(kept.m_texts.data() + begin, kept.m_ends[index] - begin);
        begin = kept.m_ends[index];
        if (!search.isFoundInSearchForm(text))
            continue;
        found.m_sessions.push_back(kept.m_sessions[index]);
        found.m_texts += text;
        found.m_ends.push_back(found.m_texts.size());
    }
    return found;
}

JournalSessionFilter::Preparation
JournalSessionFilter::prepare(const std::vector<PracticeSessionPtr>& sessions,
                              const Calendar& calendar, std::size_t first, std::size_t count) {
    Preparation preparation;
    const std::size_t begin = std::min(first, sessions.size());
    preparation.next = begin + std::min(count, sessions.size() - begin);
    SearchDateTexts& dateTexts = dateTextsFor(calendar);
    dateTexts.reserveFor(sessions.size());
    for (std::size_t index = begin; index < preparation.next; ++index) {
        if (dateTexts.ensure(sessions[index]->startedAt()))
            ++preparation.formatted;
    }
    if (preparation.next == sessions.size())
        dateTexts.keepOnly(sessions);
    return preparation;
}

QString JournalSessionFilter::searchableText(const PracticeSession& session,
                                             const Calendar& calendar) {
    QString text;
    appendSearchableText(text, session, joinedDates(session.startedAt(), calendar));
    return text;
}

} // namespace brevanta
