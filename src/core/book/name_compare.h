#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace folix {

// Names compared the way the writer saw them sorted on Windows: letter case folded (ASCII and
// full-width letters, Greek and Cyrillic too), then ordered by CP932 code, single-byte before
// double-byte, characters CP932 lacks after all of them by code point; a prefix sorts first.

// One sort key per character of the name.
using NameKey = std::vector<uint32_t>;

NameKey MakeNameKey(std::string_view name);

// Negative, zero or positive, as strcmp.
int CompareNames(std::string_view a, std::string_view b);
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace folix
