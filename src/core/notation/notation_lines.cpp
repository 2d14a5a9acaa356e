#include "notation/notation_lines.h"

#include "book/byte_find.h"
#include "notation/novel_notation.h"

namespace folix {

std::optional<std::string> NotationBaseTextOfLines(std::string_view text) {
    // Every piece of notation holds an opening bracket.
    if (FindBytes(text, "《") == std::string_view::npos) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        std::string_view ending;
        if (end != std::string_view::npos) {
            const size_t cr = line.ends_with('\r') ? 1 : 0;
            ending = text.substr(end - cr, cr + 1);
            line.remove_suffix(cr);
        }
        out += NotationBaseText(line);
        out += ending;
        text.remove_prefix(line.size() + ending.size());
    }
    return out;
}

}  // namespace folix
