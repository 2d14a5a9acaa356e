#include "editing/word_boundary.h"

namespace folix {
namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Marks that lengthen or voice the sound before them: they belong to whatever they follow.
bool IsSoundMark(char32_t c) {
    return c == U'ー' || c == U'ｰ' || c == U'゛' || c == U'゜' || c == U'ﾞ' || c == U'ﾟ';
}

}  // namespace

WordScript ScriptOf(char32_t c) {
    if (InRange(c, U'0', U'9') || InRange(c, U'A', U'Z') || InRange(c, U'a', U'z') || c == U'_' ||
        InRange(c, U'０', U'９') || InRange(c, U'Ａ', U'Ｚ') || InRange(c, U'ａ', U'ｚ') ||
        c == U'＿' || (InRange(c, 0xC0, 0x24F) && c != U'×' && c != U'÷') ||
        InRange(c, 0x1E00, 0x1EFF)) {
        return WordScript::kLatin;
    }
    if (InRange(c, 0x386, 0x3FF) || InRange(c, 0x1F00, 0x1FFF)) {
        return c == 0x387 ? WordScript::kNone : WordScript::kGreek;
    }
    if (InRange(c, 0x400, 0x52F)) {
        return WordScript::kCyrillic;
    }
    if (InRange(c, 0x3041, 0x309F)) {
        return WordScript::kHiragana;
    }
    if ((InRange(c, 0x30A1, 0x30FF) && c != U'・') || InRange(c, 0x31F0, 0x31FF) ||
        InRange(c, 0xFF66, 0xFF9F)) {
        return WordScript::kKatakana;
    }
    if (InRange(c, 0x4E00, 0x9FFF) || InRange(c, 0x3400, 0x4DBF) || InRange(c, 0xF900, 0xFAFF) ||
        InRange(c, 0x20000, 0x3134F) || c == U'々' || c == U'〆' || c == U'〇') {
        return WordScript::kHan;
    }
    if (InRange(c, 0xAC00, 0xD7A3) || InRange(c, 0x1100, 0x11FF) || InRange(c, 0x3131, 0x318E)) {
        return WordScript::kHangul;
    }
    return WordScript::kNone;
}

WordScript ScriptAt(std::u32string_view text, size_t pos) {
    size_t walk = pos;
    while (IsSoundMark(text[walk]) && walk > 0) {
        --walk;
    }
    WordScript script = ScriptOf(text[walk]);
    if (IsSoundMark(text[pos]) && script == WordScript::kNone) {
        // A mark after a space or at the start: it still reads as kana.
        return ScriptOf(text[pos]);
    }
    return script;
}

bool IsWordBoundary(std::u32string_view text, size_t pos) {
    if (pos == 0 || pos >= text.size()) {
        return true;
    }
    WordScript before = ScriptAt(text, pos - 1);
    return before == WordScript::kNone || before != ScriptAt(text, pos);
}

}  // namespace folix
