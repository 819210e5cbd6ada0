// SPDX-License-Identifier: MIT
#pragma once

// A deliberately plain CSV reader to check the real one against: it normalises line ends into a
// copy, splits the whole copy into characters with ICU's break iterator and walks them one by one.
// Slow, but with no fast path that could disagree with ICU.

#include <QList>
#include <QString>
#include <QStringList>

#include <unicode/ubrk.h>

#include <memory>

namespace brevanta::test {

inline QList<QString> graphemeClusters(const QString& text) {
    QList<QString> clusters;
    if (text.isEmpty())
        return clusters;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UBreakIterator, decltype(&ubrk_close)> iterator(
        ubrk_open(UBRK_CHARACTER, "", reinterpret_cast<const UChar*>(text.utf16()),
                  static_cast<int32_t>(text.size()), &status),
        &ubrk_close);
    if (U_FAILURE(status))
        qFatal("ICU character break iterator unavailable: %s", u_errorName(status));
    int32_t start = ubrk_first(iterator.get());
    for (int32_t end = ubrk_next(iterator.get()); end != UBRK_DONE;
         start = end, end = ubrk_next(iterator.get())) {
        clusters.append(text.mid(start, end - start));
    }
    return clusters;
}

inline QList<QStringList> referenceCSVRows(const QString& input) {
    QString text = input;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QList<QStringList> rows;
    if (text.isEmpty())
        return rows;

    const QString quote = QStringLiteral("\"");
    const QString comma = QStringLiteral(",");
    const QString lineFeed = QStringLiteral("\n");
    const QList<QString> characters = graphemeClusters(text);

    QStringList row;
    QString field;
    bool inQuotes = false;
    for (qsizetype index = 0; index < characters.size(); ++index) {
        const QString& character = characters[index];
        if (inQuotes) {
            if (character == quote) {
                if (index + 1 < characters.size() && characters[index + 1] == quote) {
                    field += quote;
                    ++index;
                } else {
                    inQuotes = false;
                }
            } else {
                field += character;
            }
        } else if (character == quote) {
            inQuotes = true;
        } else if (character == comma) {
            row.append(field);
            field.clear();
        } else if (character == lineFeed) {
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
        } else {
            field += character;
        }
    }
    if (!(field.isEmpty() && row.isEmpty())) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

} // namespace brevanta::test
