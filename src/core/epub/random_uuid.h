#pragma once

#include <string>
#include <string_view>

namespace folix {

// A random (version 4) UUID in its 36-character form, from the system's random source; false
// when that cannot be read.
bool MakeRandomUuid(std::string& uuid);

// The 36-character form: hexadecimal digits in groups of 8, 4, 4, 4 and 12 between hyphens.
bool IsUuid(std::string_view text);

}  // namespace folix
