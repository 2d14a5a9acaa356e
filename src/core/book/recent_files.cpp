#include "book/recent_files.h"

#include <algorithm>

#include "book/path_parts.h"
#include "platform/profile.h"

namespace folix {
namespace {

std::string RecentKey(size_t index) {
    return "File" + std::to_string(index + 1);
}

bool IsBookPath(const std::string& path) {
    return path.size() >= 4 && AsciiLower(path.substr(path.size() - 4)) == ".flx";
}

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    return AsciiLower(a) == AsciiLower(b);
}

}  // namespace

std::vector<std::string> LoadRecentFiles(const Profile& profile) {
    std::vector<std::string> files;
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        std::string path = profile.GetString(kRecentFileSection, RecentKey(i));
        if (!path.empty()) {
            files.push_back(std::move(path));
        }
    }
    return files;
}

void ReplaceRecentFile(Profile& profile, const std::string& old_path, const std::string& new_path) {
    std::vector<std::string> files = LoadRecentFiles(profile);
    std::erase_if(files, [&](const std::string& path) {
        return !IsBookPath(path) || (!old_path.empty() && SamePathIgnoringCase(path, old_path));
    });
    if (IsBookPath(new_path)) {
        std::erase_if(
            files, [&](const std::string& path) { return SamePathIgnoringCase(path, new_path); });
        files.insert(files.begin(), new_path);
    }
    files.resize(std::min(files.size(), kRecentFileCount));
    // Only what changed is written: each write saves the whole profile, and opening a file
    // that is no book changes nothing.
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string value = i < files.size() ? files[i] : "";
        if (profile.GetString(kRecentFileSection, RecentKey(i), "") != value) {
            profile.WriteString(kRecentFileSection, RecentKey(i), value);
        }
    }
}

bool IsPathInUse(const std::vector<std::string>& other_root_paths, const std::string& path) {
    return std::any_of(
        other_root_paths.begin(), other_root_paths.end(), [&](const std::string& root) {
            return !root.empty() && (path.rfind(root, 0) == 0 || root.rfind(path, 0) == 0);
        });
}

}  // namespace folix
