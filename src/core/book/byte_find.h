#pragma once

#include <cstddef>
#include <string_view>

namespace folix {

// Where the bytes of needle first occur in text, or std::string_view::npos; an empty needle is
// found at 0. What every whole-book search asks of each file: in Japanese UTF-8 nearly every
// third byte is the lead byte E3, so a search that looks for the first byte alone stops all the
// time. This one tests the first and last bytes of the needle sixteen places at once.
size_t FindBytes(std::string_view text, std::string_view needle);

}  // namespace folix
