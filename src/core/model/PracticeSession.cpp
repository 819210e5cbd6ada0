// SPDX-License-Identifier: MIT
#include "core/model/PracticeSession.h"

#include "core/model/RecordAllocator.h"
#include "core/model/TextNormalization.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>
#include <utility>

namespace brevanta {

namespace {

// Display order: group, then position within the group, then creation.
auto displayKey(const PracticeEntry& entry) {
    return std::tuple(entry.category().sortIndex(), entry.sortOrder(),
                      entry.createdAt().msecsSinceEpoch());
}

} // namespace

QString PracticeSession::ValidationError::description() const {
    switch (m_case) {
    case durationMustBePositive:
        return QStringLiteral("Practice duration must be greater than zero.");
    case durationOutOfRange:
        return QStringLiteral("Practice duration is too large to save safely.");
    }
    Q_UNREACHABLE();
    return {};
}

Instant PracticeSession::validatedEnd(Instant startedAt, std::int64_t durationSeconds,
                                      PracticeSessionSource source) {
    // Imported days may carry notes without any time, so only they may last zero seconds.
    if (durationSeconds == 0 && source != PracticeSessionSource::imported)
        throw ValidationError(ValidationError::durationMustBePositive);
    if (durationSeconds < 0)
        throw ValidationError(ValidationError::durationMustBePositive);
    const std::optional<Instant> end = startedAt.addingSeconds(durationSeconds);
    if (!end)
        throw ValidationError(ValidationError::durationOutOfRange);
    return *end;
}

PracticeSessionPtr
PracticeSession::create(QUuid id, Instant startedAt, std::int64_t durationSeconds,
                        PracticeSessionSource source, std::optional<QString> notes,
                        std::vector<PracticeEntryPtr> entries, Instant createdAt) {
    const Instant endedAt = validatedEnd(startedAt, durationSeconds, source);

    auto session =
        std::allocate_shared<PracticeSession>(RecordAllocator<PracticeSession>(), Passkey{});
    StoredFields& fields = session->m_fields;
    fields.id = id;
    fields.startedAt = startedAt;
    fields.endedAt = endedAt;
    fields.durationSeconds = durationSeconds;
    fields.sourceRawValue = SharedRawValue(source.rawValue());
    fields.notes = CompactText::fromOptional(TextNormalization::normalizedNotes(notes));
    fields.createdAt = createdAt;
    session->replaceEntries(std::move(entries));
    return session;
}

PracticeSessionSource PracticeSession::source() const {
    return PracticeSessionSource::fromPersistedRawValue(m_fields.sourceRawValue.text());
}

std::vector<PracticeEntryPtr> PracticeSession::entries() const {
    std::vector<PracticeEntryPtr> ordered = m_fields.storedEntries;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const PracticeEntryPtr& left, const PracticeEntryPtr& right) {
                         return displayKey(*left) < displayKey(*right);
                     });
    return ordered;
}

void PracticeSession::setEntries(std::vector<PracticeEntryPtr> entries) {
    replaceEntries(std::move(entries));
}

QString PracticeSession::title() const {
    // The first titled entry in display order, found without sorting: the journal asks for the
    // titles of every session on each search.
    const PracticeEntry* first = nullptr;
    for (const PracticeEntryPtr& entry : m_fields.storedEntries) {
        if (entry->m_fields.title.isEmpty())
            continue;
        if (!first || displayKey(*entry) < displayKey(*first))
            first = entry.get();
    }
    return first ? first->title() : QStringLiteral("Practice Session");
}

void PracticeSession::applyEdits(Instant startedAt, std::int64_t durationSeconds,
                                 std::optional<QString> notes,
                                 std::vector<PracticeEntryPtr> entries, Instant modifiedAt) {
    const Instant endedAt = validatedEnd(startedAt, durationSeconds, source());
    std::optional<QString> normalizedNotes = TextNormalization::normalizedNotes(notes);

    const PracticeRecordChangeGroup group(m_tracking.observer());
    if (startedAt != m_fields.startedAt)
        write(SessionField::startedAt, [&] { m_fields.startedAt = startedAt; });
    if (endedAt != m_fields.endedAt)
        write(SessionField::endedAt, [&] { m_fields.endedAt = endedAt; });
    if (durationSeconds != m_fields.durationSeconds)
        write(SessionField::durationSeconds, [&] { m_fields.durationSeconds = durationSeconds; });
    if (normalizedNotes != m_fields.notes.toOptional())
        write(SessionField::notes,
              [&] { m_fields.notes = CompactText::fromOptional(normalizedNotes); });
    replaceEntries(std::move(entries));
    if (m_fields.updatedAt.get() != modifiedAt)
        write(SessionField::updatedAt, [&] { m_fields.updatedAt = std::optional(modifiedAt); });
}

PracticeSession::~PracticeSession() {
    // The entries point back without holding the session.
    for (const PracticeEntryPtr& entry : m_fields.storedEntries) {
        if (entry->m_fields.session == this)
            entry->m_fields.session = nullptr;
    }
}

template <typename Apply> void PracticeSession::write(SessionField field, Apply&& apply) {
    PracticeRecordObserver* observer = m_tracking.observer();
    if (observer)
        observer->sessionWillChange(*this, field);
    std::forward<Apply>(apply)();
    if (observer)
        observer->sessionDidChange(*this, field);
}

void PracticeSession::writeStoredEntries(std::vector<PracticeEntryPtr> entries) {
    if (entries != m_fields.storedEntries)
        write(SessionField::storedEntries, [&] { m_fields.storedEntries = std::move(entries); });
}

void PracticeSession::removeStoredEntry(const PracticeEntry* entry) {
    const auto position = std::find_if(
        m_fields.storedEntries.begin(), m_fields.storedEntries.end(),
        [entry](const PracticeEntryPtr& candidate) { return candidate.get() == entry; });
    if (position == m_fields.storedEntries.end())
        return;
    const auto index = position - m_fields.storedEntries.begin();
    write(SessionField::storedEntries,
          [&] { m_fields.storedEntries.erase(m_fields.storedEntries.begin() + index); });
}

void PracticeSession::appendStoredEntry(const PracticeEntryPtr& entry) {
    if (std::find(m_fields.storedEntries.begin(), m_fields.storedEntries.end(), entry) !=
        m_fields.storedEntries.end())
        return;
    write(SessionField::storedEntries, [&] { m_fields.storedEntries.push_back(entry); });
}

void PracticeSession::replaceEntries(std::vector<PracticeEntryPtr> entries) {
    // A list names each entry once; empty handles name nothing.
    std::unordered_set<const PracticeEntry*> listed;
    std::vector<PracticeEntryPtr> list;
    list.reserve(entries.size());
    for (PracticeEntryPtr& entry : entries) {
        if (entry && listed.insert(entry.get()).second)
            list.push_back(std::move(entry));
    }

    const PracticeRecordChangeGroup group(m_tracking.observer());
    // An entry belongs to one session at most: it leaves the one it was in.
    for (const PracticeEntryPtr& entry : list) {
        const PracticeSessionPtr previous = entry->session();
        if (previous && previous.get() != this)
            previous->removeStoredEntry(entry.get());
    }
    const std::vector<PracticeEntryPtr> previousList = m_fields.storedEntries;
    writeStoredEntries(list);
    for (const PracticeEntryPtr& entry : previousList) {
        if (!listed.contains(entry.get()) && entry->m_fields.session == this)
            entry->writeSessionReference(nullptr);
    }
    const PracticeSessionPtr self = shared_from_this();
    for (const PracticeEntryPtr& entry : list)
        entry->writeSessionReference(self);
}

} // namespace brevanta
