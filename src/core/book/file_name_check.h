#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

// Checks on names the program forms paths from. Such a name may come from a file of the book,
// and a book is received from others: a name that held a folder, "..", or a character no
// writer types would make the program write or read outside the book.

// The tail of the message that names a value failing a check ("<name>は不正です。").
inline constexpr char kInvalidValueMessage[] = "は不正です。";

// A C0 control character (a line end, a tab, NUL, an escape) or DEL.
bool HasControlCharacter(std::string_view text);

// One file name beside or inside the book: not empty, no "/" or "\", no "..", and no control
// character.
bool IsSingleFileName(std::string_view name);

// A path below a folder, its names parted by "/" or "\" as a writer on either system types
// them: every name a single file name, none empty (so nothing absolute), and no folder on the
// way hidden. The path with "/" between its names, or nothing.
std::optional<std::string> RelativeBookPath(std::string_view path);

}  // namespace folix
