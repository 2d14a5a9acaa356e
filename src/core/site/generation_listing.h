#pragma once

#include <string>
#include <vector>

namespace folix {

class Ui;

// What of one folder goes into the site and the TEXT file, in the order the tree shows it:
// "d" + name for a sub-folder not beginning with ".", "l" + name for a ".txt" file. Templates,
// lists and pages stay out. The folder's stored order is followed but not written back; a
// folder whose "contents.flc" is not ours (reported) gives its names in name order.
std::vector<std::string> ListBookEntries(Ui& ui, const std::string& folder);

inline bool IsFolderEntry(const std::string& entry) {
    return !entry.empty() && entry[0] == 'd';
}
// The entry's name: a folder name, or a file name with its extension.
inline std::string EntryName(const std::string& entry) {
    return entry.empty() ? std::string() : entry.substr(1);
}

}  // namespace folix
