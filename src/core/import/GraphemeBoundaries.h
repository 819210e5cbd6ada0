// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include <cstdint>
#include <limits>
#include <memory>

struct UBreakIterator;

namespace brevanta {

/// Where the user-perceived characters (extended grapheme clusters) of a text begin and end.
///
/// Ordinary text is answered from the code units alone: no two code points below U+0300 ever
/// join (CR LF aside), so between two such neighbours there is always a boundary. ICU's character
/// break iterator is opened only the first time a position touches a code unit from U+0300 up,
/// and is then asked only about such positions.
class GraphemeBoundaries {
public:
    /// ICU addresses text with 32-bit offsets: longer texts are seen through windows of this
    /// many code units, each starting just after a line end where one is near.
    static constexpr qsizetype kLargestWindow = std::numeric_limits<std::int32_t>::max();

    explicit GraphemeBoundaries(QStringView text, qsizetype largestWindow = kLargestWindow);
    ~GraphemeBoundaries();
    GraphemeBoundaries(const GraphemeBoundaries&) = delete;
    GraphemeBoundaries& operator=(const GraphemeBoundaries&) = delete;

    /// Whether a character starts (or the text ends) at `position`, 0 ≤ position ≤ size.
    bool isBoundary(qsizetype position);
    /// Whether the code unit at `position` is a whole character by itself.
    bool standsAlone(qsizetype position) {
        return isBoundary(position) && isBoundary(position + 1);
    }
    /// Whether any answer so far needed ICU.
    bool usedBreakIterator() const { return m_iteratorOpened; }

private:
    struct IteratorCloser {
        void operator()(UBreakIterator* iterator) const;
    };

    bool iteratorBoundary(qsizetype position);
    void placeWindowAround(qsizetype position);

    QStringView m_text;
    qsizetype m_largestWindow = kLargestWindow;
    std::unique_ptr<UBreakIterator, IteratorCloser> m_iterator;
    bool m_iteratorOpened = false;
    qsizetype m_windowStart = 0;
    qsizetype m_windowEnd = 0;
};

} // namespace brevanta
