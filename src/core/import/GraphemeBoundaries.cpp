// SPDX-License-Identifier: MIT
#include "core/import/GraphemeBoundaries.h"

#include <unicode/ubrk.h>

#include <algorithm>

namespace brevanta {

namespace {

// Every code point below this has the grapheme break property Other, Control, CR or LF: two of
// them never join, CR LF aside.
constexpr char16_t kFirstJoiningCodeUnit = 0x0300;

bool isLineEnd(char16_t unit) {
    return unit == u'\n' || unit == u'\r';
}

} // namespace

void GraphemeBoundaries::IteratorCloser::operator()(UBreakIterator* iterator) const {
    ubrk_close(iterator);
}

GraphemeBoundaries::GraphemeBoundaries(QStringView text, qsizetype largestWindow)
    : m_text(text)
    , m_largestWindow(std::max<qsizetype>(largestWindow, 8)) {}

GraphemeBoundaries::~GraphemeBoundaries() = default;

bool GraphemeBoundaries::isBoundary(qsizetype position) {
    if (position <= 0 || position >= m_text.size())
        return true;
    const char16_t before = m_text[position - 1].unicode();
    const char16_t after = m_text[position].unicode();
    if (before < kFirstJoiningCodeUnit && after < kFirstJoiningCodeUnit)
        return !(before == u'\r' && after == u'\n');
    return iteratorBoundary(position);
}

bool GraphemeBoundaries::iteratorBoundary(qsizetype position) {
    // A boundary depends on what precedes it (possibly far back) but only on the one code point
    // that follows it, so the window must start before the position and reach two units past it.
    const bool inWindow =
        position > m_windowStart && (position + 2 <= m_windowEnd || m_windowEnd == m_text.size());
    if (!m_iteratorOpened || !inWindow)
        placeWindowAround(position);
    if (!m_iterator) {
        // Without ICU's rules, fall back to code points: never split a surrogate pair.
        return !(QChar::isHighSurrogate(m_text[position - 1].unicode()) &&
                 QChar::isLowSurrogate(m_text[position].unicode()));
    }
    return ubrk_isBoundary(m_iterator.get(), static_cast<std::int32_t>(position - m_windowStart));
}

void GraphemeBoundaries::placeWindowAround(qsizetype position) {
    const qsizetype size = m_text.size();
    qsizetype start = 0;
    if (size > m_largestWindow) {
        // Start right after the nearest line end: a character never spans one.
        const qsizetype earliest = std::max<qsizetype>(0, position - m_largestWindow / 2);
        start = earliest;
        for (qsizetype index = position - 1; index >= earliest; --index) {
            if (isLineEnd(m_text[index].unicode())) {
                start = index + 1;
                break;
            }
        }
        if (start > 0 && start < size && QChar::isLowSurrogate(m_text[start].unicode()) &&
            QChar::isHighSurrogate(m_text[start - 1].unicode())) {
            --start;
        }
    }
    m_windowStart = start;
    m_windowEnd = std::min(size, start + m_largestWindow);

    const auto* units = reinterpret_cast<const UChar*>(m_text.utf16()) + m_windowStart;
    const auto length = static_cast<std::int32_t>(m_windowEnd - m_windowStart);
    UErrorCode status = U_ZERO_ERROR;
    if (!m_iteratorOpened) {
        m_iteratorOpened = true;
        m_iterator.reset(ubrk_open(UBRK_CHARACTER, "", units, length, &status));
    } else if (m_iterator) {
        ubrk_setText(m_iterator.get(), units, length, &status);
    }
    if (U_FAILURE(status))
        m_iterator.reset();
}

} // namespace brevanta
