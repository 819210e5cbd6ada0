// SPDX-License-Identifier: MIT
#pragma once

#include "core/journal/ByteBuffer.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QObject>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brevanta {

class JournalStore;

/// Sessions of a list picked by their positions in it (all of them when no positions are given),
/// read in place: picking the matches of a search touches no session's handle. The start instants
/// of the list, when given, spare reading sessions scattered in memory to find where months begin.
class PickedSessions {
public:
    PickedSessions() = default;
    PickedSessions(const std::vector<PracticeSessionPtr>* sessions,
                   const std::vector<std::uint32_t>* positions = nullptr,
                   const std::vector<std::int64_t>* starts = nullptr)
        : m_sessions(sessions)
        , m_positions(positions)
        , m_starts(starts) {}

    std::size_t size() const {
        return m_positions ? m_positions->size() : m_sessions ? m_sessions->size() : 0;
    }
    bool empty() const { return size() == 0; }
    const PracticeSessionPtr& operator[](std::size_t index) const {
        return (*m_sessions)[m_positions ? (*m_positions)[index] : index];
    }
    const PracticeSessionPtr& front() const { return (*this)[0]; }
    Instant startAt(std::size_t index) const {
        const std::size_t position = m_positions ? (*m_positions)[index] : index;
        // The starts follow the list, but may be written anew (another calendar) meanwhile.
        if (!m_starts || position >= m_starts->size())
            return (*m_sessions)[position]->startedAt();
        return Instant::fromMSecsSinceEpoch((*m_starts)[position]);
    }

    class const_iterator {
    public:
        const_iterator(const PickedSessions* picked, std::size_t index)
            : m_picked(picked)
            , m_index(index) {}
        const PracticeSessionPtr& operator*() const { return (*m_picked)[m_index]; }
        const_iterator& operator++() {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

    private:
        const PickedSessions* m_picked;
        std::size_t m_index;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    const std::vector<PracticeSessionPtr>* m_sessions = nullptr;
    const std::vector<std::uint32_t>* m_positions = nullptr;
    const std::vector<std::int64_t>* m_starts = nullptr;
};

/// The searchable texts of a list of sessions, in the form the search compares (case folded under
/// the calendar's locale, composed, no-break spaces plain), one after the other in one UTF-8
/// buffer. Folding happens once per session when its text is written, never per keystroke, and a
/// search is a scan of that buffer that reads no record and allocates nothing but its result.
/// Mostly-English journals are plain ASCII, so a session costs about its text's length in bytes;
/// the session's title, which repeats its first titled entry's, is written only once.
class JournalSearchTexts {
public:
    /// A search text, trimmed, in the same form as the texts.
    struct Query {
        QString trimmed;
        std::string searchForm;

        bool isBlank() const { return searchForm.empty(); }
    };

    static Query query(QStringView text, const Calendar& calendar);
    /// The text as the search reads it, before folding (see JournalSessionFilter).
    static QString searchableText(const PracticeSession& session, const Calendar& calendar);
    /// True when every text that holds `longer` holds `shorter`, so that `longer` may look only
    /// through the matches of `shorter`.
    static bool extends(const Query& longer, const Query& shorter);

    void clear();
    std::size_t size() const { return m_ends.size(); }
    /// The start of each session written, in milliseconds since the epoch.
    const std::vector<std::int64_t>& starts() const { return m_starts; }
    /// Appends the text of `session` at `revision` (see JournalStore::revisionOf). From
    /// `previous`, texts of the same calendar: the whole text when it holds this session at this
    /// revision, else the dates when it holds texts of the same start; the rest is formatted.
    /// Returns true when it formatted dates.
    bool append(const PracticeSession& session, const Calendar& calendar,
                const JournalSearchTexts* previous, std::uint32_t revision = 0);

    /// The positions of the texts that hold `query`, in order.
    void findAll(const Query& query, std::vector<std::uint32_t>& positions) const;
    /// Keeps only the positions whose text holds `query`, in place.
    void keepHolding(const Query& query, std::vector<std::uint32_t>& positions) const;
    bool holds(std::size_t position, const Query& query) const;

    /// Bytes held, buffers' capacity included.
    std::size_t memoryBytes() const;
    void reserveLike(const JournalSearchTexts& other);
    /// Room for `count` texts as long on average as those written so far.
    void reserveFor(std::size_t count);
    void shrinkToFit();

private:
    /// Where a text's title stands further on in it, when it does not stand at its start.
    struct TitleReference {
        std::uint16_t offset = 0;
        /// 0 when the title stands at the start.
        std::uint8_t length = 0;
    };
    /// Drops the title at the start of the text being written from `begin` when it stands again
    /// further on.
    TitleReference referToTitleFurtherOn(std::size_t begin, std::size_t titleLength);
    /// True when `query` stands across the end of a title that is not written at the start of its
    /// text and the start of the text.
    bool runsOnFromTitle(std::size_t position, const Query& query) const;

    std::string_view textAt(std::size_t position) const;
    /// The first position whose start is not newer than `start`.
    std::size_t firstAtOrBefore(Instant start) const;
    std::optional<std::string_view> datesOf(Instant start) const;
    std::optional<std::size_t> positionOf(Instant start, std::uint32_t revision) const;
    void appendCopy(const JournalSearchTexts& other, std::size_t position);
    void reserve(std::size_t textBytes, std::size_t count);

    ByteBuffer m_text;
    /// Where each text ends in m_text.
    std::vector<std::uint32_t> m_ends;
    /// Each session's start, to find its dates again when the list changes.
    std::vector<std::int64_t> m_starts;
    /// Where the dates stand inside each text, and their length; 0xFFFF when they stand too far.
    std::vector<std::uint16_t> m_datesOffsets;
    std::vector<std::uint8_t> m_datesLengths;
    /// The store revision each text was written at, which names one session in one state (see
    /// JournalStore::revisionOf); 0 when it was not known.
    std::vector<std::uint32_t> m_revisions;
    /// Where the title stands in each text that does not start with it (see TitleReference).
    std::vector<std::uint16_t> m_titleOffsets;
    std::vector<std::uint8_t> m_titleLengths;
};

/// The search texts of a store's sessions, in the order of its newest-first list, kept for the
/// life of the store and shared by every screen that searches it.
///
/// A change of the journal may move sessions in the list, so every change starts the texts over;
/// the text of a session whose store revision stayed the same is copied from the texts before the
/// change, and so are the dates of every start it knew, so writing them all again costs a
/// fraction of the first time. Texts are written by
/// prepare() in slices from idle moments (JournalSearchWarmUp), or all at once by the first search
/// that needs them. Main thread only.
class JournalSearchIndex final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JournalSearchIndex)

public:
    /// The index of `store`, made on first use and gone with the store.
    static JournalSearchIndex& of(const JournalStore& store);

    /// Sessions found by a search, as positions in the store's list at the time.
    struct Matches {
        JournalSearchTexts::Query query;
        std::vector<std::uint32_t> positions;
        /// The index's state they were found in; other states make them stale.
        std::uint64_t generation = 0;
    };

    struct Preparation {
        /// Sessions whose texts are written, from the top of the list.
        std::size_t next = 0;
        /// Date texts this call formatted rather than copied.
        std::size_t formatted = 0;
    };

    /// Writes the texts of up to `count` more sessions under `calendar` (texts of another
    /// calendar are dropped first).
    Preparation prepare(const Calendar& calendar, std::size_t count);
    /// True when every session's text is written under `calendar`.
    bool isComplete(const Calendar& calendar) const;
    std::size_t preparedCount() const { return m_texts.size(); }
    /// The start of every session of the store's list, in its order, once all texts are written.
    const std::vector<std::int64_t>* listStarts() const;

    /// The sessions whose text holds `query`, writing first whatever texts are missing.
    Matches find(QStringView query, const Calendar& calendar);
    /// Narrows `matches` in place to `longerQuery` when it extends their query and they are
    /// current; false otherwise (the caller then calls find()). `changed` tells whether any
    /// match went.
    bool narrow(Matches& matches, QStringView longerQuery, bool* changed = nullptr);
    bool isCurrent(const Matches& matches) const { return matches.generation == m_generation; }

    /// Bytes the texts hold now.
    std::size_t memoryBytes() const { return m_texts.memoryBytes() + m_previous.memoryBytes(); }

private:
    explicit JournalSearchIndex(const JournalStore& store);
    void startOver();
    void useCalendar(const Calendar& calendar);

    const JournalStore& m_store;
    std::optional<Calendar> m_calendar;
    JournalSearchTexts m_texts;
    /// The texts from before the last changes, for their dates, until m_texts is complete.
    JournalSearchTexts m_previous;
    std::uint64_t m_generation = 1;
};

} // namespace brevanta
