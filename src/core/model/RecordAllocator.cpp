// SPDX-License-Identifier: MIT
#include "core/model/RecordAllocator.h"

#include <algorithm>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define BREVANTA_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define BREVANTA_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define BREVANTA_POISON(address, size) ((void)(address), (void)(size))
#define BREVANTA_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace brevanta {

namespace {

// Small enough that the unused end of the newest slab stays a rounding error for a small
// journal, large enough that slabs are few for a large one.
constexpr std::size_t slabBytes = 16 * 1024;

std::size_t roundedUp(std::size_t size, std::size_t alignment) {
    alignment = std::max(alignment, alignof(void*));
    return (std::max(size, sizeof(void*)) + alignment - 1) / alignment * alignment;
}

} // namespace

FixedBlockPool::FixedBlockPool(std::size_t blockSize, std::size_t blockAlignment)
    : m_blockSize(roundedUp(blockSize, blockAlignment)) {}

FixedBlockPool::~FixedBlockPool() {
    for (const std::unique_ptr<std::byte[]>& slab : m_slabs)
        BREVANTA_UNPOISON(slab.get(), std::max(slabBytes, m_blockSize));
}

void* FixedBlockPool::take() {
    const std::lock_guard lock(m_mutex);
    if (FreeBlock* block = m_free) {
        // A block given back is poisoned under the address sanitizer, so that a record used
        // after it died is still caught: it is opened again before its link is read.
        BREVANTA_UNPOISON(block, m_blockSize);
        m_free = block->next;
        return block;
    }
    if (std::size_t(m_unusedEnd - m_unused) < m_blockSize) {
        const std::size_t bytes = std::max(slabBytes, m_blockSize);
        m_slabs.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
        std::byte* slab = m_slabs.back().get();
        m_unused = slab;
        m_unusedEnd = slab + bytes;
        BREVANTA_POISON(slab, bytes);
    }
    std::byte* block = m_unused;
    m_unused += m_blockSize;
    BREVANTA_UNPOISON(block, m_blockSize);
    return block;
}

void FixedBlockPool::give(void* block) noexcept {
    if (!block)
        return;
    const std::lock_guard lock(m_mutex);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = m_free;
    m_free = freed;
    BREVANTA_POISON(block, m_blockSize);
}

} // namespace brevanta
