#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// Books come from Windows (CR LF), from every editor and version-control checkout here (LF) and
// now and then from old tools (a lone CR): every reader of a book's text takes each of the three
// as one line end. What the program writes ends its lines with CR LF.

struct LineEnd {
    size_t at = 0;      // where the line end starts; the size of the text when there is none
    size_t length = 0;  // 2 for CR LF, 1 for LF or CR, 0 at the end of the text
};

// The line end of the line starting at start.
LineEnd FindLineEnd(std::string_view text, size_t start);

// The lines of a text: a last piece without a line end is a line too, an empty piece after the
// last line end is not.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The text with every line end made line_end (CR LF for what the program writes, LF for the
// editor); the same text when it has no other.
std::string ReplaceLineEnds(std::string text, std::string_view line_end);

}  // namespace folix
