#include "epub/xml_text.h"

#include "book/text_encoding.h"
#include "site/site_book.h"

namespace folix {

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextCodePoint(text, pos);
        if (c >= 0x80) {
            AppendUtf8(out, c);  // a malformed byte came back as U+FFFD
        } else if (const char* entity = MarkupEntity(static_cast<char>(c))) {
            out += entity;
        } else if (c >= 0x20 || c == U'\t') {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace folix
