// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

namespace brevanta {

/// A growing run of bytes, like a std::string without the terminator, whose room is moved with
/// realloc. The search texts of a large journal are tens of megabytes: realloc grows and trims
/// such a block by remapping its pages where a string would copy it, so the process never holds
/// the texts twice, and the margin reserved while they are written is given back for free.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ByteBuffer(ByteBuffer&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr))
        , m_size(std::exchange(other.m_size, 0))
        , m_capacity(std::exchange(other.m_capacity, 0)) {}
    ByteBuffer& operator=(ByteBuffer&& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        return *this;
    }
    ~ByteBuffer() { std::free(m_data); }

    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    char* data() { return m_data; }
    std::string_view view() const { return {m_data, m_size}; }

    void clear() { m_size = 0; }
    /// Grows without setting the new bytes, or drops the last ones.
    void resize(std::size_t size) {
        if (size > m_capacity)
            moveTo(std::max(size, m_capacity + m_capacity / 2));
        m_size = size;
    }
    void reserve(std::size_t capacity) {
        if (capacity > m_capacity)
            moveTo(capacity);
    }
    void shrinkToFit() {
        if (m_size < m_capacity)
            moveTo(m_size);
    }
    ByteBuffer& operator+=(char byte) {
        resize(m_size + 1);
        m_data[m_size - 1] = byte;
        return *this;
    }
    ByteBuffer& operator+=(std::string_view bytes) {
        const std::size_t begin = m_size;
        resize(m_size + bytes.size());
        if (!bytes.empty())
            std::memcpy(m_data + begin, bytes.data(), bytes.size());
        return *this;
    }

private:
    void moveTo(std::size_t capacity) {
        if (capacity == 0) {
            std::free(std::exchange(m_data, nullptr));
            m_capacity = 0;
            return;
        }
        void* moved = std::realloc(m_data, capacity);
        if (!moved)
            throw std::bad_alloc();
        m_data = static_cast<char*>(moved);
        m_capacity = capacity;
    }

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace brevanta
