// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the CSV reader, both as a UTF-8 file would reach it and as raw UTF-16
// (lone surrogates included), and checks it against a plain character-by-character reading. Bytes
// behind a UTF-16 byte-order mark must decode to text that encodes back to them.
#include "ReferenceCSVReader.h"
#include "core/import/CSVReader.h"
#include "core/import/ImportTextFormat.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/StrictUtf8.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace brevanta;

namespace {

void checkRows(const QString& text) {
    const QList<QStringList> rows = CSVReader::parse(text);
    for (const QStringList& row : rows) {
        if (row.isEmpty()) {
            std::fputs("a row without fields\n", stderr);
            std::abort();
        }
        for (const QString& field : row) {
            if (field.contains(QLatin1Char('\r'))) {
                std::fputs("a carriage return survived\n", stderr);
                std::abort();
            }
        }
    }
    if (rows != test::referenceCSVRows(text)) {
        std::fputs("rows differ from the character-by-character reading\n", stderr);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Well-formed UTF-8 is exactly what survives a lossy decode unchanged.
    const std::optional<QString> decoded = StrictUtf8::decode(bytes);
    const QByteArray lossyRoundTrip = QString::fromUtf8(bytes).toUtf8();
    const bool wellFormed = lossyRoundTrip == bytes ||
                            (bytes.startsWith("\xEF\xBB\xBF") && lossyRoundTrip == bytes.sliced(3));
    if (decoded.has_value() != wellFormed) {
        std::fputs("strict decoding disagrees with a lossy round trip\n", stderr);
        std::abort();
    }

    if (decoded) {
        if (decoded->toUtf8() != bytes) {
            std::fputs("decoded text does not encode back to the same bytes\n", stderr);
            std::abort();
        }
        checkRows(PracticeCSVParser::decodedText(bytes));
    } else {
        try {
            PracticeCSVParser::decodedText(bytes);
            std::fputs("malformed bytes were decoded\n", stderr);
            std::abort();
        } catch (const PracticeCSVParser::ParserError&) {
        }
    }

    // UTF-16 behind a byte-order mark, as a spreadsheet saves it, decodes exactly or not at all.
    ImportTextFormat::guessEncoding(bytes);
    if (const std::optional<QString> utf16 =
            ImportTextFormat::decodeUtf16WithByteOrderMark(bytes)) {
        const bool little = data[0] == 0xFF;
        QByteArray encoded(little ? "\xFF\xFE" : "\xFE\xFF", 2);
        for (const QChar unit : *utf16) {
            const char high = char(unit.unicode() >> 8);
            const char low = char(unit.unicode() & 0xFF);
            encoded.append(little ? low : high).append(little ? high : low);
        }
        if (encoded != bytes || !utf16->isValidUtf16()) {
            std::fputs("UTF-16 does not encode back to the same bytes\n", stderr);
            std::abort();
        }
        ImportTextFormat::rows(*utf16, ImportTextFormat::Separator::semicolon);
    }

    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, (size / 2) * 2);
    checkRows(units);
    return 0;
}
