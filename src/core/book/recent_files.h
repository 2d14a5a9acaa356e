#pragma once

#include <string>
#include <vector>

namespace folix {

class Profile;

inline constexpr char kRecentFileSection[] = "Recent File List";
inline constexpr size_t kRecentFileCount = 10;

// The stored recent-file list, "File1" first; empty entries left out.
std::vector<std::string> LoadRecentFiles(const Profile& profile);

// Keeps the recent-file list to book files: drops every entry that is not a ".flx" path and the
// old path, and puts the new path on top when it is a book file. An empty old path only adds.
void ReplaceRecentFile(Profile& profile, const std::string& old_path, const std::string& new_path);

// True when the path and one of the other windows' book folders are prefixes one of the other.
bool IsPathInUse(const std::vector<std::string>& other_root_paths, const std::string& path);

}  // namespace folix
