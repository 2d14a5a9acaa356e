#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "notation/novel_notation.h"

namespace folix {

// One line of a text as a reader sees it once the web-novel notation is read, in code points:
// the text shown (bars, brackets and ruby dropped), where each shown character was typed, and
// the ruby and emphasis over stretches of the shown text. Every layout starts from it: the
// vertical view and print, the horizontal ruby, the grid of manuscript sheets and the counts.
struct ReaderLine {
    struct Mark {
        NotationKind kind = NotationKind::kRuby;  // kRuby or kEmphasis
        size_t begin = 0;                         // in the shown text
        size_t end = 0;
        std::u32string ruby;
    };
    std::u32string text;
    // Per shown character the typed offset it came from, and one more entry: the typed length.
    // Empty when the line is shown as typed.
    std::vector<size_t> typed_offset;
    std::vector<Mark> marks;
};

// The line (UTF-8, no line end in it) as read.
ReaderLine ReadTypedLine(std::string_view line);

// The shown character typed at, or last before, a typed offset; typed_offset as in ReaderLine.
size_t ShownOffsetOf(const std::vector<size_t>& typed_offset, size_t typed);

// A stretch of the shown text, in code points.
struct ShownSpan {
    size_t begin = 0;
    size_t end = 0;
};

// Where vertical writing sets digits and !? upright in one em (the notation's upright runs,
// max_digits as the book allows).
std::vector<ShownSpan> UprightSpansOf(std::u32string_view shown, int max_digits);

}  // namespace folix
