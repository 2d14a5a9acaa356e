#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

inline constexpr char kPathSeparator = '/';

// Parts of a path, without touching the disk. Paths are UTF-8, where neither the separator nor
// the dot can be part of a longer character, so byte searches for them are character-exact.

// Up to, not including, the last separator, looked for before the path's last character so a
// trailing separator is tolerated; empty when there is none.
std::string ParentPath(std::string_view path);
// After the last separator; the whole path when there is none.
std::string FileNamePart(std::string_view path);
// The file name up to its last dot; the whole file name when it has no dot.
std::string TitlePart(std::string_view path);
// At most three characters after the last dot of the file name (html gives htm); empty when the
// name has no dot.
std::string ExtensionPart(std::string_view path);

std::string JoinPath(std::string_view folder, std::string_view name);
// The names between the separators, empty ones (from doubled, leading or trailing separators)
// left out.
std::vector<std::string> PathNames(std::string_view path);

// Extension txt, htx or lst in any letter case: files the editor may change.
bool IsEditableName(std::string_view path);
// Extension htm (html included) in any letter case.
bool IsHtmName(std::string_view path);
// The name ends in ".txt", letter case ignored.
bool HasTxtSuffix(std::string_view name);
// ASCII letters folded to lower case, everything else unchanged.
std::string AsciiLower(std::string_view text);

}  // namespace folix
