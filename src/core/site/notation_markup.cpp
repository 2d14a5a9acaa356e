#include "site/notation_markup.h"

#include <algorithm>
#include <vector>

#include "notation/novel_notation.h"

namespace folix {
namespace {

constexpr std::string_view kCommentStart = "<!--";
constexpr std::string_view kCommentEnd = "-->";
constexpr std::string_view kTagEnd = ">";

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "<" then a letter, "/", "!" or "?" opens markup, as a browser reads it; any other "<" is text.
bool StartsMarkup(std::string_view line, std::size_t pos) {
    if (line[pos] != '<' || pos + 1 >= line.size()) {
        return false;
    }
    const char next = line[pos + 1];
    return IsAsciiAlnum(next) || next == '/' || next == '!' || next == '?';
}

std::size_t FindIgnoringCase(std::string_view text, std::size_t from, std::string_view needle) {
    auto found =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), needle.begin(),
                    needle.end(), [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

// The lower-case name of the tag opened at pos ("<script ..." gives "script"); empty for a
// closing tag or a declaration.
std::string TagName(std::string_view line, std::size_t pos) {
    std::string name;
    for (std::size_t i = pos + 1; i < line.size() && IsAsciiAlnum(line[i]); ++i) {
        name += AsciiLower(line[i]);
    }
    return name;
}

struct ByteRange {
    std::size_t begin;
    std::size_t end;
};

// Character references ("&#12354;", "&amp;"): their digits are never set upright.
std::vector<ByteRange> CharacterReferences(std::string_view text) {
    std::vector<ByteRange> found;
    for (std::size_t pos = text.find('&'); pos != std::string_view::npos;
         pos = text.find('&', pos + 1)) {
        std::size_t end = pos + 1;
        if (end < text.size() && text[end] == '#') {
            ++end;
        }
        while (end < text.size() && IsAsciiAlnum(text[end])) {
            ++end;
        }
        if (end < text.size() && text[end] == ';') {
            ++end;
        }
        found.push_back({pos, end});
    }
    return found;
}

void AppendSpan(std::string& out, const char* css_class, std::string_view text) {
    out += "<SPAN class=\"";
    out += css_class;
    out += "\">";
    out += text;
    out += "</SPAN>";
}

}  // namespace

std::string NotationMarkup::Convert(std::string_view line) {
    std::string out;
    out.reserve(line.size() + line.size() / 2);
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (!open_until_.empty()) {
            pos = CopyMarkup(line, pos, out);
        } else if (line.substr(pos).starts_with(kCommentStart)) {
            out += kCommentStart;
            pos += kCommentStart.size();
            open_until_ = kCommentEnd;
        } else if (StartsMarkup(line, pos)) {
            const std::string name = TagName(line, pos);
            if (name == "script" || name == "style") {
                raw_element_ = name;
            }
            open_until_ = kTagEnd;
        } else {
            std::size_t next = pos + 1;
            while (next < line.size() && !StartsMarkup(line, next)) {
                ++next;
            }
            ConvertText(line.substr(pos, next - pos), out);
            pos = next;
        }
    }
    return out;
}

std::size_t NotationMarkup::CopyMarkup(std::string_view line, std::size_t pos, std::string& out) {
    std::size_t end = std::string_view::npos;
    if (open_until_ == kTagEnd) {
        // A ">" inside a quoted attribute value does not end the tag.
        for (std::size_t i = pos; i < line.size() && end == std::string_view::npos; ++i) {
            if (quote_ != 0) {
                quote_ = line[i] == quote_ ? 0 : quote_;
            } else if (line[i] == '"' || line[i] == '\'') {
                quote_ = line[i];
            } else if (line[i] == '>') {
                end = i + 1;
            }
        }
    } else {
        end = FindIgnoringCase(line, pos, open_until_);
        if (end != std::string_view::npos) {
            end += open_until_.size();
        }
    }
    if (end == std::string_view::npos) {
        out += line.substr(pos);
        return line.size();
    }
    out += line.substr(pos, end - pos);
    if (open_until_ == kTagEnd && !raw_element_.empty()) {
        // The inside of SCRIPT or STYLE is code: it runs to the closing tag, which then ends.
        open_until_ = "</" + raw_element_;
        raw_element_.clear();
    } else if (open_until_.starts_with("</")) {
        open_until_ = kTagEnd;
    } else {
        open_until_.clear();
    }
    return end;
}

void NotationMarkup::ConvertText(std::string_view text, std::string& out) const {
    for (const NotationRun& run : ParseNotation(text)) {
        switch (run.kind) {
            case NotationKind::kText:
                AppendUpright(run.base, out);
                break;
            case NotationKind::kRuby:
                out += "<RUBY>";
                AppendUpright(run.base, out);
                out += "<RP>（</RP><RT>";
                out += run.ruby;
                out += "</RT><RP>）</RP></RUBY>";
                break;
            case NotationKind::kEmphasis: {
                std::string emphasised;
                AppendUpright(run.base, emphasised);
                AppendSpan(out, kEmphasisClass, emphasised);
                break;
            }
        }
    }
}

void NotationMarkup::AppendUpright(std::string_view text, std::string& out) const {
    if (!vertical_) {
        out += text;
        return;
    }
    const std::vector<ByteRange> references = CharacterReferences(text);
    std::size_t copied = 0;
    for (const UprightRun& run : FindUprightRuns(text, upright_digits_)) {
        const bool in_reference =
            std::any_of(references.begin(), references.end(),
                        [&](const ByteRange& r) { return run.begin < r.end && r.begin < run.end; });
        if (in_reference) {
            continue;
        }
        out += text.substr(copied, run.begin - copied);
        AppendSpan(out, kUprightClass, text.substr(run.begin, run.end - run.begin));
        copied = run.end;
    }
    out += text.substr(copied);
}

std::string NotationStyleRules(std::string_view style_sheet, bool vertical) {
    std::string rules;
    if (style_sheet.find(kEmphasisClass) == std::string_view::npos) {
        rules += std::string("SPAN.") + kEmphasisClass +
                 "{\r\ntext-emphasis:sesame;\r\n-webkit-text-emphasis:sesame\r\n}\r\n";
    }
    if (vertical && style_sheet.find(kUprightClass) == std::string_view::npos) {
        rules += std::string("SPAN.") + kUprightClass +
                 "{\r\ntext-combine-upright:all;\r\n-webkit-text-combine:horizontal\r\n}\r\n";
    }
    return rules;
}

}  // namespace folix
