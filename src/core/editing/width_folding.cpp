#include "editing/width_folding.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <vector>

#include "book/byte_find.h"
#include "book/text_encoding.h"

namespace folix {
namespace {

// Laid out as the table is read: the space, the letters, the digits, then the symbols in their
// groups.
// clang-format off
constexpr std::array<WidthPair, 69> kWidthPairs{{
    {' ', 0x8140, "\u3000"},
    {'A', 0x8260, "Ａ"}, {'B', 0x8261, "Ｂ"}, {'C', 0x8262, "Ｃ"}, {'D', 0x8263, "Ｄ"},
    {'E', 0x8264, "Ｅ"}, {'F', 0x8265, "Ｆ"}, {'G', 0x8266, "Ｇ"}, {'H', 0x8267, "Ｈ"},
    {'I', 0x8268, "Ｉ"}, {'J', 0x8269, "Ｊ"}, {'K', 0x826A, "Ｋ"}, {'L', 0x826B, "Ｌ"},
    {'M', 0x826C, "Ｍ"}, {'N', 0x826D, "Ｎ"}, {'O', 0x826E, "Ｏ"}, {'P', 0x826F, "Ｐ"},
    {'Q', 0x8270, "Ｑ"}, {'R', 0x8271, "Ｒ"}, {'S', 0x8272, "Ｓ"}, {'T', 0x8273, "Ｔ"},
    {'U', 0x8274, "Ｕ"}, {'V', 0x8275, "Ｖ"}, {'W', 0x8276, "Ｗ"}, {'X', 0x8277, "Ｘ"},
    {'Y', 0x8278, "Ｙ"}, {'Z', 0x8279, "Ｚ"},
    {'1', 0x8250, "１"}, {'2', 0x8251, "２"}, {'3', 0x8252, "３"}, {'4', 0x8253, "４"},
    {'5', 0x8254, "５"}, {'6', 0x8255, "６"}, {'7', 0x8256, "７"}, {'8', 0x8257, "８"},
    {'9', 0x8258, "９"}, {'0', 0x824F, "０"},
    {'!', 0x8149, "！"}, {'"', 0x8168, "\u201D"}, {'#', 0x8194, "＃"}, {'$', 0x8190, "＄"},
    {'%', 0x8193, "％"}, {'&', 0x8195, "＆"},
    {'\'', 0x8166, "\u2019"}, {'(', 0x8169, "（"}, {')', 0x816A, "）"}, {'-', 0x817C, "－"},
    {'^', 0x814F, "＾"},
    {'\\', 0x818F, "￥"}, {'@', 0x8197, "＠"}, {'[', 0x816D, "［"}, {';', 0x8147, "；"},
    {':', 0x8146, "："}, {']', 0x816E, "］"},
    {',', 0x8143, "，"}, {'.', 0x8144, "．"}, {'/', 0x815E, "／"}, {'=', 0x8181, "＝"},
    {'~', 0x8160, "～"},
    {'|', 0x8162, "｜"}, {'`', 0x8165, "\u2018"}, {'{', 0x816F, "｛"}, {'+', 0x817B, "＋"},
    {'*', 0x8196, "＊"}, {'}', 0x8170, "｝"},
    {'<', 0x8183, "＜"}, {'>', 0x8184, "＞"}, {'?', 0x8148, "？"}, {'_', 0x8151, "＿"},
}};
// clang-format on

// Twin code point to ASCII partner, and which ASCII characters have a twin.
class WidthIndex {
public:
    static const WidthIndex& Instance() {
        static const WidthIndex index;
        return index;
    }

    // Looked up for every character of every file the tree search reads: one table access.
    std::optional<char> PartnerOf(char32_t wide) const {
        if (wide >= partners_.size() || partners_[wide] == 0) {
            return std::nullopt;
        }
        return partners_[wide];
    }
    bool HasTwin(char32_t ascii) const { return ascii < 128 && has_twin_[ascii]; }

private:
    WidthIndex() {
        for (const WidthPair& pair : kWidthPairs) {
            size_t pos = 0;
            const char32_t wide = NextCodePoint(pair.wide, pos);
            if (wide < partners_.size()) {
                partners_[wide] = pair.ascii;
            }
            has_twin_.set(static_cast<unsigned char>(pair.ascii));
        }
    }

    // Every twin lies in the Basic Multilingual Plane; 0 where a character has no partner.
    std::vector<char> partners_ = std::vector<char>(0x10000, 0);
    std::bitset<128> has_twin_;
};

// Takes the character of the text at pos, handing its upper-cased code point to fold, which
// appends what it makes of it; a byte that is not UTF-8 is kept as it is.
template <typename Fold>
void RewriteOne(std::string_view text, size_t& pos, Fold fold, std::string& result) {
    const size_t before = pos;
    char32_t c = NextCodePoint(text, pos);
    if (c == 0xFFFD && pos - before != 3) {
        result += text[before];
        return;
    }
    fold(FoldLetterCase(c), result);
}

// The same for every character of the text.
template <typename Fold>
std::string Rewrite(std::string_view text, Fold fold) {
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        RewriteOne(text, pos, fold, result);
    }
    return result;
}

// How another text's character, upper-cased, reads against the marks of a search text.
void AppendFoldedOther(char32_t c, const WidthMarks& marks, std::string& out) {
    std::optional<char> ascii = WidthIndex::Instance().PartnerOf(c);
    if (ascii && marks.test(static_cast<unsigned char>(*ascii))) {
        out += *ascii;
    } else {
        AppendUtf8(out, c);
    }
}

}  // namespace

char32_t FoldLetterCase(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - U'a' + U'A';
    }
    if (c >= U'ａ' && c <= U'ｚ') {
        return c - U'ａ' + U'Ａ';
    }
    return c;
}

std::string FoldSearchText(std::string_view search, WidthMarks& marks) {
    const WidthIndex& index = WidthIndex::Instance();
    marks.reset();
    return Rewrite(search, [&](char32_t c, std::string& out) {
        if (std::optional<char> ascii = index.PartnerOf(c)) {
            marks.set(static_cast<unsigned char>(*ascii));
            out += *ascii;
            return;
        }
        if (index.HasTwin(c)) {
            marks.set(c);
        }
        AppendUtf8(out, c);
    });
}

std::string FoldOtherText(std::string_view other, const WidthMarks& marks) {
    return Rewrite(other, [&](char32_t c, std::string& out) { AppendFoldedOther(c, marks, out); });
}

std::span<const WidthPair> WidthFoldingTable() {
    return kWidthPairs;
}

void FoldWidth(std::string& search, std::string& other) {
    WidthMarks marks;
    search = FoldSearchText(search, marks);
    other = FoldOtherText(other, marks);
}

WidthFoldedSearch::WidthFoldedSearch(std::string_view search)
    : folded_(FoldSearchText(search, marks_)) {
    // A character folding never makes from another one is found in a text as it is. The
    // longest run of such characters must be in the text unfolded for the search text to be in
    // it folded; when the whole search text is such a run, that decides.
    if (!IsValidUtf8(folded_)) {
        return;
    }
    size_t run_start = 0;
    size_t pos = 0;
    auto close_run = [&](size_t end) {
        if (end - run_start > anchor_size_) {
            anchor_start_ = run_start;
            anchor_size_ = end - run_start;
        }
    };
    while (pos < folded_.size()) {
        const size_t before = pos;
        const char32_t c = NextCodePoint(folded_, pos);
        if (c < 128 && WidthIndex::Instance().HasTwin(c)) {
            close_run(before);
            run_start = pos;
        }
    }
    close_run(pos);
    anchor_decides_ = anchor_size_ == folded_.size();

    // The characters of another text that fold to the search text's first one: itself, and for
    // an ASCII character with a twin, the twin, and a letter's lower case in either width.
    if (folded_.empty()) {
        return;
    }
    pos = 0;
    const char32_t first = NextCodePoint(folded_, pos);
    first_forms_.push_back(folded_.substr(0, pos));
    if (first < 128 && marks_.test(first)) {
        for (const WidthPair& pair : kWidthPairs) {
            if (static_cast<char32_t>(pair.ascii) == first) {
                first_forms_.emplace_back(pair.wide);
            }
        }
        if (first >= U'A' && first <= U'Z') {
            first_forms_.push_back(std::string(1, static_cast<char>(first - U'A' + U'a')));
            AppendUtf8(first_forms_.emplace_back(), first - U'A' + U'ａ');
        }
    }
}

bool WidthFoldedSearch::FoldsToSearchAt(std::string_view text, size_t pos) const {
    std::string folded;
    while (folded.size() < folded_.size() && pos < text.size()) {
        RewriteOne(
            text, pos, [&](char32_t c, std::string& out) { AppendFoldedOther(c, marks_, out); },
            folded);
        const size_t common = std::min(folded.size(), folded_.size());
        if (folded.compare(0, common, folded_, 0, common) != 0) {
            return false;
        }
    }
    return folded.size() >= folded_.size();
}

bool WidthFoldedSearch::FoundIn(std::string_view text) const {
    const std::string_view anchor = std::string_view(folded_).substr(anchor_start_, anchor_size_);
    if (!anchor.empty() && FindBytes(text, anchor) == std::string_view::npos) {
        return false;
    }
    if (anchor_decides_) {
        return true;
    }
    if (first_forms_.empty()) {
        return FindBytes(FoldOtherText(text, marks_), folded_) != std::string_view::npos;
    }
    // A match begins where the text holds a character folding to the search text's first one:
    // each such place, in the order of the text, is folded only as far as the search text
    // reaches, instead of folding the whole text.
    std::vector<size_t> next(first_forms_.size());
    for (size_t i = 0; i < first_forms_.size(); ++i) {
        next[i] = FindBytes(text, first_forms_[i]);
    }
    while (true) {
        const size_t at = *std::min_element(next.begin(), next.end());
        if (at == std::string_view::npos) {
            return false;
        }
        if (FoldsToSearchAt(text, at)) {
            return true;
        }
        for (size_t i = 0; i < first_forms_.size(); ++i) {
            if (next[i] == at) {
                const size_t after = FindBytes(text.substr(at + 1), first_forms_[i]);
                next[i] = after == std::string_view::npos ? after : at + 1 + after;
            }
        }
    }
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    std::string folded_a(a);
    std::string folded_b(b);
    FoldWidth(folded_a, folded_b);
    // Both copies are upper-cased by now, so what is left is a plain comparison.
    return folded_a == folded_b;
}

}  // namespace folix
