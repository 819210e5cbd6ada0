// SPDX-License-Identifier: MIT
#include "core/time/TextServices.h"

#include "core/time/IcuStrings.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace brevanta {

namespace {

constexpr char16_t noBreakSpace = 0x00A0;
constexpr char16_t narrowNoBreakSpace = 0x202F;

bool usesTurkicCaseRules(QStringView localeName) {
    const icu::Locale locale = icubridge::localeFromName(localeName);
    const std::string_view language = locale.getLanguage();
    return language == "tr" || language == "az";
}

uint32_t foldOptions(bool turkic) {
    return turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
}

// Caseless form of `text` into `out`: composed, case folded, no-break spaces made plain, composed
// again if folding decomposed anything. Folding works on the composed text so that Turkic rules
// see "İ" whole; composing keeps a precomposed "é" one character, so "cafe" cannot match inside
// "café". Reuses `out`'s storage: this runs once per journal session on every search keystroke.
void searchFormInto(QStringView text, bool turkic, std::u16string& out) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    icu::UnicodeString composedText;
    const char16_t* source = reinterpret_cast<const char16_t*>(text.utf16());
    auto length = static_cast<int32_t>(text.size());
    if (U_SUCCESS(status) && nfc->quickCheck(icubridge::aliasOf(text), status) != UNORM_YES) {
        composedText = nfc->normalize(icubridge::aliasOf(text), status);
        source = composedText.getBuffer();
        length = composedText.length();
    }

    out.resize(std::size_t(length) + 16);
    status = U_ZERO_ERROR;
    int32_t folded = u_strFoldCase(out.data(), int32_t(out.size()), source, length,
                                   foldOptions(turkic), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(std::size_t(folded));
        status = U_ZERO_ERROR;
        folded = u_strFoldCase(out.data(), int32_t(out.size()), source, length, foldOptions(turkic),
                               &status);
    }
    if (U_FAILURE(status)) {
        out.assign(source, std::size_t(length));
        return;
    }
    out.resize(std::size_t(folded));
    for (char16_t& character : out) {
        if (character == noBreakSpace || character == narrowNoBreakSpace)
            character = u' ';
    }

    if (nfc) {
        const icu::UnicodeString foldedView(false, out.data(), int32_t(out.size()));
        status = U_ZERO_ERROR;
        if (nfc->quickCheck(foldedView, status) != UNORM_YES && U_SUCCESS(status)) {
            const icu::UnicodeString composed = nfc->normalize(foldedView, status);
            if (U_SUCCESS(status))
                out.assign(composed.getBuffer(), std::size_t(composed.length()));
        }
    }
}

bool isAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

constexpr char16_t asciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// `foldedQuery` is already lower case.
bool asciiCaseInsensitiveContains(QStringView text, QStringView foldedQuery) {
    const qsizetype last = text.size() - foldedQuery.size();
    for (qsizetype start = 0; start <= last; ++start) {
        qsizetype matched = 0;
        while (matched < foldedQuery.size() &&
               asciiLower(text[start + matched].unicode()) == foldedQuery[matched].unicode())
            ++matched;
        if (matched == foldedQuery.size())
            return true;
    }
    return false;
}

// A match must end on a character boundary: a combining mark right after it belongs to the
// matched letter ("e" followed by U+0301 is "é", which "e" must not match).
bool endsOnCharacterBoundary(std::u16string_view text, std::size_t end) {
    if (end >= text.size())
        return true;
    UChar32 character = 0;
    U16_GET(text.data(), 0, end, text.size(), character);
    return (U_GET_GC_MASK(character) & U_GC_M_MASK) == 0;
}

} // namespace

bool TextServices::isWhitespaceOrNewline(char16_t character) {
    if ((character >= 0x09 && character <= 0x0D) || character == 0x20 || character == 0x85)
        return true;
    if (character < 0xA0)
        return false;
    switch (QChar(character).category()) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString TextServices::trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isWhitespaceOrNewline(text[begin].unicode()))
        ++begin;
    while (end > begin && isWhitespaceOrNewline(text[end - 1].unicode()))
        --end;
    return text.sliced(begin, end - begin).toString();
}

QStringList TextServices::splitAtWhitespace(QStringView text) {
    QStringList pieces;
    qsizetype pieceStart = -1;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        const bool separator = index == text.size() || isWhitespaceOrNewline(text[index].unicode());
        if (separator && pieceStart >= 0) {
            pieces.append(text.sliced(pieceStart, index - pieceStart).toString());
            pieceStart = -1;
        } else if (!separator && pieceStart < 0) {
            pieceStart = index;
        }
    }
    return pieces;
}

QString TextServices::withPlainSpaces(QStringView text) {
    QString result = text.toString();
    result.replace(QChar(noBreakSpace), QLatin1Char(' '));
    result.replace(QChar(narrowNoBreakSpace), QLatin1Char(' '));
    return result;
}

QString TextServices::uppercased(QStringView text, QStringView localeName) {
    icu::UnicodeString upper(icubridge::aliasOf(text));
    upper.toUpper(icubridge::localeFromName(localeName));
    return icubridge::toQString(upper);
}

QString TextServices::caseAndDiacriticFolded(QStringView text, QStringView localeName) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return text.toString();
    // Fold the composed text first: under Turkic rules "İ" folds to "i", but its decomposed
    // "I" + dot would fold to a dotless "ı".
    icu::UnicodeString folded = nfc->normalize(icubridge::aliasOf(text), status);
    folded.foldCase(foldOptions(usesTurkicCaseRules(localeName)));
    const icu::UnicodeString decomposed = nfd->normalize(folded, status);

    // Drop the combining accents; the spacing vowel signs of other scripts stay.
    icu::UnicodeString bare;
    for (int32_t index = 0; index < decomposed.length();) {
        const UChar32 character = decomposed.char32At(index);
        const bool accent = u_charType(character) == U_NON_SPACING_MARK &&
                            u_hasBinaryProperty(character, UCHAR_DIACRITIC);
        if (!accent)
            bare.append(character);
        index += U16_LENGTH(character);
    }
    const icu::UnicodeString composed = nfc->normalize(bare, status);
    return icubridge::toQString(U_SUCCESS(status) ? composed : bare);
}

bool TextServices::localizedCaseInsensitiveContains(QStringView text, QStringView query,
                                                    QStringView localeName) {
    return CaseInsensitiveSearch(query, localeName).isFoundIn(text);
}

CaseInsensitiveSearch::CaseInsensitiveSearch(QStringView query, QStringView localeName)
    : m_turkicCaseRules(usesTurkicCaseRules(localeName)) {
    std::u16string folded;
    searchFormInto(query, m_turkicCaseRules, folded);
    m_foldedQuery =
        QString(reinterpret_cast<const QChar*>(folded.data()), qsizetype(folded.size()));
    m_queryIsAscii = isAscii(m_foldedQuery);
}

bool CaseInsensitiveSearch::isFoundIn(QStringView text) const {
    if (m_foldedQuery.isEmpty())
        return true;
    // Turkic rules fold ASCII "I" to a dotless ı, so plain ASCII is not closed under them.
    if (!m_turkicCaseRules && isAscii(text)) {
        // Folded ASCII stays ASCII: a query with other characters cannot occur in it.
        return m_queryIsAscii && asciiCaseInsensitiveContains(text, m_foldedQuery);
    }

    thread_local std::u16string folded;
    searchFormInto(text, m_turkicCaseRules, folded);
    return isFoundInSearchForm(folded);
}

void CaseInsensitiveSearch::writeSearchForm(QStringView text, std::u16string& out) const {
    if (!m_turkicCaseRules && isAscii(text)) {
        out.resize(std::size_t(text.size()));
        for (qsizetype index = 0; index < text.size(); ++index)
            out[std::size_t(index)] = asciiLower(text[index].unicode());
        return;
    }
    searchFormInto(text, m_turkicCaseRules, out);
}

bool CaseInsensitiveSearch::isFoundInSearchForm(std::u16string_view searchForm) const {
    if (m_foldedQuery.isEmpty())
        return true;
    const std::u16string_view needle(reinterpret_cast<const char16_t*>(m_foldedQuery.utf16()),
                                     std::size_t(m_foldedQuery.size()));
    for (std::size_t start = searchForm.find(needle); start != std::u16string_view::npos;
         start = searchForm.find(needle, start + 1)) {
        if (endsOnCharacterBoundary(searchForm, start + needle.size()))
            return true;
    }
    return false;
}

} // namespace brevanta
