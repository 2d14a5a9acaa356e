#include "epub/xml_text.h"

#include "book/text_encoding.h"
#include "site/site_book.h"

namespace folix {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot start one.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

}  // namespace

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = SequenceLength(byte);
        if (length > 1) {
            std::string_view sequence = text.substr(i, length);
            if (sequence.size() == length && IsValidUtf8(sequence)) {
                out += sequence;
                i += length;
            } else {
                out += kReplacementCharacter;
                ++i;
            }
            continue;
        }
        ++i;
        if (const char* entity = MarkupEntity(static_cast<char>(byte))) {
            out += entity;
        } else if (length == 0) {
            out += kReplacementCharacter;
        } else if (byte >= 0x20 || byte == '\t') {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace folix
