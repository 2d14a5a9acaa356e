#include "notation/notation_lines.h"

#include "book/byte_find.h"
#include "book/line_ends.h"
#include "notation/novel_notation.h"

namespace folix {

std::optional<std::string> NotationBaseTextOfLines(std::string_view text) {
    // Every piece of notation holds an opening bracket.
    if (FindBytes(text, "《") == std::string_view::npos) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size());
    for (size_t start = 0; start < text.size();) {
        const LineEnd end = FindLineEnd(text, start);
        out += NotationBaseText(text.substr(start, end.at - start));
        out += text.substr(end.at, end.length);
        start = end.at + end.length;
    }
    return out;
}

}  // namespace folix
