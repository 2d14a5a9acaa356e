#include "book/line_ends.h"

#include <cstring>

namespace folix {

// Two scans with memchr over each line instead of one over both bytes: CR LF books, the usual
// kind, are read at the speed of the library's byte search.
LineEnd FindLineEnd(std::string_view text, size_t start) {
    const char* const begin = text.data();
    const size_t size = text.size();
    if (start >= size) {
        return {size, 0};
    }
    const auto* lf = static_cast<const char*>(std::memchr(begin + start, '\n', size - start));
    const size_t lf_at = lf != nullptr ? static_cast<size_t>(lf - begin) : size;
    if (const auto* cr =
            static_cast<const char*>(std::memchr(begin + start, '\r', lf_at - start))) {
        const auto cr_at = static_cast<size_t>(cr - begin);
        return {cr_at, cr_at + 1 == lf_at ? size_t{2} : size_t{1}};
    }
    return {lf_at, lf != nullptr ? size_t{1} : size_t{0}};
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        const LineEnd end = FindLineEnd(text, start);
        lines.push_back(text.substr(start, end.at - start));
        start = end.at + end.length;
    }
    return lines;
}

std::string ReplaceLineEnds(std::string text, std::string_view line_end) {
    // Nothing is copied up to the first line end that differs.
    size_t start = 0;
    LineEnd end = FindLineEnd(text, start);
    while (end.length > 0 && std::string_view(text).substr(end.at, end.length) == line_end) {
        start = end.at + end.length;
        end = FindLineEnd(text, start);
    }
    if (end.length == 0) {
        return text;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    out.append(text, 0, start);
    while (start < text.size()) {
        end = FindLineEnd(text, start);
        out.append(text, start, end.at - start);
        if (end.length > 0) {
            out += line_end;
        }
        start = end.at + end.length;
    }
    return out;
}

}  // namespace folix
