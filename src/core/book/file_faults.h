#pragma once

#include <functional>
#include <string>

namespace folix {

// For tests only: a way to make the file layer fail where real disks and folders fail, so that
// every caller's handling of a failure can be shown. Nothing in the program sets a hook; when
// none is set each operation pays one test of a pointer.

enum class FileOperation {
    kRead,    // opening a file to read it (a file that vanished, an unreadable one)
    kList,    // listing a folder
    kCreate,  // making a file, a folder or the temporary file of a write (a read-only folder)
    kWrite,   // writing the temporary file: the first half is written, then the error (disk full)
    kSync,    // flushing a finished temporary file to the disk (an I/O error, a full quota)
    kRename,  // putting a finished temporary file in place, or moving an item (a refused rename)
};

// Asked before each operation with the path it works on; a non-zero errno makes the operation
// fail with it, 0 lets it run.
using FileFaultHook = std::function<int(FileOperation operation, const std::string& path)>;

// Sets the hook (an empty one removes it) and returns the one it replaces. Not thread-safe: set
// it while no other thread uses the file layer.
FileFaultHook SetFileFaultHook(FileFaultHook hook);

}  // namespace folix
