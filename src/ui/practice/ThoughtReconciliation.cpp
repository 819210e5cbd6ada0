// SPDX-License-Identifier: MIT
#include "ui/practice/ThoughtReconciliation.h"

#include <QHash>
#include <QUuid>

namespace brevanta {

namespace {

QHash<QUuid, const ActiveThoughtDraft*> byId(const std::vector<ActiveThoughtDraft>& thoughts) {
    QHash<QUuid, const ActiveThoughtDraft*> index;
    index.reserve(qsizetype(thoughts.size()));
    for (const ActiveThoughtDraft& thought : thoughts)
        index.insert(thought.id, &thought);
    return index;
}

} // namespace

std::vector<ActiveThoughtDraft>
ThoughtReconciliation::merged(const std::vector<ActiveThoughtDraft>& room,
                              const std::vector<ActiveThoughtDraft>& base,
                              const std::vector<ActiveThoughtDraft>& controller) {
    const auto inBase = byId(base);
    const auto inController = byId(controller);
    const auto inRoom = byId(room);

    std::vector<ActiveThoughtDraft> result;
    result.reserve(room.size() + controller.size());
    for (const ActiveThoughtDraft& thought : room) {
        const ActiveThoughtDraft* before = inBase.value(thought.id);
        const ActiveThoughtDraft* now = inController.value(thought.id);
        if (before && !now)
            continue;
        ActiveThoughtDraft kept = thought;
        if (before && now && before->text == thought.text && now->text != before->text)
            kept.text = now->text;
        result.push_back(kept);
    }
    for (const ActiveThoughtDraft& thought : controller) {
        if (!inBase.contains(thought.id) && !inRoom.contains(thought.id))
            result.push_back(thought);
    }
    for (std::size_t index = 0; index < result.size(); ++index)
        result[index].sortOrder = std::int64_t(index);
    return result;
}

} // namespace brevanta
