#include "book/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <set>

#include "book/file_faults.h"
#include "book/path_parts.h"

namespace folix {
namespace {

// Only tests set it; see file_faults.h.
FileFaultHook* g_fault_hook = nullptr;

int InjectedFault(FileOperation operation, const std::string& path) {
    return g_fault_hook == nullptr ? 0 : (*g_fault_hook)(operation, path);
}

// Closes fd and marks it closed. Closing can report a late write error (NFS, quotas): the
// caller must see it.
int CloseDescriptor(int& fd) {
    if (fd < 0) {
        return 0;
    }
    int result = ::close(fd);
    fd = -1;
    return result == 0 ? 0 : errno;
}

// A folder opened for reading, closed when it goes out of scope.
struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
};
using OpenFolder = std::unique_ptr<DIR, CloseDir>;

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int Close() { return CloseDescriptor(fd_); }

private:
    int fd_;
};

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// Appends are gathered up to this size before they are written.
constexpr size_t kWriteBufferSize = 1 << 20;

constexpr std::string_view kTemporaryMark = ".folix-";
constexpr size_t kTemporarySuffixSize = 6;  // the XXXXXX mkostemp fills in
// A temporary file still being written is touched at least every buffer's worth; one untouched
// this long belongs to a writer that was killed.
constexpr time_t kAbandonedAfterSeconds = 10 * 60;

// The temporary files this process has open, which no clean-up may take.
std::mutex g_live_temporaries_mutex;
std::set<std::string> g_live_temporaries;

void SetLive(const std::string& temp_path, bool live) {
    std::lock_guard<std::mutex> lock(g_live_temporaries_mutex);
    if (live) {
        g_live_temporaries.insert(temp_path);
    } else {
        g_live_temporaries.erase(temp_path);
    }
}

// Whether name is exactly the temporary name a write of file_name makes:
// "." + file_name + ".folix-" + six letters or digits.
bool IsTemporaryNameOf(std::string_view name, std::string_view file_name) {
    const size_t prefix = 1 + file_name.size() + kTemporaryMark.size();
    if (name.size() != prefix + kTemporarySuffixSize || name[0] != '.' ||
        name.substr(1, file_name.size()) != file_name ||
        name.substr(1 + file_name.size(), kTemporaryMark.size()) != kTemporaryMark) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Once a file has been put in place, the temporary files an earlier, killed write of the same
// file left beside it go. Such a file is never the only copy of anything: until its rename the
// old file stands whole, and after it the temporary name is gone. Only regular files of exactly
// our name for this very file are taken, none this process is writing, none touched lately (a
// second copy of the program may be writing the same file), and never through the fault hook:
// a failed clean-up changes nothing the writer asked for.
void RemoveAbandonedTemporaries(const std::string& folder, const std::string& file_name) {
    OpenFolder dir(::opendir(folder.c_str()));
    if (!dir) {
        return;
    }
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsTemporaryNameOf(entry->d_name, file_name)) {
            continue;
        }
        const std::string path = JoinPath(folder, entry->d_name);
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
            now - status.st_mtime < kAbandonedAfterSeconds) {
            continue;
        }
        std::lock_guard<std::mutex> lock(g_live_temporaries_mutex);
        if (!g_live_temporaries.contains(path)) {
            ::unlink(path.c_str());
        }
    }
}

// Copies the first size bytes of one file to the current position of another, inside the
// kernel where the file system allows it.
int CopyFileBytes(int from_fd, int to_fd, uint64_t size) {
    loff_t from_offset = 0;
    uint64_t left = size;
    while (left > 0) {
        ssize_t copied = ::copy_file_range(from_fd, &from_offset, to_fd, nullptr, left, 0);
        if (copied > 0) {
            left -= static_cast<uint64_t>(copied);
            continue;
        }
        if (copied == 0) {
            return EIO;  // the scratch file is shorter than what was written to it
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            return errno;
        }
        // No copy in the kernel here: read and write.
        char buffer[65536];
        while (left > 0) {
            ssize_t got =
                ::pread(from_fd, buffer, std::min<uint64_t>(sizeof buffer, left), from_offset);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return got < 0 ? errno : EIO;
            }
            if (int error = WriteAll(to_fd, std::string_view(buffer, static_cast<size_t>(got)));
                error != 0) {
                return error;
            }
            from_offset += got;
            left -= static_cast<uint64_t>(got);
        }
    }
    return 0;
}

mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    static FileFaultHook installed;
    FileFaultHook previous = std::move(installed);
    installed = std::move(hook);
    g_fault_hook = installed ? &installed : nullptr;
    return previous;
}

namespace {

// The start of the file open as fd (path names it in messages), as ReadFileStart reads it.
FileRead ReadOpenFile(const FileDescriptor& fd, size_t max_bytes);

// ReadFileStart of path, opened as name from the folder dir_fd (AT_FDCWD: path itself).
FileRead ReadFileStartAt(int dir_fd, const char* name, const std::string& path, size_t max_bytes) {
    FileRead result;
    if (int fault = InjectedFault(FileOperation::kRead, path); fault != 0) {
        result.error = fault;
        return result;
    }
    // No wait for a writer on a FIFO: it is refused below, after the open.
    FileDescriptor fd(::openat(dir_fd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!fd.valid()) {
        result.error = errno;
        return result;
    }
    return ReadOpenFile(fd, max_bytes);
}

FileRead ReadOpenFile(const FileDescriptor& fd, size_t max_bytes) {
    FileRead result;
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        result.error = errno;
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        return result;
    }
    // A whole file is read up to one byte past the limit, so that a file grown since the stat
    // is caught too.
    const bool whole = max_bytes > kMaxReadBytes;
    const size_t limit = whole ? kMaxReadBytes + 1 : max_bytes;
    if (whole && static_cast<uint64_t>(status.st_size) > kMaxReadBytes) {
        result.error = EOVERFLOW;
        return result;
    }
    // Straight into the string, sized for what the stat says and one byte more; a file that
    // grows gets more room. A read short of that byte, ending where the stat said the file
    // ends, has found the end, and the read that would only say so is saved: the searches and
    // builds read thousands of small files.
    const size_t stat_size = static_cast<size_t>(status.st_size);
    size_t filled = 0;
    result.bytes.resize(std::min(limit, stat_size + 1));
    while (filled < limit) {
        if (filled == result.bytes.size()) {
            result.bytes.resize(std::min(limit, filled + std::max<size_t>(filled, 65536)));
        }
        const size_t wanted = result.bytes.size() - filled;
        ssize_t got = ::read(fd.get(), result.bytes.data() + filled, wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = errno;
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<size_t>(got);
        if (stat_size != 0 && filled == stat_size && static_cast<size_t>(got) < wanted) {
            break;
        }
    }
    result.bytes.resize(filled);
    if (result.bytes.size() > kMaxReadBytes) {
        result.bytes.clear();
        result.error = EOVERFLOW;
    }
    return result;
}

}  // namespace

FileRead ReadFileStart(const std::string& path, size_t max_bytes) {
    return ReadFileStartAt(AT_FDCWD, path.c_str(), path, max_bytes);
}

FileRead ReadOrCreateFile(const std::string& path) {
    // Read and write, so that it is made if missing, never truncated, and never through a
    // symbolic link: a dangling one in a received book would have the file made wherever it
    // points. One open both makes it and reads it.
    FileDescriptor fd(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666));
    if (!fd.valid()) {
        return {{}, errno};
    }
    if (int fault = InjectedFault(FileOperation::kRead, path); fault != 0) {
        return {{}, fault};
    }
    return ReadOpenFile(fd, SIZE_MAX);
}

FolderHandle::FolderHandle(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {}

FolderHandle::~FolderHandle() {
    CloseDescriptor(fd_);
}

FileRead ReadWholeFileIn(const FolderHandle& folder, const std::string& name,
                         const std::string& path) {
    if (!folder.valid() || name.find(kPathSeparator) != std::string::npos) {
        return ReadWholeFile(path);
    }
    return ReadFileStartAt(folder.fd_, name.c_str(), path, SIZE_MAX);
}

int RegularFileSize(const std::string& path, uint64_t& size) {
    size = 0;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno;
    }
    if (S_ISLNK(status.st_mode)) {
        return ELOOP;
    }
    if (!S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    }
    size = static_cast<uint64_t>(status.st_size);
    return 0;
}

FileRead ReadWholeFile(const std::string& path) {
    return ReadFileStart(path, SIZE_MAX);
}

int CheckFoldersOnTheWay(const std::string& root, std::string_view relative) {
    std::string path = root;
    for (size_t separator = relative.find(kPathSeparator); separator != std::string_view::npos;
         separator = relative.find(kPathSeparator)) {
        path += kPathSeparator;
        path += relative.substr(0, separator);
        relative.remove_prefix(separator + 1);
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            return errno;
        }
        if (S_ISLNK(status.st_mode)) {
            return ELOOP;
        }
        if (!S_ISDIR(status.st_mode)) {
            return ENOTDIR;
        }
    }
    return 0;
}

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Append(bytes);
    return writer.Commit();
}

TemporaryFile::~TemporaryFile() {
    Remove();
}

void TemporaryFile::Create(const std::string& folder, const std::string& for_path, unsigned mode) {
    for_path_ = for_path;
    // The temporary name starts with a dot and ends in no known extension, so a listing of the
    // book never shows it, even if the program is killed before it is renamed or removed.
    std::string temp_path = JoinPath(folder, "." + FileNamePart(for_path) + ".folix-XXXXXX");
    if (int fault = InjectedFault(FileOperation::kCreate, for_path); fault != 0) {
        Fail(fault);
        return;
    }
    fd_ = ::mkostemp(temp_path.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail(errno);
        return;
    }
    temp_path_ = std::move(temp_path);
    SetLive(temp_path_, true);
    if (mode != 0 && ::fchmod(fd_, static_cast<mode_t>(mode)) != 0) {
        Fail(errno);
    }
}

void TemporaryFile::Fail(int error) {
    if (error_ == 0) {
        error_ = error;
    }
}

void TemporaryFile::Append(std::string_view bytes) {
    if (error_ != 0) {
        return;
    }
    size_ += bytes.size();
    if (buffer_.size() + bytes.size() <= kWriteBufferSize) {
        if (buffer_.capacity() < kWriteBufferSize) {
            buffer_.reserve(kWriteBufferSize);
        }
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= kWriteBufferSize) {
        if (error_ == 0) {
            if (int fault = WriteFault(); fault != 0) {
                WriteAll(fd_, bytes.substr(0, bytes.size() / 2));
                Fail(fault);
            } else {
                Fail(WriteAll(fd_, bytes));
            }
        }
        return;
    }
    buffer_.append(bytes);
}

void TemporaryFile::Flush() {
    if (error_ == 0 && !buffer_.empty()) {
        // A disk that fills up half-way leaves a torn temporary file behind the error.
        if (int fault = WriteFault(); fault != 0) {
            WriteAll(fd_, std::string_view(buffer_).substr(0, buffer_.size() / 2));
            Fail(fault);
        } else {
            Fail(WriteAll(fd_, buffer_));
        }
    }
    buffer_.clear();
}

int TemporaryFile::WriteFault() {
    if (write_fault_asked_) {
        return 0;
    }
    write_fault_asked_ = true;
    return InjectedFault(FileOperation::kWrite, for_path_);
}

int TemporaryFile::Close() {
    return CloseDescriptor(fd_);
}

void TemporaryFile::Remove() {
    Close();
    if (!temp_path_.empty()) {
        ::unlink(temp_path_.c_str());
        SetLive(temp_path_, false);
        temp_path_.clear();
    }
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path) {
    // A file made read-only stays as it is, though the folder would allow a rename; even for
    // root, a file without any write permission counts as read-only.
    struct stat target {};
    const bool exists = ::lstat(path_.c_str(), &target) == 0;
    if (exists && S_ISLNK(target.st_mode)) {
        Fail(ELOOP);
        return;
    }
    if (exists) {
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            Fail(EACCES);
            return;
        }
        if (::access(path_.c_str(), W_OK) != 0) {
            Fail(errno);
            return;
        }
    }
    folder_ = ParentPath(path_);
    if (folder_.empty()) {
        folder_ = path_.rfind(kPathSeparator, 0) == 0 ? "/" : ".";
    }
    Create(folder_, path_, exists ? (target.st_mode & 07777) : (0666 & ~CurrentUmask()));
}

void AtomicFileWriter::AppendFile(ScratchFile& scratch) {
    scratch.Flush();
    Fail(scratch.error());
    Flush();
    if (error_ != 0) {
        return;
    }
    if (scratch.size() > 0) {
        if (int fault = WriteFault(); fault != 0) {
            Fail(fault);
            return;
        }
    }
    Fail(CopyFileBytes(scratch.fd_, fd_, scratch.size()));
    size_ += scratch.size();
}

int AtomicFileWriter::Commit() {
    Flush();
    if (error_ == 0) {
        // An empty file is written too, as far as the fault hook is concerned.
        Fail(WriteFault());
    }
    if (error_ == 0) {
        Fail(InjectedFault(FileOperation::kSync, path_));
    }
    if (error_ == 0 && ::fsync(fd_) != 0) {
        Fail(errno);
    }
    // Closing can report a late write error (NFS, quotas): the caller must see it.
    Fail(Close());
    if (error_ == 0) {
        Fail(InjectedFault(FileOperation::kRename, path_));
    }
    if (error_ == 0 && ::rename(temp_path_.c_str(), path_.c_str()) != 0) {
        Fail(errno);
    }
    if (error_ != 0) {
        Remove();
        return error_;
    }
    SetLive(temp_path_, false);
    temp_path_.clear();
    RemoveAbandonedTemporaries(folder_, FileNamePart(path_));
    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    FileDescriptor folder_fd(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder_fd.valid()) {
        ::fsync(folder_fd.get());
    }
    return 0;
}

ScratchFile::ScratchFile(const std::string& path) {
    std::string folder = ParentPath(path);
    Create(folder.empty() ? "." : folder, path, 0);
}

int CreateNewFile(const std::string& path) {
    if (int fault = InjectedFault(FileOperation::kCreate, path); fault != 0) {
        return fault;
    }
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return errno;
    }
    return fd.Close();
}

int CreateFolder(const std::string& path) {
    if (int fault = InjectedFault(FileOperation::kCreate, path); fault != 0) {
        return fault;
    }
    return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

namespace {

// The entries the kernel hands over with one getdents64 call, as it lays them out.
struct KernelDirent {
    uint64_t inode;
    int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

// Calls take(entry) for every name of the folder but "." and "..", in the order the system
// lists them, until take returns false. The folder is read with getdents64 into one large
// buffer: a folder of 10,000 files takes a dozen calls rather than forty, and a caller that
// needs one visible child stops at the first buffer. Returns 0 or the error.
// The same, the folder open as fd, read from where it stands.
template <typename Take>
int WalkOpenFolder(int fd, Take take);

template <typename Take>
int WalkFolder(const std::string& path, Take take) {
    if (int fault = InjectedFault(FileOperation::kList, path); fault != 0) {
        return fault;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    const int error = WalkOpenFolder(fd, take);
    ::close(fd);
    return error;
}

template <typename Take>
int WalkOpenFolder(int fd, Take take) {
    constexpr size_t kBufferSize = 128 * 1024;
    std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    int error = 0;
    bool more = true;
    while (more) {
        const long got = ::syscall(SYS_getdents64, fd, buffer.get(), kBufferSize);
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (long at = 0; at < got && more;) {
            const auto* entry = reinterpret_cast<const KernelDirent*>(buffer.get() + at);
            at += entry->length;
            const std::string_view name(entry->name);
            if (name == "." || name == "..") {
                continue;
            }
            // Links are not followed: one that leads out of the book, or to a folder above
            // it, would make the book reach whatever it names, or never end.
            unsigned char type = entry->type;
            if (type == DT_UNKNOWN) {
                struct stat status {};
                if (::fstatat(fd, entry->name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
                    type = S_ISDIR(status.st_mode)   ? DT_DIR
                           : S_ISREG(status.st_mode) ? DT_REG
                                                     : DT_LNK;
                }
            }
            more = take(name, type == DT_DIR, type == DT_REG);
        }
    }
    return error;
}

}  // namespace

int ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    const int error = WalkFolder(path, [&](std::string_view name, bool is_folder, bool is_file) {
        entries.push_back({std::string(name), is_folder, is_file});
        return true;
    });
    if (error != 0) {
        entries.clear();
    }
    return error;
}

int ListFolder(const FolderHandle& folder, const std::string& path,
               std::vector<FolderEntry>& entries) {
    if (!folder.valid()) {
        return ListFolder(path, entries);
    }
    entries.clear();
    if (int fault = InjectedFault(FileOperation::kList, path); fault != 0) {
        return fault;
    }
    const int error =
        WalkOpenFolder(folder.fd_, [&](std::string_view name, bool is_folder, bool is_file) {
            entries.push_back({std::string(name), is_folder, is_file});
            return true;
        });
    if (error != 0) {
        entries.clear();
    }
    return error;
}

int FindInFolder(const std::string& path,
                 const std::function<bool(const FolderEntry& entry)>& wanted, bool& found) {
    found = false;
    FolderEntry entry;
    const int error = WalkFolder(path, [&](std::string_view name, bool is_folder, bool is_file) {
        entry.name.assign(name);
        entry.is_folder = is_folder;
        entry.is_file = is_file;
        found = wanted(entry);
        return !found;
    });
    if (error != 0) {
        found = false;
    }
    return error;
}

bool PathExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

int MovePath(const std::string& from, const std::string& to) {
    if (int fault = InjectedFault(FileOperation::kRename, to); fault != 0) {
        return fault;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without the no-replace rename: test first, then rename.
    if (PathExists(to)) {
        return EEXIST;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

}  // namespace folix
