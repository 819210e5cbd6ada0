// SPDX-License-Identifier: MIT
#include "core/journal/JournalSearchIndex.h"

#include "core/model/PracticeEntry.h"
#include "core/store/JournalStore.h"
#include "core/time/DateFormatting.h"
#include "core/time/TextServices.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>

namespace brevanta {

namespace {

// An entry with its display-order key read once: reading the group parses its stored text.
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
    if (!std::is_sorted(ordered.begin(), ordered.end()))
        std::stable_sort(ordered.begin(), ordered.end());
}

// The searchable text in three parts: the title; what follows it up to the dates (the notes
// between the spaces that join title, notes and dates); and what follows the dates (every entry's
// title, notes and group, each part after a space).
void searchableParts(const PracticeSession& session, QString& title, QString& head, QString& tail) {
    thread_local std::vector<KeyedEntry> entries;
    displayOrderInto(session, entries);
    title = session.title();
    head.resize(0);
    head += u' ';
    // Records hand out their texts as new strings: each is read once.
    if (const std::optional<QString> notes = session.notes())
        head += *notes;
    head += u' ';
    tail.resize(0);
    for (const KeyedEntry& keyed : entries) {
        tail += u' ';
        tail += keyed.entry->title();
        tail += u' ';
        if (const std::optional<QString> notes = keyed.entry->notes())
            tail += *notes;
        tail += u' ';
        tail += keyed.category.title();
    }
}

QString joinedDates(Instant start, const Calendar& calendar) {
    using Style = DateFormatting::Style;
    return DateFormatting::formatUnremembered(start, Style::completeDateShortTime, calendar) %
           u' ' % DateFormatting::formatUnremembered(start, Style::abbreviatedDate, calendar);
}

template <typename Bytes> void appendUtf8(std::u16string_view text, Bytes& out) {
    for (std::size_t index = 0; index < text.size(); ++index) {
        char32_t code = text[index];
        if (code < 0x80) {
            out += char(code);
            continue;
        }
        if (QChar::isHighSurrogate(code) && index + 1 < text.size() &&
            QChar::isLowSurrogate(text[index + 1]))
            code = QChar::surrogateToUcs4(char16_t(code), text[++index]);
        else if (QChar::isSurrogate(code))
            code = 0xFFFD;
        if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
        }
        out += char(0x80 | (code & 0x3F));
    }
}

// Appends `text` in search form. `folding` is a search for nothing, used for its rules; where
// `asciiFolds` they fold plain ASCII to its lower case, as every locale but the Turkic ones does.
void appendSearchForm(QStringView text, const CaseInsensitiveSearch& folding, bool asciiFolds,
                      ByteBuffer& out) {
    if (asciiFolds) {
        const std::size_t begin = out.size();
        out.resize(begin + std::size_t(text.size()));
        char* written = out.data() + begin;
        bool ascii = true;
        for (const QChar character : text) {
            const char16_t code = character.unicode();
            if (code >= 0x80) {
                ascii = false;
                break;
            }
            *written++ = char(code >= u'A' && code <= u'Z' ? code + (u'a' - u'A') : code);
        }
        if (ascii)
            return;
        out.resize(begin);
    }
    thread_local std::u16string folded;
    folding.writeSearchForm(text, folded);
    appendUtf8(folded, out);
}

// A match must end on a character boundary: a combining mark right after it belongs to the
// matched letter ("e" followed by U+0301 is "é", which "e" must not match).
bool endsOnCharacterBoundary(std::string_view text, std::size_t end) {
    if (end >= text.size() || static_cast<unsigned char>(text[end]) < 0x80)
        return true;
    UChar32 character = 0;
    auto index = std::int32_t(end);
    U8_NEXT(reinterpret_cast<const std::uint8_t*>(text.data()), index, std::int32_t(text.size()),
            character);
    return character < 0 || (U_GET_GC_MASK(character) & U_GC_M_MASK) == 0;
}

bool contains(std::string_view text, std::string_view needle) {
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        if (endsOnCharacterBoundary(text, at + needle.size()))
            return true;
    }
    return false;
}

} // namespace

JournalSearchTexts::Query JournalSearchTexts::query(QStringView text, const Calendar& calendar) {
    Query query;
    query.trimmed = TextServices::trimmed(text);
    if (query.trimmed.isEmpty())
        return query;
    const CaseInsensitiveSearch search(query.trimmed, calendar.localeName());
    const QString& folded = search.foldedQuery();
    appendUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(folded.utf16()),
                                   std::size_t(folded.size())),
               query.searchForm);
    return query;
}

QString JournalSearchTexts::searchableText(const PracticeSession& session,
                                           const Calendar& calendar) {
    QString title;
    QString head;
    QString tail;
    searchableParts(session, title, head, tail);
    return title % head % joinedDates(session.startedAt(), calendar) % tail;
}

bool JournalSearchTexts::extends(const Query& longer, const Query& shorter) {
    if (shorter.isBlank() || !std::string_view(longer.searchForm).starts_with(shorter.searchForm))
        return false;
    // A combining mark typed next joins the shorter query's last letter: texts where that letter
    // carried a mark were not found by the shorter query, yet the longer one may find them.
    return endsOnCharacterBoundary(longer.searchForm, shorter.searchForm.size());
}

void JournalSearchTexts::clear() {
    m_text.clear();
    m_ends.clear();
    m_starts.clear();
    m_datesOffsets.clear();
    m_datesLengths.clear();
    m_revisions.clear();
    m_titleOffsets.clear();
    m_titleLengths.clear();
}

bool JournalSearchTexts::append(const PracticeSession& session, const Calendar& calendar,
                                const JournalSearchTexts* previous, std::uint32_t revision) {
    // After a change most sessions are as they were: their texts are copied, not folded again.
    if (previous) {
        if (const std::optional<std::size_t> kept =
                previous->positionOf(session.startedAt(), revision)) {
            appendCopy(*previous, *kept);
            return false;
        }
    }
    const JournalSearchTexts* dates = previous;
    thread_local QString title;
    thread_local QString head;
    thread_local QString tail;
    searchableParts(session, title, head, tail);
    // Reading the locale's case rules costs more than folding a session's text.
    thread_local QString foldingLocale;
    thread_local std::optional<CaseInsensitiveSearch> folding;
    thread_local bool asciiFolds = true;
    if (!folding || foldingLocale != calendar.localeName()) {
        foldingLocale = calendar.localeName();
        folding.emplace(QStringView(), foldingLocale);
        std::u16string capital;
        folding->writeSearchForm(u"I", capital);
        asciiFolds = capital == u"i";
    }
    const std::size_t begin = m_text.size();
    appendSearchForm(title, *folding, asciiFolds, m_text);
    const std::size_t titleLength = m_text.size() - begin;
    appendSearchForm(head, *folding, asciiFolds, m_text);
    std::size_t datesBegin = m_text.size();
    const Instant start = session.startedAt();
    const std::optional<std::string_view> known = dates ? dates->datesOf(start) : std::nullopt;
    if (known)
        m_text += *known;
    else
        appendSearchForm(joinedDates(start, calendar), *folding, asciiFolds, m_text);
    const std::size_t datesLength = m_text.size() - datesBegin;
    appendSearchForm(tail, *folding, asciiFolds, m_text);
    const TitleReference titleFurtherOn = referToTitleFurtherOn(begin, titleLength);
    if (titleFurtherOn.length > 0)
        datesBegin -= titleLength + 1;

    const bool datesFit = datesBegin - begin < 0xFFFF && datesLength <= 0xFF;
    m_ends.push_back(std::uint32_t(m_text.size()));
    m_starts.push_back(start.msecsSinceEpoch());
    m_datesOffsets.push_back(datesFit ? std::uint16_t(datesBegin - begin) : 0xFFFF);
    m_datesLengths.push_back(datesFit ? std::uint8_t(datesLength) : 0);
    m_revisions.push_back(revision);
    m_titleOffsets.push_back(titleFurtherOn.offset);
    m_titleLengths.push_back(titleFurtherOn.length);
    return !known;
}

JournalSearchTexts::TitleReference
JournalSearchTexts::referToTitleFurtherOn(std::size_t begin, std::size_t titleLength) {
    // A session's title is its first titled entry's, so most texts hold it twice: once at the
    // start and once among the entries. The start is dropped and the title read where it
    // stands again; searches then look at it as if it stood at the start as well.
    const std::string_view text = m_text.view().substr(begin);
    const std::string_view title = text.substr(0, titleLength);
    if (title.empty() || titleLength > std::numeric_limits<std::uint8_t>::max())
        return {};
    const std::size_t dropped = titleLength + 1;
    const std::size_t found = text.find(title, dropped);
    if (found == std::string_view::npos ||
        found - dropped > std::numeric_limits<std::uint16_t>::max())
        return {};
    char* const start = m_text.data() + begin;
    std::memmove(start, start + dropped, text.size() - dropped);
    m_text.resize(m_text.size() - dropped);
    return {std::uint16_t(found - dropped), std::uint8_t(titleLength)};
}

void JournalSearchTexts::appendCopy(const JournalSearchTexts& other, std::size_t position) {
    m_text += other.textAt(position);
    m_ends.push_back(std::uint32_t(m_text.size()));
    m_starts.push_back(other.m_starts[position]);
    m_datesOffsets.push_back(other.m_datesOffsets[position]);
    m_datesLengths.push_back(other.m_datesLengths[position]);
    m_revisions.push_back(other.m_revisions[position]);
    m_titleOffsets.push_back(other.m_titleOffsets[position]);
    m_titleLengths.push_back(other.m_titleLengths[position]);
}

std::size_t JournalSearchTexts::firstAtOrBefore(Instant start) const {
    // The texts follow a list newest first.
    const std::int64_t key = start.msecsSinceEpoch();
    return std::size_t(std::partition_point(m_starts.begin(), m_starts.end(),
                                            [key](std::int64_t listed) { return listed > key; }) -
                       m_starts.begin());
}

std::optional<std::size_t> JournalSearchTexts::positionOf(Instant start,
                                                          std::uint32_t revision) const {
    if (revision == 0)
        return std::nullopt;
    const std::int64_t key = start.msecsSinceEpoch();
    // Sessions that share a start stand side by side.
    for (std::size_t position = firstAtOrBefore(start);
         position < m_starts.size() && m_starts[position] == key; ++position) {
        if (m_revisions[position] == revision)
            return position;
    }
    return std::nullopt;
}

std::string_view JournalSearchTexts::textAt(std::size_t position) const {
    const std::size_t begin = position == 0 ? 0 : m_ends[position - 1];
    return m_text.view().substr(begin, m_ends[position] - begin);
}

std::optional<std::string_view> JournalSearchTexts::datesOf(Instant start) const {
    const std::size_t position = firstAtOrBefore(start);
    if (position == m_starts.size() || m_starts[position] != start.msecsSinceEpoch())
        return std::nullopt;
    if (m_datesOffsets[position] == 0xFFFF)
        return std::nullopt;
    return textAt(position).substr(m_datesOffsets[position], m_datesLengths[position]);
}

void JournalSearchTexts::findAll(const Query& query, std::vector<std::uint32_t>& positions) const {
    positions.clear();
    if (query.isBlank()) {
        positions.resize(size());
        for (std::size_t position = 0; position < size(); ++position)
            positions[position] = std::uint32_t(position);
        return;
    }
    // One scan of the whole buffer; after a match the scan goes on at the next text.
    const std::string_view text = m_text.view();
    const std::string_view needle(query.searchForm);
    std::size_t position = 0;
    std::size_t from = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, from)) {
        while (m_ends[position] <= at)
            ++position;
        const std::size_t textEnd = m_ends[position];
        const std::size_t end = at + needle.size();
        if (end > textEnd) {
            // Runs into the next text: so would any later start in this one.
            from = textEnd;
        } else if (end < textEnd && !endsOnCharacterBoundary(text, end)) {
            from = at + 1;
        } else {
            positions.push_back(std::uint32_t(position));
            from = textEnd;
        }
    }
    // The scan read no title that is written further on only at the start of its text: a query
    // that runs on from one into its text holds a space.
    if (needle.find(' ') == std::string_view::npos)
        return;
    const std::size_t scanned = positions.size();
    std::size_t next = 0;
    for (std::size_t position = 0; position < size(); ++position) {
        if (next < scanned && positions[next] == position)
            ++next;
        else if (runsOnFromTitle(position, query))
            positions.push_back(std::uint32_t(position));
    }
    std::inplace_merge(positions.begin(), positions.begin() + std::ptrdiff_t(scanned),
                       positions.end());
}

bool JournalSearchTexts::runsOnFromTitle(std::size_t position, const Query& query) const {
    const std::uint8_t length = m_titleLengths[position];
    if (length == 0)
        return false;
    const std::string_view text = textAt(position);
    const std::string_view title = text.substr(m_titleOffsets[position], length);
    // The text reads on from the title after one space: the query's part before one of its
    // spaces ends the title, and its part after it starts the text.
    const std::string_view needle(query.searchForm);
    for (std::size_t space = needle.find(' '); space != std::string_view::npos;
         space = needle.find(' ', space + 1)) {
        const std::string_view inText = needle.substr(space + 1);
        if (title.ends_with(needle.substr(0, space)) && text.starts_with(inText) &&
            endsOnCharacterBoundary(text, inText.size()))
            return true;
    }
    return false;
}

bool JournalSearchTexts::holds(std::size_t position, const Query& query) const {
    return query.isBlank() || contains(textAt(position), query.searchForm) ||
           runsOnFromTitle(position, query);
}

void JournalSearchTexts::keepHolding(const Query& query,
                                     std::vector<std::uint32_t>& positions) const {
    positions.erase(std::remove_if(positions.begin(), positions.end(),
                                   [&](std::uint32_t position) { return !holds(position, query); }),
                    positions.end());
}

std::size_t JournalSearchTexts::memoryBytes() const {
    return m_text.capacity() + m_ends.capacity() * sizeof(std::uint32_t) +
           m_starts.capacity() * sizeof(std::int64_t) +
           m_datesOffsets.capacity() * sizeof(std::uint16_t) + m_datesLengths.capacity() +
           m_revisions.capacity() * sizeof(std::uint32_t) +
           m_titleOffsets.capacity() * sizeof(std::uint16_t) + m_titleLengths.capacity();
}

void JournalSearchTexts::reserveLike(const JournalSearchTexts& other) {
    // Texts of a list much like the other: a change rarely adds more than a few sessions, and a
    // larger one grows the buffer in place (see ByteBuffer).
    reserve(other.m_text.size() + other.m_text.size() / 64, other.size() + other.size() / 64);
}

void JournalSearchTexts::reserveFor(std::size_t count) {
    if (size() == 0)
        return;
    const std::size_t average = m_text.size() / size() + 1;
    reserve(average * count + average * count / 16, count);
}

void JournalSearchTexts::reserve(std::size_t textBytes, std::size_t count) {
    m_text.reserve(textBytes);
    m_ends.reserve(count);
    m_starts.reserve(count);
    m_datesOffsets.reserve(count);
    m_datesLengths.reserve(count);
    m_revisions.reserve(count);
    m_titleOffsets.reserve(count);
    m_titleLengths.reserve(count);
}

void JournalSearchTexts::shrinkToFit() {
    // The texts stay for the life of the journal: the margin reserved for a first walk is given
    // back. Trimming costs the allocator more than the bytes are worth, so only a few percent
    // of slack (all a change leaves) stays.
    if (m_text.capacity() <= m_text.size() + m_text.size() / 32)
        return;
    m_text.shrinkToFit();
    m_ends.shrink_to_fit();
    m_starts.shrink_to_fit();
    m_datesOffsets.shrink_to_fit();
    m_datesLengths.shrink_to_fit();
    m_revisions.shrink_to_fit();
    m_titleOffsets.shrink_to_fit();
    m_titleLengths.shrink_to_fit();
}

JournalSearchIndex& JournalSearchIndex::of(const JournalStore& store) {
    if (auto* found = store.findChild<JournalSearchIndex*>(QString(), Qt::FindDirectChildrenOnly))
        return *found;
    return *new JournalSearchIndex(store);
}

JournalSearchIndex::JournalSearchIndex(const JournalStore& store)
    // A cache of the store's, so it goes with it; connected before any screen that searches, so
    // it has started over by the time a screen hears of a change.
    : QObject(const_cast<JournalStore*>(&store))
    , m_store(store) {
    connect(&store, &JournalStore::sessionsChanged, this, &JournalSearchIndex::startOver);
}

void JournalSearchIndex::startOver() {
    // Keep whichever texts hold more dates; both are right for their starts.
    if (m_texts.size() >= m_previous.size())
        std::swap(m_texts, m_previous);
    m_texts.clear();
    ++m_generation;
}

void JournalSearchIndex::useCalendar(const Calendar& calendar) {
    if (m_calendar && (m_calendar->isSameObject(calendar) || *m_calendar == calendar))
        return;
    m_calendar = calendar;
    m_texts = JournalSearchTexts();
    m_previous = JournalSearchTexts();
    ++m_generation;
}

JournalSearchIndex::Preparation JournalSearchIndex::prepare(const Calendar& calendar,
                                                            std::size_t count) {
    useCalendar(calendar);
    const std::vector<PracticeSessionPtr>& sessions = m_store.sessions();
    Preparation preparation;
    const std::size_t begin = m_texts.size();
    const std::size_t end = begin + std::min(count, sessions.size() - begin);
    if (begin == 0)
        m_texts.reserveLike(m_previous);
    for (std::size_t index = begin; index < end; ++index) {
        const PracticeSession& session = *sessions[index];
        if (m_texts.append(session, calendar, &m_previous, m_store.revisionOf(session)))
            ++preparation.formatted;
    }
    preparation.next = end;
    // A first walk grows the buffer once, from the first slice's lengths, rather than doubling
    // it all the way: at 100,000 sessions the copies would cost several times the texts' size.
    if (begin == 0 && m_previous.size() == 0 && end < sessions.size())
        m_texts.reserveFor(sessions.size());
    if (end == sessions.size()) {
        m_previous = JournalSearchTexts();
        m_texts.shrinkToFit();
    }
    return preparation;
}

bool JournalSearchIndex::isComplete(const Calendar& calendar) const {
    return m_calendar && (m_calendar->isSameObject(calendar) || *m_calendar == calendar) &&
           m_texts.size() == m_store.sessions().size();
}

const std::vector<std::int64_t>* JournalSearchIndex::listStarts() const {
    return m_texts.size() == m_store.sessions().size() ? &m_texts.starts() : nullptr;
}

JournalSearchIndex::Matches JournalSearchIndex::find(QStringView query, const Calendar& calendar) {
    prepare(calendar, std::numeric_limits<std::size_t>::max());
    Matches matches;
    matches.query = JournalSearchTexts::query(query, calendar);
    m_texts.findAll(matches.query, matches.positions);
    matches.generation = m_generation;
    return matches;
}

bool JournalSearchIndex::narrow(Matches& matches, QStringView longerQuery, bool* changed) {
    if (!isCurrent(matches) || !m_calendar)
        return false;
    JournalSearchTexts::Query query = JournalSearchTexts::query(longerQuery, *m_calendar);
    if (!JournalSearchTexts::extends(query, matches.query))
        return false;
    const std::size_t before = matches.positions.size();
    m_texts.keepHolding(query, matches.positions);
    matches.query = std::move(query);
    if (changed)
        *changed = matches.positions.size() != before;
    return true;
}

} // namespace brevanta
