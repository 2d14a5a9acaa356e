#include "book/system_error.h"

#include <locale.h>
#include <cerrno>
#include <cstring>

#include "platform/ui.h"

namespace folix {

FileErrorCause FileErrorCauseFromErrno(int error) {
    switch (error) {
        case 0:
            return FileErrorCause::kNone;
        case ENOENT:
            return FileErrorCause::kFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case ELOOP:
            return FileErrorCause::kBadPath;
        case EMFILE:
        case ENFILE:
            return FileErrorCause::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
            return FileErrorCause::kAccessDenied;
        case EBADF:
            return FileErrorCause::kInvalidFile;
        case EBUSY:
        case ETXTBSY:
            return FileErrorCause::kSharingViolation;
        case EDEADLK:
        case ENOLCK:
            return FileErrorCause::kLockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileErrorCause::kDiskFull;
        case EIO:
            return FileErrorCause::kHardIO;
        case ESPIPE:
            return FileErrorCause::kBadSeek;
        default:
            return FileErrorCause::kGeneric;
    }
}

std::string CannotOpenMessage(const std::string& path, FileErrorCause cause) {
    return path + "が開けません。(" + std::to_string(static_cast<int>(cause)) + ")";
}

void ShowCannotOpen(Ui& ui, const std::string& path, int error) {
    if (error == EOVERFLOW) {
        ui.ShowMessage(path + kTooLargeToOpenMessage);
        return;
    }
    ui.ShowMessage(CannotOpenMessage(path, FileErrorCauseFromErrno(error)));
}

std::string SystemErrorText(int error) {
    if (error <= 0) {
        return {};
    }
    // strerror_l in the user's locale gives Japanese texts where the system has them. glibc
    // answers "Unknown error N" for numbers it does not know: that is no text at all.
    locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    std::string text;
    if (locale != static_cast<locale_t>(0)) {
        text = strerror_l(error, locale);
        freelocale(locale);
    } else {
        text = std::strerror(error);
    }
    if (text.empty() || text.rfind("Unknown error", 0) == 0) {
        return {};
    }
    return text;
}

void ShowLastError(Ui& ui, int error) {
    std::string text = SystemErrorText(error);
    if (text.empty()) {
        text = "Error Code = " + std::to_string(error);
    }
    ui.ShowNotice(text);
}

}  // namespace folix
