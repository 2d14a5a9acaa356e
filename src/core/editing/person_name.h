#pragma once

#include <string_view>

namespace folix {

// True when the text holds the name as typed, or, for a name typed as family name, space and
// given name, the two parts written together or with one ASCII space between them. Both are
// width-folded first (FoldWidth), which turns a full-width space into an ASCII one, so 山田　太郎
// also finds 山田太郎 and 山田 太郎. White space typed around the name does not count.
bool MatchPersonName(std::string_view name, std::string_view text);

}  // namespace folix
