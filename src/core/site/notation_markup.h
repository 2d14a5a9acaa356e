#pragma once

#include <string>
#include <string_view>

namespace folix {

// The classes the text page's notation is marked with, and the rules for them that the page's
// style sheet gains.
inline constexpr char kEmphasisClass[] = "notationEmphasis";
inline constexpr char kUprightClass[] = "notationUpright";

// Turns the web-novel notation in the lines of the text page into HTML: ruby into RUBY with
// parentheses for browsers without ruby, emphasis into a span with sesame dots, and in vertical
// pages short digit runs and "!?" pairs into upright spans. The writer's own HTML is left as
// typed: only text between tags is read, never a tag, a comment, a character reference or the
// inside of SCRIPT and STYLE, so notation cut by a tag stays as typed. Comments and those
// elements may run over lines, so one converter reads the lines of a page in order.
class NotationMarkup {
public:
    NotationMarkup(bool vertical, int upright_digits)
        : vertical_(vertical), upright_digits_(upright_digits) {}

    std::string Convert(std::string_view line);

private:
    void ConvertText(std::string_view text, std::string& out) const;
    void AppendUpright(std::string_view text, std::string& out) const;
    // Copies from pos to the end of the tag, comment or raw element the line is in; the rest
    // of the line when it does not end there.
    std::size_t CopyMarkup(std::string_view line, std::size_t pos, std::string& out);

    bool vertical_;
    int upright_digits_;
    // What ends the markup a previous line left open ("-->", ">" or "</script"); empty in text.
    std::string open_until_;
    std::string raw_element_;  // "script" or "style" while its opening tag is being read
    char quote_ = 0;           // the quote of an attribute value the tag is inside
};

// The rules for the classes above, to follow the style sheet's own, each ended by CR LF; the
// upright one only for vertical pages. A class the style sheet names already gets no rule, so
// that the writer's own rule stands.
std::string NotationStyleRules(std::string_view style_sheet, bool vertical);

}  // namespace folix
