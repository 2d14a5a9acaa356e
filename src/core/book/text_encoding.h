#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "book/utf8_check.h"

namespace folix {

// How a file's bytes were stored, so that it is written back the way it came.
enum class TextEncoding {
    kUtf8,     // UTF-8 without a byte-order mark (also every new file)
    kUtf8Bom,  // UTF-8 behind a byte-order mark
    kCp932,    // Shift_JIS as Windows wrote it
};

struct DecodedText {
    std::string text;  // UTF-8, without a byte-order mark
    TextEncoding encoding = TextEncoding::kUtf8;
    // False when the bytes were neither UTF-8 nor CP932: the text then holds U+FFFD where bytes
    // could not be read, and writing it back would destroy them.
    bool clean = true;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A byte-order mark or valid UTF-8 means UTF-8; anything else is read as CP932.
DecodedText DecodeText(std::string_view bytes);
// The same, taking over the bytes of UTF-8 text rather than copying them.
DecodedText DecodeOwnedText(std::string&& bytes);

// CP932 bytes as UTF-8; nothing when a byte sequence is not CP932.
std::optional<std::string> DecodeCp932(std::string_view bytes);
// UTF-8 as CP932 bytes; nothing when a character has no CP932 code.
std::optional<std::string> EncodeCp932(std::string_view utf8);

// The text in the given encoding; nothing when CP932 cannot hold one of its characters.
std::optional<std::string> EncodeText(std::string_view utf8, TextEncoding encoding);

// Splits off the first UTF-8 character of the text and returns its code point (U+FFFD for a
// malformed byte, which is consumed alone).
char32_t NextCodePoint(std::string_view text, size_t& pos);
void AppendUtf8(std::string& out, char32_t code_point);
// A whole text's code points, and back.
std::u32string CodePointsOf(std::string_view utf8);
std::string Utf8Of(std::u32string_view code_points);

}  // namespace folix
