// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>
#include <string_view>

namespace brevanta {

/// Unicode text services the core shares: trimming, white-space splitting, locale-aware case
/// mapping and folding. Pure functions, safe from any thread.
///
/// "White space and line breaks" is one set everywhere: the Unicode space separators (Zs, which
/// include U+00A0 and U+202F), tab, line feed, vertical tab, form feed, carriage return, next line
/// (U+0085), and the line and paragraph separators U+2028 and U+2029.
struct TextServices {
    static bool isWhitespaceOrNewline(char16_t character);

    /// `text` without white space and line breaks at either end; inner ones stay.
    static QString trimmed(QStringView text);

    /// The pieces of `text` between runs of white space and line breaks; no empty pieces.
    static QStringList splitAtWhitespace(QStringView text);

    /// `text` with U+00A0 (no-break space) and U+202F (narrow no-break space, which ICU writes
    /// before "PM") replaced by a plain space, so that text a person types matches text ICU wrote.
    static QString withPlainSpaces(QStringView text);

    /// Upper case by the rules of `localeName` ("march 2024" → "MARCH 2024"; Turkish i → İ).
    static QString uppercased(QStringView text, QStringView localeName);

    /// A key that compares equal for texts differing only in letter case and diacritics, under
    /// the case rules of `localeName`: "Étude", "ETUDE" and "etude" all fold to "etude".
    /// Diacritics are the combining accents; letters such as "ø" or "ß" keep their identity
    /// ("ß" folds to "ss" as its case folding says).
    static QString caseAndDiacriticFolded(QStringView text, QStringView localeName);

    /// Whether `text` contains `query` as one contiguous run, ignoring letter case under the rules
    /// of `localeName` but not diacritics: "Étude" contains "étu" and "ÉTU" but not "etu", and
    /// "café" does not contain "cafe". No-break spaces count as plain spaces on both sides.
    /// Searching many texts for one query? Prepare it once with CaseInsensitiveSearch.
    static bool localizedCaseInsensitiveContains(QStringView text, QStringView query,
                                                 QStringView localeName);
};

/// One query prepared for localizedCaseInsensitiveContains over many texts: the query is folded
/// once, and texts of plain ASCII take a path that needs no allocation.
class CaseInsensitiveSearch {
public:
    CaseInsensitiveSearch(QStringView query, QStringView localeName);

    /// True when the query is empty; an empty query is found in every text.
    bool isEmpty() const { return m_foldedQuery.isEmpty(); }
    bool isFoundIn(QStringView text) const;

    /// Writes `text` in the form this search compares: case folded under the locale's rules,
    /// composed, no-break spaces made plain. For a caller that keeps texts to search them again
    /// for longer queries (the journal search as the user types).
    void writeSearchForm(QStringView text, std::u16string& out) const;
    /// Whether the query occurs in a text already written by writeSearchForm().
    bool isFoundInSearchForm(std::u16string_view searchForm) const;
    /// The query itself in search form.
    const QString& foldedQuery() const { return m_foldedQuery; }

private:
    QString m_foldedQuery;
    bool m_queryIsAscii = true;
    bool m_turkicCaseRules = false;
};

} // namespace brevanta
