// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace brevanta {

/// Blocks of one size, cut from larger slabs and kept on a free list once given back. A journal
/// holds hundreds of thousands of records of just two sizes; malloc puts a header of its own in
/// front of each (8 bytes, about 5% of an entry), which blocks cut from a slab do without.
/// Slabs stay with the pool as long as it lives: a record freed makes room for the next one. Any
/// thread may take and give, so records made on the loading thread can die on the main one.
class FixedBlockPool {
public:
    /// `blockSize` is rounded up to `blockAlignment`, which may not exceed what operator new
    /// guarantees.
    FixedBlockPool(std::size_t blockSize, std::size_t blockAlignment);
    FixedBlockPool(const FixedBlockPool&) = delete;
    FixedBlockPool& operator=(const FixedBlockPool&) = delete;
    /// Frees the slabs: every block must have been given back, or never be used again.
    ~FixedBlockPool();

    /// A block of blockSize() bytes; throws std::bad_alloc when no slab can be had.
    void* take();
    /// Gives back a block take() handed out.
    void give(void* block) noexcept;
    std::size_t blockSize() const { return m_blockSize; }

private:
    struct FreeBlock {
        FreeBlock* next;
    };

    std::mutex m_mutex;
    FreeBlock* m_free = nullptr;
    /// The part of the newest slab no block was cut from yet.
    std::byte* m_unused = nullptr;
    std::byte* m_unusedEnd = nullptr;
    std::vector<std::unique_ptr<std::byte[]>> m_slabs;
    const std::size_t m_blockSize;
};

/// Allocates the records' shared blocks (object and reference counts together) from a pool of
/// their size, for std::allocate_shared; anything but a single object falls through to the
/// standard allocator.
template <typename T> class RecordAllocator {
public:
    using value_type = T;

    RecordAllocator() = default;
    template <typename U> RecordAllocator(const RecordAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count != 1)
            return std::allocator<T>().allocate(count);
        return static_cast<T*>(pool().take());
    }
    void deallocate(T* block, std::size_t count) noexcept {
        if (count != 1) {
            std::allocator<T>().deallocate(block, count);
            return;
        }
        pool().give(block);
    }

    template <typename U> bool operator==(const RecordAllocator<U>&) const noexcept { return true; }

private:
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

    static FixedBlockPool& pool() {
        // Never destroyed: records outlive the statics when the store leaves them at exit.
        static FixedBlockPool* const instance = new FixedBlockPool(sizeof(T), alignof(T));
        return *instance;
    }
};

} // namespace brevanta
