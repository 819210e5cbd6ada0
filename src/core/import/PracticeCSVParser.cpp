// SPDX-License-Identifier: MIT
#include "core/import/PracticeCSVParser.h"

#include "core/import/StrictUtf8.h"

namespace brevanta {

QString PracticeCSVParser::ParserError::headingsNotFoundDetail() {
    return QStringLiteral("Expected Have Fun, Look Back, and Look Forward category headings were "
                          "not found in their usual columns.");
}

QString PracticeCSVParser::ParserError::subheadingsMissingDetail() {
    return QStringLiteral("The category subheadings are missing or out of position.");
}

QString PracticeCSVParser::ParserError::description() const {
    switch (m_case) {
    case Case::unsupportedLayout:
        return QStringLiteral("This file does not appear to use the supported Brevanta spreadsheet "
                              "format. ") +
               m_detail;
    case Case::invalidUTF8:
        return QStringLiteral("The file is not valid UTF-8.");
    }
    Q_UNREACHABLE();
    return {};
}

QString PracticeCSVParser::decodedText(QByteArrayView data) {
    std::optional<QString> text = StrictUtf8::decode(data);
    if (!text)
        throw ParserError::invalidUTF8();
    if (text->startsWith(QChar(0xFEFF)))
        text->remove(0, 1);
    return *std::move(text);
}

} // namespace brevanta
