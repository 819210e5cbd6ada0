// SPDX-License-Identifier: MIT
#include "core/model/CompactFields.h"

#include "core/model/PracticeCategory.h"

#include <QHashFunctions>
#include <QMutex>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

namespace brevanta {

namespace {

bool fitsLatin1(QStringView text) {
    for (const QChar character : text) {
        if (character.unicode() > 0xff)
            return false;
    }
    return true;
}

bool isAscii(QByteArrayView bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

QByteArrayView utf16BytesOf(const QString& text) {
    return {reinterpret_cast<const char*>(text.utf16()), text.size() * 2};
}

// Latin-1 text, one byte a character.
void writeLatin1(QStringView text, char* out) {
    for (const QChar character : text)
        *out++ = static_cast<char>(character.unicode());
}

std::size_t hashOf(QByteArrayView characters, bool wide) {
    return qHash(characters, wide ? 1 : 0);
}

} // namespace

constinit CompactText::Block CompactText::emptyBlock{};

CompactText::Block* CompactText::allocate(std::uint32_t length, bool wide) {
    if (length == 0)
        return &emptyBlock;
    const std::size_t bytes = sizeof(Block) + std::size_t(length) * (wide ? 2 : 1);
    void* memory = std::malloc(bytes);
    if (!memory)
        throw std::bad_alloc();
    auto* block = new (memory) Block;
    block->lengthAndWidth = (length << 1) | (wide ? 1u : 0u);
    block->otherHolders.store(0, std::memory_order_relaxed);
    return block;
}

CompactText::Block* CompactText::blockOf(QByteArrayView bytes, bool wide) {
    const auto length = static_cast<std::uint32_t>(wide ? bytes.size() / 2 : bytes.size());
    Block* block = allocate(length, wide);
    if (length > 0)
        std::memcpy(block->characters(), bytes.data(), std::size_t(bytes.size()));
    return block;
}

CompactText::Block* CompactText::hold(Block* block) {
    if (block && block != &emptyBlock)
        block->otherHolders.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void CompactText::release(Block* block) {
    if (!block || block == &emptyBlock)
        return;
    // Whoever lets go last frees: the other holders' reads happen before.
    if (block->otherHolders.fetch_sub(1, std::memory_order_acq_rel) == 0) {
        block->~Block();
        std::free(block);
    }
}

CompactText::CompactText(const QString& text) {
    if (text.isNull())
        return;
    if (!fitsLatin1(text)) {
        m_block = blockOf(utf16BytesOf(text), true);
        return;
    }
    m_block = allocate(static_cast<std::uint32_t>(text.size()), false);
    writeLatin1(text, m_block->characters());
}

CompactText CompactText::fromUtf8(QByteArrayView bytes) {
    if (bytes.isNull())
        return {};
    if (!isAscii(bytes))
        return CompactText(QString::fromUtf8(bytes));
    CompactText text;
    text.m_block = blockOf(bytes, false);
    return text;
}

CompactText CompactText::fromOptional(const std::optional<QString>& text) {
    if (!text)
        return {};
    CompactText compact(*text);
    if (compact.isNull())
        compact.m_block = allocate(0, false);
    return compact;
}

CompactText::CompactText(const CompactText& other)
    : m_block(hold(other.m_block)) {}

CompactText& CompactText::operator=(const CompactText& other) {
    CompactText copy(other);
    std::swap(m_block, copy.m_block);
    return *this;
}

CompactText::~CompactText() {
    release(m_block);
}

CompactTextPool::~CompactTextPool() {
    for (CompactText::Block* block : m_slots)
        CompactText::release(block);
}

CompactText CompactTextPool::fromUtf8(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return CompactText::fromUtf8(bytes);
    // The characters as a block keeps them, to compare and hash without making the block.
    QByteArrayView characters = bytes;
    bool wide = false;
    QString decoded;
    if (!isAscii(bytes)) {
        decoded = QString::fromUtf8(bytes);
        wide = !fitsLatin1(decoded);
        if (wide) {
            characters = utf16BytesOf(decoded);
        } else {
            m_latin1.resize(std::size_t(decoded.size()));
            writeLatin1(decoded, m_latin1.data());
            characters = QByteArrayView(m_latin1.data(), qsizetype(m_latin1.size()));
        }
    }
    const std::size_t hash = hashOf(characters, wide);
    CompactText text;
    if (!m_slots.empty()) {
        if (CompactText::Block* found = find(characters, wide, hash)) {
            text.m_block = CompactText::hold(found);
            return text;
        }
    }
    if ((m_count + 1) * 2 > m_slots.size())
        grow();
    CompactText::Block* block = CompactText::blockOf(characters, wide);
    place(block, hash);
    ++m_count;
    text.m_block = CompactText::hold(block);
    return text;
}

CompactText::Block* CompactTextPool::find(QByteArrayView characters, bool wide,
                                          std::size_t hash) const {
    const std::uint32_t length = std::uint32_t(wide ? characters.size() / 2 : characters.size());
    const std::uint32_t lengthAndWidth = (length << 1) | (wide ? 1u : 0u);
    for (std::size_t slot = hash & (m_slots.size() - 1); m_slots[slot];
         slot = (slot + 1) & (m_slots.size() - 1)) {
        CompactText::Block* block = m_slots[slot];
        if (block->lengthAndWidth == lengthAndWidth &&
            std::memcmp(block->characters(), characters.data(), std::size_t(characters.size())) ==
                0)
            return block;
    }
    return nullptr;
}

void CompactTextPool::place(CompactText::Block* block, std::size_t hash) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot])
        slot = (slot + 1) & mask;
    m_slots[slot] = block;
}

void CompactTextPool::grow() {
    std::vector<CompactText::Block*> old(std::max<std::size_t>(m_slots.size() * 2, 1024), nullptr);
    std::swap(old, m_slots);
    for (CompactText::Block* block : old) {
        if (block)
            place(block, hashOf(block->characterBytes(), block->isWide()));
    }
}

QString CompactText::toString() const {
    if (!m_block)
        return {};
    const auto length = qsizetype(m_block->length());
    // Never null from here: an empty text read back stays apart from none.
    if (m_block->isWide())
        return QString(reinterpret_cast<const QChar*>(m_block->characters()), length);
    return QString::fromLatin1(m_block->characters(), length);
}

namespace {

// The names every record made by this app carries, as the sources and groups spell them;
// found without a lock.
constexpr std::size_t knownRawValueCount =
    PracticeSessionSource::allCases().size() + PracticeCategory::allCases().size();

const std::array<QString, knownRawValueCount>& knownRawValues() {
    static const std::array<QString, knownRawValueCount> known = [] {
        std::array<QString, knownRawValueCount> names;
        auto next = names.begin();
        for (const PracticeSessionSource source : PracticeSessionSource::allCases())
            *next++ = source.rawValue();
        for (const PracticeCategory category : PracticeCategory::allCases())
            *next++ = category.rawValue();
        return names;
    }();
    return known;
}

const QString& sharedUnknown(QStringView text) {
    // Unknown texts come from files written elsewhere: a few distinct ones at most. The set's
    // nodes never move, so the copies stay where the records point.
    static QMutex mutex;
    struct Hash {
        std::size_t operator()(const QString& text) const { return qHash(text); }
    };
    static auto* const unknown = new std::unordered_set<QString, Hash>;
    const QMutexLocker locker(&mutex);
    return *unknown->insert(text.toString()).first;
}

} // namespace

const QString& SharedRawValue::shared(QStringView text) {
    for (const QString& name : knownRawValues()) {
        if (name == text)
            return name;
    }
    return sharedUnknown(text);
}

SharedRawValue SharedRawValue::fromUtf8(QByteArrayView bytes) {
    for (const QString& name : knownRawValues()) {
        if (QLatin1StringView(bytes) == name)
            return SharedRawValue(&name);
    }
    return SharedRawValue(&sharedUnknown(QString::fromUtf8(bytes)));
}

} // namespace brevanta
