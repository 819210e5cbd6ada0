// SPDX-License-Identifier: MIT
#include "core/model/CompactFields.h"

#include "core/model/PracticeCategory.h"

#include <QHashFunctions>
#include <QMutex>

#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

namespace brevanta {

namespace {

// Shared by every empty text, so that an empty title costs no allocation.
alignas(std::uint32_t) constinit std::uint32_t emptyBlockStorage[1] = {0};

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

} // namespace

CompactText::Block* CompactText::allocate(std::uint32_t length, bool wide) {
    if (length == 0)
        return reinterpret_cast<Block*>(emptyBlockStorage);
    const std::size_t bytes = sizeof(Block) + std::size_t(length) * (wide ? 2 : 1);
    auto* block = static_cast<Block*>(std::malloc(bytes));
    if (!block)
        throw std::bad_alloc();
    block->lengthAndWidth = (length << 1) | (wide ? 1u : 0u);
    return block;
}

CompactText::Block* CompactText::copyOf(const Block* block) {
    if (!block)
        return nullptr;
    Block* copy = allocate(block->length(), block->isWide());
    if (block->length() > 0)
        std::memcpy(copy->characters(), block->characters(),
                    std::size_t(block->length()) * (block->isWide() ? 2 : 1));
    return copy;
}

CompactText::CompactText(const QString& text) {
    if (text.isNull())
        return;
    const auto length = static_cast<std::uint32_t>(text.size());
    const bool wide = !fitsLatin1(text);
    m_block = allocate(length, wide);
    if (length == 0)
        return;
    if (wide) {
        std::memcpy(m_block->characters(), text.utf16(), std::size_t(length) * 2);
    } else {
        char* out = m_block->characters();
        for (const QChar character : text)
            *out++ = static_cast<char>(character.unicode());
    }
}

CompactText CompactText::fromUtf8(QByteArrayView bytes) {
    if (bytes.isNull())
        return {};
    if (!isAscii(bytes))
        return CompactText(QString::fromUtf8(bytes));
    CompactText text;
    text.m_block = allocate(static_cast<std::uint32_t>(bytes.size()), false);
    if (!bytes.isEmpty())
        std::memcpy(text.m_block->characters(), bytes.data(), std::size_t(bytes.size()));
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
    : m_block(copyOf(other.m_block)) {}

CompactText& CompactText::operator=(const CompactText& other) {
    if (this != &other) {
        CompactText copy(other);
        std::swap(m_block, copy.m_block);
    }
    return *this;
}

CompactText::~CompactText() {
    if (m_block && m_block->length() > 0)
        std::free(m_block);
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
