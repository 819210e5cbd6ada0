// SPDX-License-Identifier: MIT
#include "core/import/ImportTextFormat.h"

#include "core/import/CSVReader.h"

#include <algorithm>
#include <cstdint>

namespace brevanta::ImportTextFormat {

namespace {

bool hasUtf16ByteOrderMark(QByteArrayView bytes) {
    return bytes.size() >= 2 &&
           ((std::uint8_t(bytes[0]) == 0xFF && std::uint8_t(bytes[1]) == 0xFE) ||
            (std::uint8_t(bytes[0]) == 0xFE && std::uint8_t(bytes[1]) == 0xFF));
}

// Text of Latin script saved as UTF-16 has a zero in one byte of almost every pair.
bool looksLikeUtf16(QByteArrayView bytes) {
    const qsizetype pairs = std::min<qsizetype>(bytes.size() / 2, 512);
    if (pairs < 4)
        return false;
    qsizetype zeroFirst = 0;
    qsizetype zeroSecond = 0;
    for (qsizetype pair = 0; pair < pairs; ++pair) {
        const bool first = bytes[2 * pair] == 0;
        const bool second = bytes[2 * pair + 1] == 0;
        if (first != second) {
            zeroFirst += first ? 1 : 0;
            zeroSecond += second ? 1 : 0;
        }
    }
    return std::max(zeroFirst, zeroSecond) * 10 >= pairs * 9;
}

// The five bytes Windows-1252 leaves undefined.
constexpr bool isWindows1252Character(std::uint8_t byte) {
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

// The separator's place is taken by the comma and the comma's by the separator, so CSVReader
// splits where the separator stands; each field then gets its commas back.
char16_t stand(Separator separator) {
    switch (separator) {
    case Separator::comma:
        return u',';
    case Separator::semicolon:
        return u';';
    case Separator::tab:
        return u'\t';
    }
    Q_UNREACHABLE();
    return u',';
}

void swap(QString& text, char16_t one, char16_t other) {
    for (QChar& character : text) {
        if (character == one)
            character = QChar(other);
        else if (character == other)
            character = QChar(one);
    }
}

} // namespace

Encoding guessEncoding(QByteArrayView bytes) {
    if (hasUtf16ByteOrderMark(bytes) || looksLikeUtf16(bytes))
        return Encoding::utf16;
    // A UTF-8 byte-order mark says what the file meant to be: damaged UTF-8.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Encoding::unknown;
    bool high = false;
    for (const char character : bytes) {
        const auto byte = std::uint8_t(character);
        if (byte == 0 || (byte >= 0x80 && !isWindows1252Character(byte)))
            return Encoding::unknown;
        high = high || byte >= 0x80;
    }
    return high ? Encoding::windows1252 : Encoding::unknown;
}

std::optional<QString> decodeUtf16WithByteOrderMark(QByteArrayView bytes) {
    if (!hasUtf16ByteOrderMark(bytes) || bytes.size() % 2 != 0)
        return std::nullopt;
    const bool littleEndian = std::uint8_t(bytes[0]) == 0xFF;
    QString text(bytes.size() / 2 - 1, Qt::Uninitialized);
    char16_t* units = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const auto low = std::uint8_t(bytes[2 * index + 2]);
        const auto high = std::uint8_t(bytes[2 * index + 3]);
        units[index] = littleEndian ? char16_t(low | (high << 8)) : char16_t((low << 8) | high);
    }
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = units[index];
        if (QChar::isHighSurrogate(unit) && index + 1 < text.size() &&
            QChar::isLowSurrogate(units[index + 1])) {
            ++index;
        } else if (QChar::isSurrogate(unit)) {
            return std::nullopt;
        }
    }
    return text;
}

QList<QStringList> rows(QStringView text, Separator separator, qsizetype columns) {
    const auto read = [columns](QStringView source) {
        return columns > 0 ? CSVReader::layoutRows(source, columns) : CSVReader::parse(source);
    };
    if (separator == Separator::comma)
        return read(text);
    const char16_t other = stand(separator);
    QString swapped = text.toString();
    swap(swapped, u',', other);
    QList<QStringList> result = read(swapped);
    for (QStringList& row : result) {
        for (QString& field : row)
            swap(field, u',', other);
    }
    return result;
}

} // namespace brevanta::ImportTextFormat
