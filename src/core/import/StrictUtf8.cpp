// SPDX-License-Identifier: MIT
#include "core/import/StrictUtf8.h"

#include <cstdint>
#include <cstring>

namespace brevanta::StrictUtf8 {

namespace {

constexpr bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

constexpr std::uint64_t kHighBitOfEveryByte = 0x8080808080808080ULL;

} // namespace

std::optional<QString> decode(QByteArrayView bytes) {
    const auto* input = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype size = bytes.size();
    // UTF-8 never takes fewer code units than UTF-16 for the same text.
    QString text(size, Qt::Uninitialized);
    char16_t* output = reinterpret_cast<char16_t*>(text.data());
    qsizetype written = 0;
    qsizetype index = 0;

    while (index < size) {
        // Most of a spreadsheet is ASCII: copy eight such bytes at a time.
        if (size - index >= 8) {
            std::uint64_t block = 0;
            std::memcpy(&block, input + index, sizeof block);
            if ((block & kHighBitOfEveryByte) == 0) {
                for (int offset = 0; offset < 8; ++offset)
                    output[written++] = input[index + offset];
                index += 8;
                continue;
            }
        }

        const std::uint8_t lead = input[index];
        if (lead < 0x80) {
            output[written++] = lead;
            ++index;
            continue;
        }

        // The ranges of the second byte rule out overlong forms, surrogates and code points
        // above U+10FFFF; every later byte must be a plain continuation byte.
        int length = 0;
        std::uint8_t secondMin = 0x80;
        std::uint8_t secondMax = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                secondMin = 0xA0;
            else if (lead == 0xED)
                secondMax = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                secondMin = 0x90;
            else if (lead == 0xF4)
                secondMax = 0x8F;
        } else {
            return std::nullopt; // stray continuation byte, C0, C1 or F5..FF
        }

        if (size - index < length)
            return std::nullopt;
        const std::uint8_t second = input[index + 1];
        if (second < secondMin || second > secondMax)
            return std::nullopt;
        char32_t codePoint = lead & (0xFF >> (length + 1));
        codePoint = (codePoint << 6) | (second & 0x3F);
        for (int offset = 2; offset < length; ++offset) {
            const std::uint8_t next = input[index + offset];
            if (!isContinuation(next))
                return std::nullopt;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        index += length;

        if (codePoint < 0x10000) {
            output[written++] = static_cast<char16_t>(codePoint);
        } else {
            codePoint -= 0x10000;
            output[written++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
            output[written++] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        }
    }

    text.truncate(written);
    return text;
}

} // namespace brevanta::StrictUtf8
