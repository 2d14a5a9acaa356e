#include "typeset/reader_line.h"

#include <algorithm>

#include "book/byte_find.h"
#include "book/text_encoding.h"

namespace folix {
namespace {

// The line's code points, and for each UTF-8 byte offset that starts one (and for the end)
// its code-point offset.
struct DecodedLine {
    std::u32string text;
    std::vector<size_t> at_byte;
};

DecodedLine Decode(std::string_view line) {
    DecodedLine decoded;
    decoded.text.reserve(line.size());
    decoded.at_byte.assign(line.size() + 1, 0);
    for (size_t pos = 0; pos < line.size();) {
        const size_t start = pos;
        const char32_t c = NextCodePoint(line, pos);
        std::fill(decoded.at_byte.begin() + static_cast<std::ptrdiff_t>(start),
                  decoded.at_byte.begin() + static_cast<std::ptrdiff_t>(pos), decoded.text.size());
        decoded.text += c;
    }
    decoded.at_byte[line.size()] = decoded.text.size();
    return decoded;
}

// Appends shown text read from typed[from, to), pairing each shown character with the typed one
// it is: the reading only drops characters (an escaping bar), so a character that differs from
// the typed one is matched further on.
void AppendAligned(ReaderLine& read, const std::u32string& typed, size_t from, size_t to,
                   const std::u32string& shown) {
    size_t t = from;
    for (const char32_t ch : shown) {
        while (t + 1 < to && typed[t] != ch) {
            ++t;
        }
        read.text += ch;
        read.typed_offset.push_back(std::min(t, to > from ? to - 1 : from));
        ++t;
    }
}

}  // namespace

ReaderLine ReadTypedLine(std::string_view line) {
    ReaderLine read;
    // Every piece of notation holds an opening bracket: most lines have none.
    if (FindBytes(line, "《") == std::string_view::npos) {
        read.text = CodePointsOf(line);
        return read;
    }
    const std::vector<NotationRun> runs = ParseNotation(line);
    const bool plain = std::all_of(runs.begin(), runs.end(), [](const NotationRun& run) {
        return run.kind == NotationKind::kText && run.base.size() == run.end - run.begin;
    });
    const DecodedLine typed = Decode(line);
    if (plain) {
        read.text = typed.text;
        return read;
    }
    read.text.reserve(typed.text.size());
    read.typed_offset.reserve(typed.text.size() + 1);
    for (const NotationRun& run : runs) {
        const size_t shown_begin = read.text.size();
        if (run.kind == NotationKind::kText) {
            AppendAligned(read, typed.text, typed.at_byte[run.begin], typed.at_byte[run.end],
                          CodePointsOf(run.base));
            continue;
        }
        AppendAligned(read, typed.text, typed.at_byte[run.base_begin], typed.at_byte[run.base_end],
                      CodePointsOf(run.base));
        read.marks.push_back({run.kind, shown_begin, read.text.size(), CodePointsOf(run.ruby)});
    }
    read.typed_offset.push_back(typed.text.size());
    return read;
}

size_t ShownOffsetOf(const std::vector<size_t>& typed_offset, size_t typed) {
    if (typed_offset.empty()) {
        return typed;
    }
    const auto it = std::upper_bound(typed_offset.begin(), typed_offset.end(), typed);
    return it == typed_offset.begin() ? 0 : static_cast<size_t>(it - typed_offset.begin()) - 1;
}

std::vector<ShownSpan> UprightSpansOf(std::u32string_view shown, int max_digits) {
    std::vector<ShownSpan> spans;
    // Only half-width digits and ! ? are ever set upright: most paragraphs have none.
    const bool any = std::any_of(shown.begin(), shown.end(), [](char32_t c) {
        return (c >= U'0' && c <= U'9') || c == U'!' || c == U'?';
    });
    if (!any) {
        return spans;
    }
    std::string utf8;
    std::vector<size_t> at_byte;
    for (size_t i = 0; i < shown.size(); ++i) {
        AppendUtf8(utf8, shown[i]);
        at_byte.resize(utf8.size(), i);  // each byte of the character names it
    }
    at_byte.push_back(shown.size());
    for (const UprightRun& run : FindUprightRuns(utf8, max_digits)) {
        spans.push_back({at_byte[run.begin], at_byte[run.end]});
    }
    return spans;
}

}  // namespace folix
