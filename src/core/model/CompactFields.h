// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace brevanta {

/// A text as a record keeps it: one pointer, to the characters in one byte each when all of them
/// are Latin-1 (nearly every title and note), else in UTF-16. Reads back as exactly the QString
/// it was made from; null, empty and non-empty stay apart as they do there.
///
/// A journal holds hundreds of thousands of these, so they cost a few bytes of header instead
/// of QString's 24 bytes in the record and 16-byte header with two bytes a character. Copies
/// share the characters, which never change once written.
class CompactText {
public:
    CompactText() = default;
    explicit CompactText(const QString& text);
    /// What QString::fromUtf8(bytes) gives, kept without the detour through UTF-16 for ASCII.
    static CompactText fromUtf8(QByteArrayView bytes);
    /// None is the null text.
    static CompactText fromOptional(const std::optional<QString>& text);

    CompactText(const CompactText& other);
    CompactText(CompactText&& other) noexcept
        : m_block(std::exchange(other.m_block, nullptr)) {}
    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept {
        std::swap(m_block, other.m_block);
        return *this;
    }
    ~CompactText();

    bool isNull() const { return m_block == nullptr; }
    bool isEmpty() const { return m_block == nullptr || m_block->length() == 0; }
    QString toString() const;
    /// The null text reads as none.
    std::optional<QString> toOptional() const {
        return m_block ? std::optional<QString>(toString()) : std::nullopt;
    }

private:
    friend class CompactTextPool;

    struct Block {
        // The length times two, plus one when the characters are UTF-16.
        std::uint32_t lengthAndWidth;
        // The texts that share these characters, less one. Empty texts share one block that is
        // never counted nor freed.
        std::atomic<std::uint32_t> otherHolders;
        std::uint32_t length() const { return lengthAndWidth >> 1; }
        bool isWide() const { return (lengthAndWidth & 1u) != 0; }
        const char* characters() const { return reinterpret_cast<const char*>(this + 1); }
        char* characters() { return reinterpret_cast<char*>(this + 1); }
        QByteArrayView characterBytes() const {
            return {characters(), qsizetype(length()) * (isWide() ? 2 : 1)};
        }
    };
    static Block* allocate(std::uint32_t length, bool wide);
    /// A block holding `bytes` as characters of the given width.
    static Block* blockOf(QByteArrayView bytes, bool wide);
    static Block* hold(Block* block);
    static void release(Block* block);
    static Block emptyBlock;

    Block* m_block = nullptr;
};

/// Makes equal texts one while a journal is read: a text equal to one read before shares its
/// characters instead of taking a copy. Practice pages repeat themselves day after day (the same
/// exercise, the same tempo note, the same words on every imported day), so a journal keeps each
/// distinct text about once. One thread at a time; the texts it made outlive it.
class CompactTextPool {
public:
    CompactTextPool() = default;
    CompactTextPool(const CompactTextPool&) = delete;
    CompactTextPool& operator=(const CompactTextPool&) = delete;
    ~CompactTextPool();

    /// What CompactText::fromUtf8(bytes) gives, sharing the characters of an equal text.
    CompactText fromUtf8(QByteArrayView bytes);
    /// Distinct non-empty texts made so far.
    std::size_t size() const { return m_count; }

private:
    CompactText::Block* find(QByteArrayView characters, bool wide, std::size_t hash) const;
    void place(CompactText::Block* block, std::size_t hash);
    void grow();

    // Open addressing, a power of two long; each block held once by the pool.
    std::vector<CompactText::Block*> m_slots;
    std::size_t m_count = 0;
    std::string m_latin1;
};

/// A raw value as records keep it: a pointer to one copy of its text shared by every record
/// (the handful of known names, and each unknown stored text once). The copies live as long as
/// the process, so a pointer never dangles; unknown texts keep their exact characters, so they
/// are written back as they were read.
class SharedRawValue {
public:
    explicit SharedRawValue(QStringView text)
        : m_text(&shared(text)) {}
    static SharedRawValue fromUtf8(QByteArrayView bytes);

    const QString& text() const { return *m_text; }
    /// Equal texts share one copy.
    bool operator==(const SharedRawValue& other) const { return m_text == other.m_text; }

private:
    explicit SharedRawValue(const QString* text)
        : m_text(text) {}
    static const QString& shared(QStringView text);

    const QString* m_text;
};

/// An optional 64-bit value in 8 bytes: the lowest 64-bit integer stands for none. It is no
/// value a record can hold: an instant that far back (292 million years before 1970) cannot
/// be made by the clock, the date controls or an import, nor shown by the calendar, and the
/// counts kept this way (durations) are never negative. Only a file written by another
/// program could hold it, and that reads as none.
template <typename Value> class PackedOptional {
public:
    PackedOptional() = default;
    PackedOptional(std::optional<Value> value)
        : m_bits(value ? bitsOf(*value) : none) {}

    std::optional<Value> get() const {
        if (m_bits == none)
            return std::nullopt;
        return valueOf(m_bits);
    }
    bool operator==(const PackedOptional&) const = default;

private:
    static constexpr std::int64_t none = std::numeric_limits<std::int64_t>::min();
    static std::int64_t bitsOf(const Value& value) {
        if constexpr (std::is_same_v<Value, std::int64_t>)
            return value;
        else
            return value.msecsSinceEpoch();
    }
    static Value valueOf(std::int64_t bits) {
        if constexpr (std::is_same_v<Value, std::int64_t>)
            return bits;
        else
            return Value::fromMSecsSinceEpoch(bits);
    }

    std::int64_t m_bits = none;
};

} // namespace brevanta
