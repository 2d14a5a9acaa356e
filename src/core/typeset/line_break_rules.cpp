#include "typeset/line_break_rules.h"

#include <string_view>

namespace folix {
namespace {

bool IsOneOf(char32_t c, std::u32string_view list) {
    return list.find(c) != std::u32string_view::npos;
}

constexpr std::u32string_view kHanging = U"、。，．」』）］｝〕〉》】〙〗";
constexpr std::u32string_view kOpeningBrackets = U"「『（［｛〔〈《【〘〖";

}  // namespace

// The ellipses and the wave dash too, as the vertical view always kept them off a column's top.
bool IsNoStart(char32_t c) {
    static constexpr std::u32string_view kNoStart =
        U"、。，．・：；？！‼⁇⁈⁉ヽヾゝゞ々〻ー」』）］｝〕〉》】〙〗｠〟’”‐゠–〜～…‥"
        U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
        U")]},.!?;:%";
    return IsOneOf(c, kNoStart);
}

bool IsNoEnd(char32_t c) {
    return IsOneOf(c, kOpeningBrackets) || IsOneOf(c, U"｟〝‘“([{");
}

bool IsInseparable(char32_t c) {
    return IsOneOf(c, U"—…‥〳〴〵");
}

bool HangsPastLineEnd(char32_t c) {
    return IsOneOf(c, kHanging);
}

bool IsOpeningBracket(char32_t c) {
    return IsOneOf(c, kOpeningBrackets);
}

bool IsKana(char32_t c) {
    return (c >= 0x3041 && c <= 0x309F) || (c >= 0x30A0 && c <= 0x30FF);
}

bool StandsUprightInVertical(char32_t c) {
    if (c < 0x1100) {
        return c == 0xA7 || c == 0xA9 || c == 0xAE || c == 0xB1 || c == 0xBC || c == 0xBD ||
               c == 0xBE || c == 0xD7 || c == 0xF7;
    }
    return (c <= 0x11FF) || (c >= 0x2014 && c <= 0x2015) || (c >= 0x2025 && c <= 0x2026) ||
           (c >= 0x2030 && c <= 0x2031) || (c >= 0x203B && c <= 0x203C) ||
           (c >= 0x2100 && c <= 0x218F) || (c >= 0x2460 && c <= 0x24FF) ||
           (c >= 0x25A0 && c <= 0x27BF) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xA960 && c <= 0xA97F) || (c >= 0xAC00 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFAFF) || (c >= 0xFE10 && c <= 0xFE1F) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x1F000;
}

}  // namespace folix
