#pragma once

#include <string_view>

namespace folix {

// Whether the bytes are UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing
// above U+10FFFF, no character cut off at the end. Every file a build or a search reads is
// checked here before anything else, so the check takes thirty-two bytes a step on a processor
// with AVX2, sixteen with SSSE3.
bool IsValidUtf8(std::string_view bytes);

// The same check taking at most step bytes a step (1, 16 or 32), or fewer where the processor
// or the length allows no more: the tests hold every way against the others.
bool IsValidUtf8InSteps(std::string_view bytes, int step);

}  // namespace folix
