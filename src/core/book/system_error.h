#pragma once

#include <string>

namespace folix {

class Ui;

// Cause codes of a failed file operation. The numbers are the ones the program has always shown
// in its "が開けません。(%d)" message, so writers and old notes keep their meaning.
enum class FileErrorCause : int {
    kNone = 0,
    kGeneric = 1,
    kFileNotFound = 2,
    kBadPath = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kInvalidFile = 6,
    kRemoveCurrentDir = 7,
    kDirectoryFull = 8,
    kBadSeek = 9,
    kHardIO = 10,
    kSharingViolation = 11,
    kLockViolation = 12,
    kDiskFull = 13,
    kEndOfFile = 14,
};

FileErrorCause FileErrorCauseFromErrno(int error);

// path + "が開けません。(%d)", the program's message for a file it could not open, read or write.
std::string CannotOpenMessage(const std::string& path, FileErrorCause cause);
// A file refused for its size (EOVERFLOW) is named with this instead: no cause code says it.
inline constexpr char kTooLargeToOpenMessage[] = "は大きすぎるため開けません。";
void ShowCannotOpen(Ui& ui, const std::string& path, int error);

// The system's own text for an error number, in the user's locale; empty when it has none.
std::string SystemErrorText(int error);

// Shows the system's text for the error in the notice window, or "Error Code = %d" when the
// system has no text for it.
void ShowLastError(Ui& ui, int error);

}  // namespace folix
