#pragma once

#include <string>
#include <vector>

namespace folix {

class Ui;

// The histories of the find bar's two fields, newest first. A field's list may grow while the
// bar is open; the book keeps the first 20 of each, in "find.flc" and "replace.flc".
enum class HistoryKind { kFind, kReplace };

inline constexpr size_t kHistoryLimit = 20;
inline constexpr char kFindHistoryFileName[] = "find.flc";
inline constexpr char kReplaceHistoryFileName[] = "replace.flc";

std::string HistoryPath(const std::string& root_path, HistoryKind kind);

// Puts the text on top of a field's list and drops its older copies (compared byte for byte).
void PushHistory(std::vector<std::string>& entries, const std::string& text);
// What the book keeps of a field's list: its first kHistoryLimit entries.
std::vector<std::string> ReadHistory(const std::vector<std::string>& entries);
// Appends a stored history to a field's list, in order.
void FillHistory(std::vector<std::string>& entries, const std::vector<std::string>& list);

// Reads the history file of the book folder into list (creating a missing file empty). A file
// that is not a control file of ours gives its message and an empty list.
bool LoadHistory(Ui& ui, const std::string& root_path, HistoryKind kind,
                 std::vector<std::string>& list);
// Writes the list, but only after the file as it is has read as a control file: a damaged file
// is never overwritten. Entries holding a CR LF are left out, since they would come back split.
bool StoreHistory(Ui& ui, const std::string& root_path, HistoryKind kind,
                  const std::vector<std::string>& list);

}  // namespace folix
