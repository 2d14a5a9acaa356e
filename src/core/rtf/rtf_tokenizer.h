#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace folix {

struct RtfToken {
    enum class Type {
        kEnd,            // no more input
        kGroupOpen,      // {
        kGroupClose,     // }
        kControlWord,    // \word or \wordN: `name`, and `parameter` when `has_parameter`
        kControlSymbol,  // \ and one character other than a letter or ': `name` holds it
        kHexByte,        // \'hh: `byte`
        kText,           // a stretch of plain bytes, line ends left out: `text`
        kBinary,         // the data of \binN: `text`
    };
    Type type = Type::kEnd;
    std::string_view name;
    std::string_view text;
    int32_t parameter = 0;
    bool has_parameter = false;
    uint8_t byte = 0;
};

// Cuts RTF bytes into tokens, one at a time and without recursion or copies: the views point
// into the input, which must outlive the tokenizer. It accepts any bytes at all; what is not
// RTF comes out as text, and input cut short simply ends.
class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input) : input_(input) {}

    RtfToken Next();

    // How far the input has been read, for callers that give up on the rest.
    size_t position() const { return pos_; }

private:
    std::optional<RtfToken> ReadControl();  // nothing for a backslash that says nothing
    RtfToken ReadText();

    std::string_view input_;
    size_t pos_ = 0;
};

}  // namespace folix
