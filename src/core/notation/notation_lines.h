#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

// The base text of a whole text (NotationBaseText of every line), each line end kept as it
// was; nothing when the text holds no notation, so that a caller can skip what would not differ.
std::optional<std::string> NotationBaseTextOfLines(std::string_view text);

}  // namespace folix
