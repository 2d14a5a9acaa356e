#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

// The core's file layer: every read, write and listing of the book goes through here, and every
// result carries the errno of a failure (0 on success) so callers can report it.

struct FileRead {
    std::string bytes;
    int error = 0;
};

FileRead ReadWholeFile(const std::string& path);
// At most max_bytes from the start of the file.
FileRead ReadFileStart(const std::string& path, size_t max_bytes);

// Writes the whole file or nothing: the bytes go to a temporary file in the same folder, which
// replaces the target only once it is completely on disk. The target keeps its permissions.
// On failure the target is untouched and the temporary file is gone.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates a new empty file; fails (EEXIST) if anything of that name exists.
int CreateNewFile(const std::string& path);

// Makes one folder; fails (EEXIST) if anything of that name exists.
int CreateFolder(const std::string& path);

struct FolderEntry {
    std::string name;
    bool is_folder = false;
};

// Every name in the folder, hidden ones included, in the order the system lists them.
int ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

bool PathExists(const std::string& path);

// Renames or moves a file or folder; never replaces anything already at the destination
// (EEXIST then), as a move in the book must not destroy another of the writer's files.
int MovePath(const std::string& from, const std::string& to);

}  // namespace folix
