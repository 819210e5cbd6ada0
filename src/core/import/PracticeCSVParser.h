// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"

#include <QByteArrayView>
#include <QString>

#include <utility>

namespace brevanta {

/// Reads one monthly practice-journal spreadsheet exported as CSV.
struct PracticeCSVParser {
    /// Why a whole file could not be read; row-level problems are never thrown.
    class ParserError : public BrevantaError {
    public:
        enum class Case { unsupportedLayout, invalidUTF8 };

        static ParserError unsupportedLayout(QString detail) {
            return ParserError(Case::unsupportedLayout, std::move(detail));
        }
        static ParserError invalidUTF8() { return ParserError(Case::invalidUTF8, {}); }

        /// Details of `unsupportedLayout`.
        static QString headingsNotFoundDetail();
        static QString subheadingsMissingDetail();

        Case errorCase() const { return m_case; }
        QString detail() const { return m_detail; }
        QString description() const override;

    private:
        ParserError(Case errorCase, QString detail)
            : m_case(errorCase)
            , m_detail(std::move(detail)) {}

        Case m_case = Case::invalidUTF8;
        QString m_detail;
    };

    /// The text of a file's bytes: strictly decoded UTF-8 with one leading byte-order mark
    /// removed. Throws ParserError::invalidUTF8 when the bytes are not well-formed UTF-8.
    static QString decodedText(QByteArrayView data);
};

} // namespace brevanta
