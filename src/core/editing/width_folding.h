#pragma once

#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// One pair of the width-folding table: an ASCII character and its full-width twin, the
// character that the Shift_JIS code stands for.
struct WidthPair {
    char ascii;
    uint16_t sjis;
    std::string_view wide;  // UTF-8
};

// The code page's upper-casing, the letter case searches ignore when asked to: ASCII and
// full-width letters, nothing else.
char32_t FoldLetterCase(char32_t c);

// The 69 pairs: the space, the digits, the capital letters and every ASCII symbol.
std::span<const WidthPair> WidthFoldingTable();

// Makes the search text and another text comparable across widths: both are upper-cased (ASCII
// and full-width letters), and every character of the table that occurs in the search text, in
// either width, becomes its ASCII form in both. Characters the search text does not hold are
// left as they are, and folding a folded search text again changes nothing.
void FoldWidth(std::string& search, std::string& other);

// The two halves of FoldWidth. The search text is folded on its own and marks the ASCII
// characters it holds that have a twin; another text is folded against those marks.
using WidthMarks = std::bitset<128>;
std::string FoldSearchText(std::string_view search, WidthMarks& marks);
std::string FoldOtherText(std::string_view other, const WidthMarks& marks);

// A search text folded once, to be found in many texts as FoldWidth would find it there: a text
// is folded only when it holds the longest piece of the search text that folding leaves alone
// (a search text of kana and kanji is then looked for as it is).
class WidthFoldedSearch {
public:
    explicit WidthFoldedSearch(std::string_view search);

    // The search text as FoldWidth leaves it.
    const std::string& text() const { return folded_; }
    // Whether the text, folded against the search text, holds it.
    bool FoundIn(std::string_view text) const;

private:
    // Whether the text folded from pos on begins with the search text.
    bool FoldsToSearchAt(std::string_view text, size_t pos) const;

    WidthMarks marks_;
    std::string folded_;
    // Where the longest piece folding leaves alone lies in folded_.
    size_t anchor_start_ = 0;
    size_t anchor_size_ = 0;
    bool anchor_decides_ = false;
    // The UTF-8 of every character that folds to the first one of the search text; empty when
    // the search text is not UTF-8 or is empty, and each text is then folded whole.
    std::vector<std::string> first_forms_;
};

// Equal after folding copies of both, letter case ignored.
bool EqualsFolded(std::string_view a, std::string_view b);

}  // namespace folix
