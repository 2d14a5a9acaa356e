#include "notation/novel_notation.h"

#include <algorithm>
#include <optional>

#include "book/text_encoding.h"

namespace folix {
namespace {

constexpr std::string_view kOpen = "《";
constexpr std::string_view kClose = "》";
constexpr std::string_view kWideBar = "｜";
constexpr std::string_view kNarrowBar = "|";
constexpr std::size_t kMaxBaseCharacters = 20;
constexpr std::size_t kMaxRubyCharacters = 50;

bool IsKanji(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F) || c == U'々' ||
           c == U'〆' || c == U'ヶ';
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Where a stretch that ends at a closing bracket ends, and how many characters it holds.
struct Enclosed {
    std::size_t close = 0;
    std::size_t characters = 0;
};

// Reads from `pos` to the first "》". An opening bracket or a line end first means the
// stretch is not closed here: notation neither nests nor crosses a line.
std::optional<Enclosed> ReadToClose(std::string_view line, std::size_t pos, std::size_t limit) {
    Enclosed found;
    while (pos < line.size() && !IsLineEnd(line[pos])) {
        std::string_view rest = line.substr(pos);
        if (rest.starts_with(kClose)) {
            found.close = pos;
            return found;
        }
        if (rest.starts_with(kOpen) || ++found.characters > limit) {
            return std::nullopt;
        }
        NextCodePoint(line, pos);
    }
    return std::nullopt;
}

std::size_t BarLength(std::string_view line, std::size_t pos) {
    std::string_view rest = line.substr(pos);
    if (rest.starts_with(kWideBar)) {
        return kWideBar.size();
    }
    return rest.starts_with(kNarrowBar) ? kNarrowBar.size() : 0;
}

// Reads one line left to right, gathering plain text until a piece of notation completes.
class NotationReader {
public:
    explicit NotationReader(std::string_view line) : line_(line) {}

    std::vector<NotationRun> Read() {
        while (pos_ < line_.size()) {
            if (ReadEmphasis() || ReadBar() || ReadKanjiRuby()) {
                continue;
            }
            std::size_t from = pos_;
            NextCodePoint(line_, pos_);
            text_.append(line_.substr(from, pos_ - from));
        }
        EndText(pos_);
        return std::move(runs_);
    }

private:
    // 《《強調》》
    bool ReadEmphasis() {
        std::size_t inner = pos_ + 2 * kOpen.size();
        if (!line_.substr(pos_).starts_with(kOpen) ||
            !line_.substr(pos_ + kOpen.size()).starts_with(kOpen)) {
            return false;
        }
        std::optional<Enclosed> text = ReadToClose(line_, inner, line_.size());
        if (!text || text->characters == 0 ||
            !line_.substr(text->close + kClose.size()).starts_with(kClose)) {
            return false;
        }
        AddRun(NotationKind::kEmphasis, inner, text->close, text->close + 2 * kClose.size(), {});
        return true;
    }

    // ｜親文字《るび》, and ｜《 for a bracket that opens nothing.
    bool ReadBar() {
        std::size_t bar = BarLength(line_, pos_);
        if (bar == 0) {
            return false;
        }
        std::size_t base = pos_ + bar;
        if (line_.substr(base).starts_with(kOpen)) {
            text_.append(kOpen);
            pos_ = base + kOpen.size();
            return true;
        }
        std::size_t open = base;
        std::size_t characters = 0;
        while (open < line_.size() && !line_.substr(open).starts_with(kOpen)) {
            // A nearer bar starts the ruby; this one is then plain text.
            if (BarLength(line_, open) != 0 || line_.substr(open).starts_with(kClose) ||
                IsLineEnd(line_[open]) || ++characters > kMaxBaseCharacters) {
                return false;
            }
            NextCodePoint(line_, open);
        }
        return open < line_.size() && ReadRubyAfter(base, open);
    }

    // 漢字《かんじ》: the base is the kanji right before the bracket, within the plain text.
    bool ReadKanjiRuby() {
        if (!line_.substr(pos_).starts_with(kOpen)) {
            return false;
        }
        std::size_t base = pos_;
        std::size_t characters = 0;
        while (base > text_begin_) {
            std::size_t previous = base - 1;
            while (previous > text_begin_ && (line_[previous] & 0xC0) == 0x80) {
                --previous;
            }
            std::size_t next = previous;
            if (!IsKanji(NextCodePoint(line_, next)) || next != base) {
                break;
            }
            if (++characters > kMaxBaseCharacters) {
                return false;
            }
            base = previous;
        }
        if (characters == 0 || !ReadRubyAfter(base, pos_)) {
            return false;
        }
        return true;
    }

    bool ReadRubyAfter(std::size_t base, std::size_t open) {
        std::size_t ruby_begin = open + kOpen.size();
        std::optional<Enclosed> ruby = ReadToClose(line_, ruby_begin, kMaxRubyCharacters);
        if (!ruby || ruby->characters == 0) {
            return false;
        }
        // A kanji base was read as plain text so far; take it back out of the text.
        if (base < pos_) {
            text_.resize(text_.size() - (pos_ - base));
            pos_ = base;
        }
        AddRun(NotationKind::kRuby, base, open, ruby->close + kClose.size(),
               std::string(line_.substr(ruby_begin, ruby->close - ruby_begin)));
        return true;
    }

    void AddRun(NotationKind kind, std::size_t base_begin, std::size_t base_end, std::size_t end,
                std::string ruby) {
        EndText(pos_);
        NotationRun run;
        run.kind = kind;
        run.begin = pos_;
        run.end = end;
        run.base_begin = base_begin;
        run.base_end = base_end;
        run.base = std::string(line_.substr(base_begin, base_end - base_begin));
        run.ruby = std::move(ruby);
        runs_.push_back(std::move(run));
        pos_ = end;
        text_begin_ = end;
    }

    void EndText(std::size_t end) {
        if (end > text_begin_) {
            NotationRun run;
            run.begin = run.base_begin = text_begin_;
            run.end = run.base_end = end;
            run.base = std::move(text_);
            runs_.push_back(std::move(run));
        }
        text_.clear();
        text_begin_ = end;
    }

    std::string_view line_;
    std::size_t pos_ = 0;
    std::size_t text_begin_ = 0;
    std::string text_;
    std::vector<NotationRun> runs_;
};

}  // namespace

std::vector<NotationRun> ParseNotation(std::string_view line) {
    return NotationReader(line).Read();
}

std::vector<UprightRun> FindUprightRuns(std::string_view text, int max_digits) {
    const auto longest = static_cast<std::size_t>(std::clamp(max_digits, 2, 4));
    const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto is_mark = [](char c) { return c == '!' || c == '?'; };
    std::vector<UprightRun> runs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (!is_digit(c) && !is_mark(c)) {
            ++pos;
            continue;
        }
        const bool digits = is_digit(c);
        std::size_t end = pos;
        while (end < text.size() && (digits ? is_digit(text[end]) : is_mark(text[end]))) {
            ++end;
        }
        // Digits inside a Latin word ("A4", "mp3") lie on their side with the word.
        const bool in_word = digits && ((pos > 0 && IsAsciiLetter(text[pos - 1])) ||
                                        (end < text.size() && IsAsciiLetter(text[end])));
        const std::size_t length = end - pos;
        if (digits ? (length <= longest && !in_word) : length == 2) {
            runs.push_back({pos, end});
        }
        pos = end;
    }
    return runs;
}

std::string NotationBaseText(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (const NotationRun& run : ParseNotation(line)) {
        text += run.base;
    }
    return text;
}

}  // namespace folix
