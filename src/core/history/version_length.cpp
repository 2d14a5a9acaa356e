#include "history/version_length.h"

#include "book/text_encoding.h"
#include "rtf/rtf_plain_text.h"
#include "typeset/grid_layout.h"

namespace folix {

uint64_t VersionCharacters(std::string_view bytes) {
    // The count of characters does not depend on the grid; the default one is given.
    constexpr int kCells = 20;
    constexpr int kUprightDigits = 2;
    const std::string text =
        bytes.substr(0, 5) == "{\\rtf" ? RtfPlainText(bytes) : DecodeText(bytes).text;
    return MeasureText(text, kCells, kUprightDigits).characters;
}

}  // namespace folix
