#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "book/iconv_converter.h"

namespace folix {

inline constexpr int kRtfDefaultCodePage = 1252;
inline constexpr int kRtfJapaneseCodePage = 932;
inline constexpr int kRtfJapaneseCharset = 128;

// The Windows code page that a font's \fcharset names, or 0 where the charset defers to the
// document's \ansicpg (ANSI and DEFAULT: Japanese editors write \ansicpg932 with such fonts and
// mean Shift_JIS).
int CodePageOfCharset(int charset);

// Converts between UTF-8 and the code pages RTF files use, keeping one iconv descriptor per code
// page for the whole file rather than opening one per stretch of text.
class RtfCodePages {
public:
    // Appends the text of the bytes; a byte the code page cannot read becomes U+FFFD. A code page
    // iconv does not know is read as 1252, so that the letters of Western text at least survive.
    void Decode(std::string_view bytes, int code_page, std::string& out);

    // The code page's bytes for the UTF-8 text, or empty when it cannot hold all of it.
    std::string Encode(std::string_view utf8, int code_page);

private:
    IconvConverter* Converter(std::map<int, std::unique_ptr<IconvConverter>>& cache, int code_page,
                              bool to_code_page);

    std::map<int, std::unique_ptr<IconvConverter>> decoders_;
    std::map<int, std::unique_ptr<IconvConverter>> encoders_;
};

}  // namespace folix
