#pragma once

#include <string_view>

namespace folix {

// Words as a Japanese writer sees them in running text: a word is a run of letters, digits or
// underscores, and a run of one script ends where the script changes, so 山田は splits into 山田
// and は, and ラーメン屋 into ラーメン and 屋. Spaces and punctuation belong to no word.
enum class WordScript {
    kNone,   // not part of any word
    kLatin,  // ASCII and full-width letters and digits, the underscore, accented Latin letters
    kGreek,
    kCyrillic,
    kHiragana,
    kKatakana,  // half-width forms included
    kHan,       // kanji with 々 〆 〇
    kHangul,
};

WordScript ScriptOf(char32_t c);

// The script the character at pos takes in its text: a prolonged sound mark or a voicing mark
// carries on the script of the letter before it (すごーい is one word, コーヒー too).
WordScript ScriptAt(std::u32string_view text, size_t pos);

// True when no word runs across the point between text[pos - 1] and text[pos]; both ends of the
// text are boundaries.
bool IsWordBoundary(std::u32string_view text, size_t pos);

}  // namespace folix
