#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// What one stretch of a line is, once the web-novel notation is read.
enum class NotationKind { kText, kRuby, kEmphasis };

struct NotationRun {
    NotationKind kind = NotationKind::kText;
    std::size_t begin = 0;       // where the run starts in the line as typed (UTF-8 bytes)
    std::size_t end = 0;         // one past where it ends as typed
    std::size_t base_begin = 0;  // where the base (kRuby) or the emphasised text (kEmphasis)
    std::size_t base_end = 0;    //   lies in the typed line; for kText the same as begin/end
    std::string base;  // what is read: the plain text (an escaped "｜《" read as "《"),
                       //   the base of the ruby, or the emphasised text
    std::string ruby;  // the ruby over the base (kRuby only)
};

// The runs of one line (no line end in it), in order, covering [0, line.size()) without gaps.
// Anything that is not notation is kText, character for character as typed.
std::vector<NotationRun> ParseNotation(std::string_view line);

// Where vertical writing sets characters upright: runs of half-width digits 1..max_digits long
// (max_digits is 2, 3 or 4; a longer run gets no entry and lies on its side) and the pairs
// "!!" "!?" "?!" "??". Offsets are UTF-8 bytes of `text`.
struct UprightRun {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<UprightRun> FindUprightRuns(std::string_view text, int max_digits);

// The line as read: bases kept, bars, brackets and ruby dropped (the TEXT build's "base" form).
std::string NotationBaseText(std::string_view line);

}  // namespace folix
