#pragma once

#include <cstdint>
#include <functional>
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

// A book is received from others, so only a regular file is read, never one reached through a
// symbolic link (ELOOP), nor a device, a FIFO or a socket (EINVAL), which could hang the read or
// never end it. A whole file longer than kMaxReadBytes is refused (EOVERFLOW) before it is read:
// that is far above any chapter, and a file that large is a mistake or an attack.
inline constexpr size_t kMaxReadBytes = 64 * 1024 * 1024;

FileRead ReadWholeFile(const std::string& path);
// At most max_bytes from the start of the file.
FileRead ReadFileStart(const std::string& path, size_t max_bytes);

// The whole file as ReadWholeFile reads it, made empty first if it is missing (a control file
// comes into being the first time it is asked for); never through a symbolic link.
FileRead ReadOrCreateFile(const std::string& path);

struct FolderEntry;

// A folder held open while the files in it are read, so that each is opened by its name alone:
// the system looks up one name instead of every folder of the path again, and a folder of the
// path swapped for a link meanwhile leads nowhere. Never opened through a link itself.
class FolderHandle {
public:
    explicit FolderHandle(const std::string& path);
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    bool valid() const { return fd_ >= 0; }

private:
    friend FileRead ReadWholeFileIn(const FolderHandle&, const std::string&, const std::string&);
    friend int ListFolder(const FolderHandle&, const std::string&, std::vector<FolderEntry>&);
    int fd_ = -1;
};

// ReadWholeFile of path, which is the file name in the folder; by path when the folder could
// not be held open.
FileRead ReadWholeFileIn(const FolderHandle& folder, const std::string& name,
                         const std::string& path);

// Whether every folder on the way from root to the last name of relative ("/" between its
// names) is a folder itself, never a link to one (ELOOP) nor a file (ENOTDIR): a name of a
// received book must not lead out of it. The last name is left to the read, which refuses a
// link itself.
int CheckFoldersOnTheWay(const std::string& root, std::string_view relative);

// The size of a regular file not reached through a link, as ReadWholeFile would accept it;
// the same errors otherwise.
int RegularFileSize(const std::string& path, uint64_t& size);

// Writes the whole file or nothing: the bytes go to a temporary file in the same folder, which
// replaces the target only once it is completely on disk. The target keeps its permissions.
// A symbolic link at path is refused (ELOOP): a received book may hold one that points
// anywhere, and writing through it would put the bytes outside the book.
// On failure the target is untouched and the temporary file is gone. Once the target is in
// place, temporary files of the same target that a killed write left long ago are removed.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

class ScratchFile;

// A hidden temporary file in a folder, written through a buffer. The first failure sticks: later
// appends do nothing and error() keeps it. The file is removed when the object goes.
class TemporaryFile {
public:
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Append(std::string_view bytes);
    int error() const { return error_; }
    uint64_t size() const { return size_; }

protected:
    TemporaryFile() = default;
    ~TemporaryFile();

    // Makes the file in folder, named after for_path, which the fault hook is told too; a mode
    // of 0 leaves the file private.
    void Create(const std::string& folder, const std::string& for_path, unsigned mode);

    void Fail(int error);
    void Flush();
    // Asks the fault hook about the file's write if nothing has asked yet: every file is written
    // once as far as the hook is concerned, however many pieces it takes.
    int WriteFault();
    int Close();
    void Remove();

    std::string for_path_;
    std::string temp_path_;
    int fd_ = -1;
    int error_ = 0;
    friend class AtomicFileWriter;

private:
    std::string buffer_;
    uint64_t size_ = 0;
    bool write_fault_asked_ = false;
};

// WriteFileAtomically for output too large to hold in memory: the bytes are appended in pieces,
// and Commit puts the file in place whole. Without a successful Commit (a declined question, a
// failure, an early return) the target stays as it was and the temporary file is gone.
class AtomicFileWriter : public TemporaryFile {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter() = default;

    // Appends everything written to the scratch file so far.
    void AppendFile(ScratchFile& scratch);
    // 0 once the file is in place, otherwise the first error of the whole write.
    int Commit();

private:
    std::string path_;
    std::string folder_;
};

// Output kept on disk beside path until it is wanted, never put in place itself. Its failures
// count as writes of path for the fault hook.
class ScratchFile : public TemporaryFile {
public:
    explicit ScratchFile(const std::string& path);
    ~ScratchFile() = default;
};

// Creates a new empty file; fails (EEXIST) if anything of that name exists.
int CreateNewFile(const std::string& path);

// Makes one folder; fails (EEXIST) if anything of that name exists.
int CreateFolder(const std::string& path);

struct FolderEntry {
    std::string name;
    bool is_folder = false;  // a folder itself, never a link to one
    bool is_file = false;    // a regular file itself, never a link to one
};

// Every name in the folder, hidden ones included, in the order the system lists them. A name
// that is neither a folder nor a regular file (a symbolic link, a device, a FIFO, a socket) is
// listed too, so that no new name takes it, but is neither: it is no part of the book.
int ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

// The same, of the folder just opened as folder (path names it; a folder that could not be
// opened so, such as a link to one, is listed by its path), which its reads then use: one
// open of a folder for its listing and its files.
int ListFolder(const FolderHandle& folder, const std::string& path,
               std::vector<FolderEntry>& entries);

// Whether the folder holds an entry that is wanted, the listing stopped at the first one: a
// folder of thousands of files is not listed whole to learn that it holds one. found is false
// when the folder cannot be listed (the error is returned).
int FindInFolder(const std::string& path,
                 const std::function<bool(const FolderEntry& entry)>& wanted, bool& found);

bool PathExists(const std::string& path);

// Renames or moves a file or folder; never replaces anything already at the destination
// (EEXIST then), as a move in the book must not destroy another of the writer's files.
int MovePath(const std::string& from, const std::string& to);

// Removes one file; a file that is not there counts as removed.
int RemoveFile(const std::string& path);

}  // namespace folix
