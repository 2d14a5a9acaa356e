#include "editing/word_boundary.h"

#include <type_traits>

namespace folix {
namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Marks that lengthen or voice the sound before them: they belong to whatever they follow.
bool IsSoundMark(char32_t c) {
    return c == U'ー' || c == U'ｰ' || c == U'゛' || c == U'゜' || c == U'ﾞ' || c == U'ﾟ';
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char32_t CodePointAt(std::u32string_view text, size_t pos) {
    return text[pos];
}

char32_t CodePointAt(std::u16string_view text, size_t pos) {
    if (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) {
        return 0x10000 + ((char32_t{text[pos]} - 0xD800) << 10) + (text[pos + 1] - 0xDC00);
    }
    return text[pos];
}

// The code point that ends at pos; pos moves to its start.
char32_t CodePointBefore(std::u32string_view text, size_t& pos) {
    return text[--pos];
}

char32_t CodePointBefore(std::u16string_view text, size_t& pos) {
    --pos;
    if (pos > 0 && IsLowSurrogate(text[pos]) && IsHighSurrogate(text[pos - 1])) {
        --pos;
    }
    return CodePointAt(text, pos);
}

// The script of c, which starts at pos; a sound mark takes the script of the letter it follows.
template <typename Text>
WordScript ScriptInContext(Text text, size_t pos, char32_t c) {
    if (!IsSoundMark(c)) {
        return ScriptOf(c);
    }
    while (pos > 0) {
        char32_t before = CodePointBefore(text, pos);
        if (!IsSoundMark(before)) {
            WordScript script = ScriptOf(before);
            // After a space or a symbol the mark still reads as kana.
            return script == WordScript::kNone ? ScriptOf(c) : script;
        }
    }
    return ScriptOf(c);
}

template <typename Text>
bool IsBoundary(Text text, size_t pos) {
    if (pos == 0 || pos >= text.size()) {
        return true;
    }
    if constexpr (std::is_same_v<Text, std::u16string_view>) {
        if (IsLowSurrogate(text[pos]) && IsHighSurrogate(text[pos - 1])) {
            return false;
        }
    }
    size_t start = pos;
    const char32_t previous = CodePointBefore(text, start);
    const WordScript before = ScriptInContext(text, start, previous);
    return before == WordScript::kNone ||
           before != ScriptInContext(text, pos, CodePointAt(text, pos));
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

bool IsWordBoundary(std::u32string_view text, size_t pos) {
    return IsBoundary(text, pos);
}

bool IsWordBoundary(std::u16string_view text, size_t pos) {
    return IsBoundary(text, pos);
}

}  // namespace folix
