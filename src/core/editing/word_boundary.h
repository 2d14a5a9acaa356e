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

// True when no word runs across the point just before text[pos]; both ends of the text are
// boundaries. A prolonged sound mark or a voicing mark carries on the script of the letter before
// it (すごーい is one word, コーヒー too). The UTF-16 form is for editors that count positions in
// UTF-16 units, such as Qt's: a point inside a surrogate pair is no boundary.
bool IsWordBoundary(std::u32string_view text, size_t pos);
bool IsWordBoundary(std::u16string_view text, size_t pos);

}  // namespace folix
