// SPDX-License-Identifier: MIT
#include "core/import/CSVReader.h"

#include "core/import/GraphemeBoundaries.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace brevanta::CSVReader {

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';

// The only code units the reader ever stops at; everything else is copied in runs.
constexpr bool mayBeSignificant(char16_t unit) {
    return unit <= kComma &&
           (unit == kQuote || unit == kComma || unit == kLineFeed || unit == kCarriageReturn);
}

// Rows go to the visitor as they end, so a text of a million blank lines costs one row.
class Tokenizer {
public:
    using Visitor = std::function<bool(const QStringList&)>;

    Tokenizer(QStringView text, qsizetype columns, const Visitor& visit)
        : m_text(text)
        , m_units(text.utf16())
        , m_boundaries(text)
        , m_columns(std::max<qsizetype>(columns, 1))
        , m_visit(visit) {}

    void run() {
        const qsizetype size = m_text.size();
        qsizetype index = 0;
        while (index < size && !m_stopped) {
            while (index < size && !mayBeSignificant(m_units[index]))
                ++index;
            if (index == size)
                break;
            index = handleSignificant(index);
        }
        if (!m_stopped)
            finishText();
    }

private:
    // Handles the code unit at `index` and returns where to go on.
    qsizetype handleSignificant(qsizetype index) {
        const char16_t unit = m_units[index];
        if (unit == kCarriageReturn || unit == kLineFeed) {
            // CR LF and a lone CR both read as one line feed, and a line end is always a
            // character of its own.
            const qsizetype next = unit == kCarriageReturn && index + 1 < m_text.size() &&
                                           m_units[index + 1] == kLineFeed
                                       ? index + 2
                                       : index + 1;
            if (m_inQuotes) {
                if (unit == kLineFeed)
                    return next; // stays in the run as it is
                appendRun(index);
                m_field.append(QChar(kLineFeed));
                m_runStart = next;
                return next;
            }
            finishField(index);
            finishRow();
            m_runStart = next;
            return next;
        }

        if (!m_boundaries.standsAlone(index))
            return index + 1; // part of a larger character: ordinary field text

        if (unit == kComma) {
            if (m_inQuotes)
                return index + 1;
            finishField(index);
            m_runStart = index + 1;
            return index + 1;
        }

        // A double quote.
        if (!m_inQuotes) {
            appendRun(index);
            m_inQuotes = true;
            m_runStart = index + 1;
            return index + 1;
        }
        if (index + 1 < m_text.size() && m_units[index + 1] == kQuote &&
            m_boundaries.standsAlone(index + 1)) {
            appendRun(index + 1); // the run ends with exactly one of the two quotes
            m_runStart = index + 2;
            return index + 2;
        }
        appendRun(index);
        m_inQuotes = false;
        m_runStart = index + 1;
        return index + 1;
    }

    void appendRun(qsizetype end) {
        if (end > m_runStart)
            m_field.append(m_text.sliced(m_runStart, end - m_runStart));
    }

    void finishField(qsizetype end) {
        if (m_row.size() == m_columns) {
            // Past the last column the reader keeps: run the text onto the last field.
            appendRun(end);
            m_row.back().append(m_field);
            m_field.clear();
        } else if (m_field.isEmpty()) {
            // The usual field is one unbroken run: copy it once.
            m_row.append(m_text.sliced(m_runStart, end - m_runStart).toString());
        } else {
            appendRun(end);
            m_row.append(std::exchange(m_field, QString()));
        }
    }

    void finishRow() {
        m_stopped = !m_visit(m_row);
        // Keeps the list's capacity unless the visitor kept a copy.
        m_row.clear();
    }

    void finishText() {
        appendRun(m_text.size());
        m_runStart = m_text.size();
        // A final line feed does not open an empty last row.
        if (m_field.isEmpty() && m_row.isEmpty())
            return;
        finishField(m_text.size());
        finishRow();
    }

    QStringView m_text;
    const char16_t* m_units = nullptr;
    GraphemeBoundaries m_boundaries;
    qsizetype m_columns = 1;
    const Visitor& m_visit;
    QStringList m_row;
    QString m_field;
    qsizetype m_runStart = 0;
    bool m_inQuotes = false;
    bool m_stopped = false;
};

} // namespace

QList<QStringList> parse(QStringView text) {
    QList<QStringList> rows;
    forEachRow(text, std::numeric_limits<qsizetype>::max(), [&rows](const QStringList& row) {
        rows.append(row);
        return true;
    });
    return rows;
}

QList<QStringList> layoutRows(QStringView text, qsizetype columns) {
    QList<QStringList> rows;
    bool afterEmptyRow = false;
    forEachRow(text, columns, [&](const QStringList& row) {
        const bool empty = std::all_of(row.begin(), row.end(),
                                       [](const QString& field) { return field.isEmpty(); });
        if (!empty)
            rows.append(row);
        else if (!afterEmptyRow)
            rows.append(QStringList());
        afterEmptyRow = empty;
        return true;
    });
    return rows;
}

void forEachRow(QStringView text, qsizetype columns,
                const std::function<bool(const QStringList& row)>& visit) {
    Tokenizer(text, columns, visit).run();
}

} // namespace brevanta::CSVReader
