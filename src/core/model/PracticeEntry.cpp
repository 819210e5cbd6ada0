// SPDX-License-Identifier: MIT
#include "core/model/PracticeEntry.h"

#include "core/model/PracticeSession.h"
#include "core/model/RecordAllocator.h"
#include "core/model/TextNormalization.h"

#include <utility>

namespace brevanta {

QString PracticeEntry::ValidationError::description() const {
    switch (m_case) {
    case titleRequired:
        return QStringLiteral("Every practice entry needs a title.");
    case durationCannotBeNegative:
        return QStringLiteral("Entry duration cannot be negative.");
    case sortOrderCannotBeNegative:
        return QStringLiteral("Entry order cannot be negative.");
    }
    Q_UNREACHABLE();
    return {};
}

PracticeEntryPtr PracticeEntry::create(QUuid id, QString title, PracticeCategory category,
                                       std::optional<std::int64_t> durationSeconds,
                                       std::optional<QString> notes, std::int64_t sortOrder,
                                       const PracticeSessionPtr& session, Instant createdAt) {
    QString trimmedTitle = TextNormalization::trimmed(title);
    if (durationSeconds && *durationSeconds < 0)
        throw ValidationError(ValidationError::durationCannotBeNegative);
    if (sortOrder < 0)
        throw ValidationError(ValidationError::sortOrderCannotBeNegative);

    auto entry = std::allocate_shared<PracticeEntry>(RecordAllocator<PracticeEntry>(), Passkey{});
    StoredFields& fields = entry->m_fields;
    fields.id = id;
    fields.title = CompactText(trimmedTitle);
    fields.categoryRawValue = SharedRawValue(category.rawValue());
    fields.durationSeconds = durationSeconds;
    fields.notes = CompactText::fromOptional(TextNormalization::normalizedNotes(notes));
    fields.sortOrder = sortOrder;
    fields.createdAt = createdAt;
    if (session)
        entry->setSession(session);
    return entry;
}

PracticeCategory PracticeEntry::category() const {
    return PracticeCategory::fromPersistedRawValue(m_fields.categoryRawValue.text());
}

PracticeSessionPtr PracticeEntry::session() const {
    // Empty while the session is being destroyed, as it is for everyone else then.
    return m_fields.session ? m_fields.session->weak_from_this().lock() : nullptr;
}

template <typename Apply> void PracticeEntry::write(EntryField field, Apply&& apply) {
    PracticeRecordObserver* observer = m_tracking.observer();
    if (observer)
        observer->entryWillChange(*this, field);
    std::forward<Apply>(apply)();
    if (observer)
        observer->entryDidChange(*this, field);
}

void PracticeEntry::setId(QUuid id) {
    if (id != m_fields.id)
        write(EntryField::id, [&] { m_fields.id = id; });
}

void PracticeEntry::setTitle(const QString& title) {
    QString trimmedTitle = TextNormalization::trimmed(title);
    if (trimmedTitle != m_fields.title.toString())
        write(EntryField::title, [&] { m_fields.title = CompactText(trimmedTitle); });
}

void PracticeEntry::setCategory(PracticeCategory category) {
    const SharedRawValue rawValue(category.rawValue());
    if (rawValue != m_fields.categoryRawValue)
        write(EntryField::categoryRawValue, [&] { m_fields.categoryRawValue = rawValue; });
}

void PracticeEntry::setDurationSeconds(std::optional<std::int64_t> durationSeconds) {
    if (durationSeconds && *durationSeconds < 0)
        throw ValidationError(ValidationError::durationCannotBeNegative);
    if (durationSeconds != m_fields.durationSeconds.get())
        write(EntryField::durationSeconds, [&] { m_fields.durationSeconds = durationSeconds; });
}

void PracticeEntry::setNotes(const std::optional<QString>& notes) {
    std::optional<QString> normalized = TextNormalization::normalizedNotes(notes);
    if (normalized != m_fields.notes.toOptional())
        write(EntryField::notes, [&] { m_fields.notes = CompactText::fromOptional(normalized); });
}

void PracticeEntry::setSortOrder(std::int64_t sortOrder) {
    if (sortOrder < 0)
        throw ValidationError(ValidationError::sortOrderCannotBeNegative);
    if (sortOrder != m_fields.sortOrder)
        write(EntryField::sortOrder, [&] { m_fields.sortOrder = sortOrder; });
}

void PracticeEntry::setCreatedAt(Instant createdAt) {
    if (createdAt != m_fields.createdAt)
        write(EntryField::createdAt, [&] { m_fields.createdAt = createdAt; });
}

void PracticeEntry::setUpdatedAt(std::optional<Instant> updatedAt) {
    if (updatedAt != m_fields.updatedAt.get())
        write(EntryField::updatedAt, [&] { m_fields.updatedAt = updatedAt; });
}

void PracticeEntry::setSession(const PracticeSessionPtr& session) {
    const PracticeSessionPtr previous = this->session();
    if (previous == session)
        return;
    const PracticeRecordChangeGroup group(m_tracking.observer());
    if (previous)
        previous->removeStoredEntry(this);
    if (session)
        session->appendStoredEntry(shared_from_this());
    writeSessionReference(session);
}

void PracticeEntry::writeSessionReference(const PracticeSessionPtr& session) {
    if (m_fields.session != session.get())
        write(EntryField::session, [&] { m_fields.session = session.get(); });
}

} // namespace brevanta
