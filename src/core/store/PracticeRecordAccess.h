// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/model/RecordAllocator.h"

#include <memory>

namespace brevanta {

/// The store's way into the records: their stored fields and its own bookkeeping on them.
/// Writes through here bypass the records' observers, so only the store uses it.
struct PracticeRecordAccess {
    using SessionFields = PracticeSession::StoredFields;
    using EntryFields = PracticeEntry::StoredFields;

    static PracticeSessionPtr makeSession() {
        return std::allocate_shared<PracticeSession>(RecordAllocator<PracticeSession>(),
                                                     PracticeSession::Passkey{});
    }
    static PracticeEntryPtr makeEntry() {
        return std::allocate_shared<PracticeEntry>(RecordAllocator<PracticeEntry>(),
                                                   PracticeEntry::Passkey{});
    }

    static SessionFields& fields(PracticeSession& session) { return session.m_fields; }
    static EntryFields& fields(PracticeEntry& entry) { return entry.m_fields; }
    static PracticeRecordTracking& tracking(PracticeSession& session) { return session.m_tracking; }
    static PracticeRecordTracking& tracking(PracticeEntry& entry) { return entry.m_tracking; }
    static const PracticeRecordTracking& tracking(const PracticeSession& session) {
        return session.m_tracking;
    }
    static const PracticeRecordTracking& tracking(const PracticeEntry& entry) {
        return entry.m_tracking;
    }
};

} // namespace brevanta
