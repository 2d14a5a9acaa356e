#pragma once

#include <cstdint>
#include <string_view>

namespace folix {

// 文字数 of a version's bytes as the book counts a file: decoded as the file would be, a
// rich-text file (told by its bytes) by its plain text, the notation applied.
uint64_t VersionCharacters(std::string_view bytes);

}  // namespace folix
