// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"
#include "core/model/CompactFields.h"
#include "core/model/PracticeCategory.h"
#include "core/model/PracticeRecordObserver.h"
#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

#include <cstdint>
#include <memory>
#include <optional>

namespace brevanta {

class PracticeSession;
class PracticeEntry;
using PracticeSessionPtr = std::shared_ptr<PracticeSession>;
using PracticeEntryPtr = std::shared_ptr<PracticeEntry>;

/// One line of a session's journal page: a title, its practice group, an optional duration and
/// optional notes. A live record: every write is seen by the store that tracks it.
class PracticeEntry : public std::enable_shared_from_this<PracticeEntry> {
    struct Passkey {
        explicit Passkey() = default;
    };

public:
    class ValidationError : public BrevantaError {
    public:
        enum Case { titleRequired, durationCannotBeNegative, sortOrderCannotBeNegative };

        explicit ValidationError(Case errorCase)
            : m_case(errorCase) {}
        Case errorCase() const { return m_case; }
        QString description() const override;

    private:
        Case m_case;
    };

    /// Trims the title (an empty title is accepted) and normalises the notes. Throws
    /// ValidationError; a negative duration is reported before a negative order. Assigning the
    /// session also appends the entry to that session's entries.
    static PracticeEntryPtr create(QUuid id, QString title, PracticeCategory category,
                                   std::optional<std::int64_t> durationSeconds,
                                   std::optional<QString> notes, std::int64_t sortOrder,
                                   const PracticeSessionPtr& session, Instant createdAt);

    /// A record holding the stored defaults; made only through create() and by the store.
    explicit PracticeEntry(Passkey) {}
    PracticeEntry(const PracticeEntry&) = delete;
    PracticeEntry& operator=(const PracticeEntry&) = delete;

    QUuid id() const { return m_fields.id; }
    QString title() const { return m_fields.title.toString(); }
    const QString& categoryRawValue() const { return m_fields.categoryRawValue.text(); }
    /// The lenient reading of the stored group: unknown text reads as Look Back.
    PracticeCategory category() const;
    std::optional<std::int64_t> durationSeconds() const { return m_fields.durationSeconds.get(); }
    std::optional<QString> notes() const { return m_fields.notes.toOptional(); }
    std::int64_t sortOrder() const { return m_fields.sortOrder; }
    Instant createdAt() const { return m_fields.createdAt; }
    std::optional<Instant> updatedAt() const { return m_fields.updatedAt.get(); }
    PracticeSessionPtr session() const;

    void setId(QUuid id);
    /// Stores the title trimmed.
    void setTitle(const QString& title);
    /// Stores the exact raw value of the category.
    void setCategory(PracticeCategory category);
    /// Throws ValidationError (durationCannotBeNegative) for a negative count.
    void setDurationSeconds(std::optional<std::int64_t> durationSeconds);
    /// Stores the notes normalised.
    void setNotes(const std::optional<QString>& notes);
    /// Throws ValidationError (sortOrderCannotBeNegative) for a negative order.
    void setSortOrder(std::int64_t sortOrder);
    void setCreatedAt(Instant createdAt);
    void setUpdatedAt(std::optional<Instant> updatedAt);
    /// Moves the entry: it leaves its old session's entries and joins the end of the new one's.
    void setSession(const PracticeSessionPtr& session);

    /// True once the entry was deleted from its store, saved or not.
    bool isDeleted() const { return m_tracking.state == PracticeRecordTracking::State::deleted; }

private:
    friend class PracticeSession;
    friend struct PracticeRecordAccess;

    struct StoredFields {
        QUuid id;
        CompactText title;
        SharedRawValue categoryRawValue{u"lookBack"};
        PackedOptional<std::int64_t> durationSeconds;
        /// Null when there are none.
        CompactText notes;
        std::int64_t sortOrder = 0;
        Instant createdAt;
        PackedOptional<Instant> updatedAt;
        /// Not a hold: the session holds its entries, and clears this when it goes first.
        PracticeSession* session = nullptr;
    };

    template <typename Apply> void write(EntryField field, Apply&& apply);
    /// Re-points the back-reference only; the caller keeps the session's list in step.
    void writeSessionReference(const PracticeSessionPtr& session);

    StoredFields m_fields;
    PracticeRecordTracking m_tracking;
};

} // namespace brevanta
