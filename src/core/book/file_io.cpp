#include "book/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "book/file_faults.h"
#include "book/path_parts.h"

namespace folix {
namespace {

// Only tests set it; see file_faults.h.
FileFaultHook* g_fault_hook = nullptr;

int InjectedFault(FileOperation operation, const std::string& path) {
    return g_fault_hook == nullptr ? 0 : (*g_fault_hook)(operation, path);
}

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closing can report a late write error (NFS, quotas): the caller must see it.
    int Close() {
        if (fd_ < 0) {
            return 0;
        }
        int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

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

mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A symbolic link is replaced through, not over: the file it points at gets the new bytes.
std::string ResolveLinkTarget(const std::string& path) {
    struct stat link_status {};
    if (::lstat(path.c_str(), &link_status) == 0 && S_ISLNK(link_status.st_mode)) {
        std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
        if (resolved) {
            return resolved.get();
        }
    }
    return path;
}

}  // namespace

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
    static FileFaultHook installed;
    FileFaultHook previous = std::move(installed);
    installed = std::move(hook);
    g_fault_hook = installed ? &installed : nullptr;
    return previous;
}

FileRead ReadFileStart(const std::string& path, size_t max_bytes) {
    FileRead result;
    if (int fault = InjectedFault(FileOperation::kRead, path); fault != 0) {
        result.error = fault;
        return result;
    }
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        result.error = errno;
        return result;
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode)) {
        result.error = EISDIR;
        return result;
    }
    char buffer[65536];
    while (result.bytes.size() < max_bytes) {
        size_t wanted = std::min(sizeof buffer, max_bytes - result.bytes.size());
        ssize_t got = ::read(fd.get(), buffer, wanted);
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
        result.bytes.append(buffer, static_cast<size_t>(got));
    }
    return result;
}

FileRead ReadWholeFile(const std::string& path) {
    return ReadFileStart(path, SIZE_MAX);
}

int WriteFileAtomically(const std::string& requested_path, std::string_view bytes) {
    const std::string path = ResolveLinkTarget(requested_path);
    // A file made read-only stays as it is, though the folder would allow a rename; even for
    // root, a file without any write permission counts as read-only.
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists) {
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            return EACCES;
        }
        if (::access(path.c_str(), W_OK) != 0) {
            return errno;
        }
    }
    std::string folder = ParentPath(path);
    if (folder.empty()) {
        folder = path.rfind(kPathSeparator, 0) == 0 ? "/" : ".";
    }
    // The temporary name starts with a dot and ends in no known extension, so a listing of the
    // book never shows it, even if the program is killed before the rename.
    std::string temp_path = JoinPath(folder, "." + FileNamePart(path) + ".folix-XXXXXX");
    if (int fault = InjectedFault(FileOperation::kCreate, path); fault != 0) {
        return fault;
    }
    FileDescriptor fd(::mkostemp(temp_path.data(), O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }

    mode_t mode = exists ? (target.st_mode & 07777) : (0666 & ~CurrentUmask());
    int error = ::fchmod(fd.get(), mode) == 0 ? 0 : errno;
    if (error == 0) {
        // A disk that fills up half-way leaves a torn temporary file behind the error.
        if (int fault = InjectedFault(FileOperation::kWrite, path); fault != 0) {
            WriteAll(fd.get(), bytes.substr(0, bytes.size() / 2));
            error = fault;
        } else {
            error = WriteAll(fd.get(), bytes);
        }
    }
    if (error == 0 && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    int close_error = fd.Close();
    if (error == 0) {
        error = close_error;
    }
    if (error == 0) {
        error = InjectedFault(FileOperation::kRename, path);
    }
    if (error == 0 && ::rename(temp_path.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp_path.c_str());
        return error;
    }
    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    FileDescriptor folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder_fd.valid()) {
        ::fsync(folder_fd.get());
    }
    return 0;
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

int ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    if (int fault = InjectedFault(FileOperation::kList, path); fault != 0) {
        return fault;
    }
    struct CloseDir {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::unique_ptr<DIR, CloseDir> dir(::opendir(path.c_str()));
    if (!dir) {
        return errno;
    }
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0) {
                int error = errno;
                entries.clear();
                return error;
            }
            break;
        }
        std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool is_folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status {};
            is_folder =
                ::stat(JoinPath(path, name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }
        entries.push_back({std::move(name), is_folder});
    }
    return 0;
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

}  // namespace folix
