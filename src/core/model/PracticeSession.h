// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"
#include "core/model/CompactFields.h"
#include "core/model/PracticeCategory.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeRecordObserver.h"
#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace brevanta {

/// One period of practice: when it started, how long it lasted, how it came into the journal,
/// free notes and its entries. A live record: every write is seen by the store that tracks it.
/// Equality is identity: two handles are the same session when they point at the same record.
class PracticeSession : public std::enable_shared_from_this<PracticeSession> {
    struct Passkey {
        explicit Passkey() = default;
    };

public:
    class ValidationError : public BrevantaError {
    public:
        enum Case { durationMustBePositive, durationOutOfRange };

        explicit ValidationError(Case errorCase)
            : m_case(errorCase) {}
        Case errorCase() const { return m_case; }
        QString description() const override;

    private:
        Case m_case;
    };

    /// Validates the duration, derives the end and normalises the notes, then points every
    /// given entry at the new session. Throws ValidationError and then makes no record.
    static PracticeSessionPtr create(QUuid id, Instant startedAt, std::int64_t durationSeconds,
                                     PracticeSessionSource source, std::optional<QString> notes,
                                     std::vector<PracticeEntryPtr> entries, Instant createdAt);

    /// The end of a session of `source` that starts at `startedAt` and lasts `durationSeconds`.
    /// Throws ValidationError: a zero duration is accepted for imported sessions only, a negative
    /// one never, and the end must be an instant the journal can represent.
    static Instant validatedEnd(Instant startedAt, std::int64_t durationSeconds,
                                PracticeSessionSource source);

    /// A record holding the stored defaults; made only through create() and by the store.
    explicit PracticeSession(Passkey) {}
    /// Entries that outlive their session belong to no session afterwards.
    ~PracticeSession();
    PracticeSession(const PracticeSession&) = delete;
    PracticeSession& operator=(const PracticeSession&) = delete;

    QUuid id() const { return m_fields.id; }
    Instant startedAt() const { return m_fields.startedAt; }
    Instant endedAt() const { return m_fields.endedAt; }
    std::int64_t durationSeconds() const { return m_fields.durationSeconds; }
    const QString& sourceRawValue() const { return m_fields.sourceRawValue.text(); }
    /// The lenient reading of the stored source: unknown text reads as manual.
    PracticeSessionSource source() const;
    std::optional<QString> notes() const { return m_fields.notes.toOptional(); }
    Instant createdAt() const { return m_fields.createdAt; }
    /// Empty until the first successful applyEdits, then that edit's instant.
    std::optional<Instant> updatedAt() const { return m_fields.updatedAt.get(); }

    /// The entries in storage order.
    const std::vector<PracticeEntryPtr>& storedEntries() const { return m_fields.storedEntries; }
    /// The entries in display order: by group, then sortOrder, then createdAt; ties keep their
    /// storage order.
    std::vector<PracticeEntryPtr> entries() const;
    /// Replaces the entries with `entries` in the given order and points each at this session.
    /// Entries that leave the list are not deleted; they belong to no session afterwards.
    void setEntries(std::vector<PracticeEntryPtr> entries);

    /// The first non-empty entry title in display order, or "Practice Session".
    QString title() const;

    /// Replaces the editable content. Every check runs first; a failure assigns nothing.
    void applyEdits(Instant startedAt, std::int64_t durationSeconds, std::optional<QString> notes,
                    std::vector<PracticeEntryPtr> entries, Instant modifiedAt);

    /// True once the session was deleted from its store, saved or not.
    bool isDeleted() const { return m_tracking.state == PracticeRecordTracking::State::deleted; }

private:
    friend class PracticeEntry;
    friend struct PracticeRecordAccess;

    struct StoredFields {
        QUuid id;
        Instant startedAt;
        Instant endedAt;
        std::int64_t durationSeconds = 1;
        SharedRawValue sourceRawValue{u"manual"};
        /// Null when there are none.
        CompactText notes;
        Instant createdAt;
        PackedOptional<Instant> updatedAt;
        std::vector<PracticeEntryPtr> storedEntries;
    };

    template <typename Apply> void write(SessionField field, Apply&& apply);
    void writeStoredEntries(std::vector<PracticeEntryPtr> entries);
    void removeStoredEntry(const PracticeEntry* entry);
    void appendStoredEntry(const PracticeEntryPtr& entry);
    void replaceEntries(std::vector<PracticeEntryPtr> entries);

    StoredFields m_fields;
    PracticeRecordTracking m_tracking;
};

} // namespace brevanta
