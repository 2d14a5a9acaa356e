#pragma once

#include <string_view>

namespace folix {

// Whether the bytes are UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing
// above U+10FFFF, no character cut off at the end. Every file a build or a search reads is
// checked here before anything else, so on a processor with SSSE3 the check takes sixteen
// bytes a step.
bool IsValidUtf8(std::string_view bytes);

}  // namespace folix
