#pragma once

#include <string>

namespace folix {

// Where the tree's edits leave the versions of the files they touch, so that the tree editor
// does not carry the store itself. Paths are absolute; book_root is the book folder at the time
// of the call (a rename of the book folder changes it). Recording never fails the edit: whoever
// implements this reports its own trouble.
class VersionRecorder {
public:
    enum class Change { kRename, kMove };

    virtual ~VersionRecorder() = default;

    // Before path (a file, or a folder and every file in it) goes to the trash: its last text.
    virtual void BeforeDelete(const std::string& book_root, const std::string& path) = 0;
    // After from was renamed or moved to to on the disk (a file, or a folder and its files).
    virtual void AfterMove(const std::string& book_root, const std::string& from,
                           const std::string& to, Change change) = 0;
};

}  // namespace folix
