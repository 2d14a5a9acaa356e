// The decoder of text files (UTF-8, CP932) on any bytes: clean text encodes back to bytes that
// decode to the same text, and code points walk the text without losing a byte.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "book/text_encoding.h"
#include "fuzz_support.h"

using namespace folix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DecodedText decoded = DecodeText(bytes);
    fuzz::Require(IsValidUtf8(decoded.text), "decoded text is not UTF-8");
    if (decoded.clean) {
        std::optional<std::string> encoded = EncodeText(decoded.text, decoded.encoding);
        fuzz::Require(encoded.has_value(), "clean text cannot be stored in its own encoding");
        DecodedText again = DecodeText(*encoded);
        fuzz::Require(again.clean && again.text == decoded.text,
                      "text changes when stored in its own encoding and read");
    }
    std::string rebuilt;
    for (size_t pos = 0; pos < decoded.text.size();) {
        size_t before = pos;
        char32_t code_point = NextCodePoint(decoded.text, pos);
        fuzz::Require(pos > before, "a code point took no bytes");
        AppendUtf8(rebuilt, code_point);
    }
    fuzz::Require(rebuilt == decoded.text, "code points do not rebuild the text");
    DecodeCp932(bytes);
    EncodeCp932(bytes);
    return 0;
}
