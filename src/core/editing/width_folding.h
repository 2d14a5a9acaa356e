#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace folix {

// One pair of the width-folding table: an ASCII character and its full-width twin, the
// character that the Shift_JIS code stands for.
struct WidthPair {
    char ascii;
    uint16_t sjis;
    std::string_view wide;  // UTF-8
};

// The 69 pairs: the space, the digits, the capital letters and every ASCII symbol.
std::span<const WidthPair> WidthFoldingTable();

// Makes the search text and another text comparable across widths: both are upper-cased (ASCII
// and full-width letters), and every character of the table that occurs in the search text, in
// either width, becomes its ASCII form in both. Characters the search text does not hold are
// left as they are, and folding a folded search text again changes nothing.
void FoldWidth(std::string& search, std::string& other);

// Equal after folding copies of both, letter case ignored.
bool EqualsFolded(std::string_view a, std::string_view b);

}  // namespace folix
