// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVImporter.h"

#include "core/model/PracticeEntry.h"
#include "core/store/JournalStore.h"
#include "core/time/TextServices.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

namespace brevanta {

namespace {

constexpr std::int64_t msecsPerDay = 86'400'000;

std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

bool isWithin(std::int64_t first, std::int64_t second, std::int64_t tolerance) {
    const auto distance = first >= second ? std::uint64_t(first) - std::uint64_t(second)
                                          : std::uint64_t(second) - std::uint64_t(first);
    return distance <= std::uint64_t(tolerance);
}

std::int64_t saturatingSum(std::int64_t sum, std::int64_t addend) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(sum, addend, &result))
        return addend > 0 ? std::numeric_limits<std::int64_t>::max()
                          : std::numeric_limits<std::int64_t>::min();
    return result;
}

bool usesTurkicCaseRules(const QString& localeName) {
    const QString language = localeName.section(u'_', 0, 0).section(u'-', 0, 0);
    return language == u"tr" || language == u"az";
}

// The entries of a session or candidate as comparable text: "group|title" with the title folded
// for case and accents and its white space collapsed, sorted so that order does not matter.
class EntrySignatures {
public:
    explicit EntrySignatures(const Calendar& calendar)
        : m_localeName(calendar.localeName())
        , m_asciiFoldsPlainly(!usesTurkicCaseRules(m_localeName)) {}

    QStringList of(const PracticeImportCandidate& candidate) const {
        QStringList signature;
        for (const PracticeImportEntry& entry : candidate.entries)
            signature << line(entry.category.rawValue(), entry.title);
        signature.sort();
        return signature;
    }

    const QStringList& of(const PracticeSession& session) {
        auto found = m_sessions.find(&session);
        if (found == m_sessions.end()) {
            QStringList signature;
            for (const PracticeEntryPtr& entry : session.entries())
                signature << line(entry->category().rawValue(), entry->title());
            signature.sort();
            found = m_sessions.insert(&session, signature);
        }
        return *found;
    }

private:
    QString line(const QString& categoryRawValue, const QString& title) const {
        return categoryRawValue + u'|' + normalizedTitle(title);
    }

    QString normalizedTitle(QStringView title) const {
        const bool ascii = std::all_of(title.begin(), title.end(),
                                       [](QChar character) { return character.unicode() < 0x80; });
        // Plain ASCII has no accents, and outside Turkic case rules folds as it lower-cases.
        const QString folded = ascii && m_asciiFoldsPlainly
                                   ? title.toString().toLower()
                                   : TextServices::caseAndDiacriticFolded(title, m_localeName);
        return TextServices::splitAtWhitespace(folded).join(u' ');
    }

    QString m_localeName;
    bool m_asciiFoldsPlainly = true;
    QHash<const PracticeSession*, QStringList> m_sessions;
};

// The calendar days of the candidates, each with the sessions that start on it.
class CandidateDays {
public:
    static constexpr int noDay = -1;

    CandidateDays(std::span<const PracticeImportCandidate> candidates, const Calendar& calendar) {
        QHash<std::int64_t, int> dayOfDate;
        m_dayOfCandidate.reserve(candidates.size());
        for (const PracticeImportCandidate& candidate : candidates) {
            if (!candidate.year) {
                m_dayOfCandidate.push_back(noDay);
                continue;
            }
            const std::int64_t dateKey =
                (std::int64_t(*candidate.year) * 16 + candidate.month) * 64 + candidate.day;
            auto known = dayOfDate.constFind(dateKey);
            if (known == dayOfDate.cend())
                known = dayOfDate.insert(dateKey, addDay(candidate.date(calendar), calendar));
            m_dayOfCandidate.push_back(*known);
        }
    }

    // One pass: a session is looked up by the UTC day it starts in, which at most a few
    // candidate days overlap.
    void collect(const std::vector<PracticeSessionPtr>& existing) {
        for (const PracticeSessionPtr& session : existing) {
            const std::int64_t start = session->startedAt().msecsSinceEpoch();
            const auto bucket = m_daysByUtcDay.constFind(floorDiv(start, msecsPerDay));
            if (bucket == m_daysByUtcDay.cend())
                continue;
            for (const int index : *bucket) {
                Day& day = m_days[std::size_t(index)];
                if (day.start <= start && start < day.end) {
                    day.sessions.push_back(session.get());
                    break;
                }
            }
        }
    }

    const std::vector<const PracticeSession*>* sessionsOn(std::size_t candidateIndex) const {
        const int index = m_dayOfCandidate[candidateIndex];
        return index == noDay ? nullptr : &m_days[std::size_t(index)].sessions;
    }

private:
    struct Day {
        std::int64_t start = 0;
        std::int64_t end = 0;
        std::vector<const PracticeSession*> sessions;
    };

    int addDay(std::optional<Instant> noon, const Calendar& calendar) {
        if (!noon)
            return noDay;
        const std::optional<Instant> nextNoon = calendar.addingDays(*noon, 1);
        if (!nextNoon)
            return noDay;
        const std::int64_t start = calendar.startOfDay(*noon).msecsSinceEpoch();
        const std::int64_t end = calendar.startOfDay(*nextNoon).msecsSinceEpoch();
        // A calendar day spans two UTC days at most, more only in zones that moved across the
        // date line; nothing sane is longer than a few.
        const std::int64_t firstBucket = floorDiv(start, msecsPerDay);
        const std::int64_t lastBucket = floorDiv(end - 1, msecsPerDay);
        if (end <= start || lastBucket - firstBucket > 3)
            return noDay;
        const int index = int(m_days.size());
        m_days.push_back({start, end, {}});
        for (std::int64_t bucket = firstBucket; bucket <= lastBucket; ++bucket)
            m_daysByUtcDay[bucket].push_back(index);
        return index;
    }

    std::vector<Day> m_days;
    std::vector<int> m_dayOfCandidate;
    QHash<std::int64_t, std::vector<int>> m_daysByUtcDay;
};

} // namespace

PracticeCSVImporter::Conflicts
PracticeCSVImporter::conflicts(std::span<const PracticeImportCandidate> candidates,
                               const std::vector<PracticeSessionPtr>& existing) const {
    CandidateDays days(candidates, m_calendar);
    days.collect(existing);
    EntrySignatures signatures(m_calendar);

    Conflicts conflicts;
    for (std::size_t index = 0; index < candidates.size(); ++index) {
        const std::vector<const PracticeSession*>* sameDay = days.sessionsOn(index);
        if (!sameDay || sameDay->empty())
            continue;
        const PracticeImportCandidate& candidate = candidates[index];
        std::optional<QStringList> candidateSignature;
        PracticeImportConflict conflict = PracticeImportConflict::sameDay;
        for (const PracticeSession* session : *sameDay) {
            if (!isWithin(session->durationSeconds(), candidate.durationSeconds,
                          m_durationTolerance))
                continue;
            if (!candidateSignature)
                candidateSignature = signatures.of(candidate);
            if (signatures.of(*session) == *candidateSignature) {
                conflict = PracticeImportConflict::likelyDuplicate;
                break;
            }
        }
        conflicts.insert(candidate.id, conflict);
    }
    return conflicts;
}

PracticeImportSummary PracticeCSVImporter::commit(
    std::span<const PracticeImportCandidate> candidates, PracticeImportConflictPolicy policy,
    const QSet<QUuid>& individuallyApproved, const std::vector<PracticeSessionPtr>& existing,
    std::int64_t rowsSkipped, JournalStore& store, const SaveAction& save) const {
    const Conflicts found = conflicts(candidates, existing);

    PracticeImportSummary summary;
    summary.rowsSkipped = rowsSkipped;
    std::vector<const PracticeImportCandidate*> selected;
    for (const PracticeImportCandidate& candidate : candidates) {
        if (!candidate.year)
            continue;
        const auto conflict = found.constFind(candidate.id);
        const bool approved = policy == PracticeImportConflictPolicy::reviewIndividually &&
                              individuallyApproved.contains(candidate.id);
        if (conflict == found.cend()) {
            selected.push_back(&candidate);
        } else if (*conflict == PracticeImportConflict::likelyDuplicate) {
            if (policy == PracticeImportConflictPolicy::importAnyway || approved)
                selected.push_back(&candidate);
            else
                ++summary.duplicatesSkipped;
        } else if (policy != PracticeImportConflictPolicy::reviewIndividually || approved) {
            selected.push_back(&candidate);
        }
    }

    const JournalStore::ChangeBatch batch(store);
    try {
        for (const PracticeImportCandidate* candidate : selected) {
            // A year supplied after parsing may not have the day (Feb 29 of a common year).
            const std::optional<Instant> date = candidate->date(m_calendar);
            if (!date)
                continue;
            std::vector<PracticeEntryPtr> entries;
            std::int64_t sortOrder = 0;
            for (const PracticeImportEntry& entry : candidate->entries)
                entries.push_back(PracticeEntry::create(QUuid::createUuid(), entry.title,
                                                        entry.category, entry.durationSeconds,
                                                        std::nullopt, sortOrder++, nullptr, *date));
            store.insert(PracticeSession::create(
                QUuid::createUuid(), *date, candidate->durationSeconds,
                PracticeSessionSource::imported, std::nullopt, std::move(entries), *date));
            ++summary.importedCount;
            summary.importedSeconds =
                saturatingSum(summary.importedSeconds, candidate->durationSeconds);
            summary.dates.push_back(*date);
        }
        if (save)
            save();
        else
            store.save();
    } catch (...) {
        store.rollback();
        throw;
    }
    return summary;
}

} // namespace brevanta
