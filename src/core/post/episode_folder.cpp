#include "post/episode_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"
#include "site/output_file.h"

namespace folix {
namespace {

// A hidden folder beside the target, named after it; empty when none could be made.
std::string MakeStaging(const std::string& target, const char* what) {
    std::string pattern =
        JoinPath(ParentPath(target), "." + FileNamePart(target) + ".folix-" + what + "-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);  // links inside are removed, never followed
}

}  // namespace

EpisodeFolder::EpisodeFolder(std::string target) : target_(std::move(target)) {
    staging_ = MakeStaging(target_, "new");
    if (staging_.empty()) {
        error_ = errno;
        failed_path_ = target_;
    }
}

EpisodeFolder::~EpisodeFolder() {
    if (!staging_.empty()) {
        RemoveTree(staging_);
    }
}

void EpisodeFolder::Write(const std::string& name, std::string_view bytes) {
    if (error_ != 0) {
        return;
    }
    if (int error = WriteFileAtomically(JoinPath(staging_, name), bytes); error != 0) {
        error_ = error;
        failed_path_ = JoinPath(target_, name);
    }
}

bool EpisodeFolder::Commit(Ui& ui, bool& placed) {
    placed = false;
    if (error_ != 0) {
        ShowCannotOpen(ui, failed_path_, error_);
        return false;
    }
    struct stat status {};
    if (::lstat(target_.c_str(), &status) != 0) {
        if (int error = MovePath(staging_, target_); error != 0) {
            ShowCannotOpen(ui, target_, error);
            return false;
        }
        staging_.clear();
        placed = true;
        return true;
    }
    if (S_ISLNK(status.st_mode) || !S_ISDIR(status.st_mode)) {
        ShowCannotOpen(ui, target_, S_ISLNK(status.st_mode) ? ELOOP : ENOTDIR);
        return false;
    }
    if (!ui.AskYesNo(target_ + kOverwriteQuestion)) {
        return true;
    }
    // The old folder steps aside first, so that a failure between the two moves can put it back.
    const std::string old = MakeStaging(target_, "old");
    if (old.empty() || ::rmdir(old.c_str()) != 0 || MovePath(target_, old) != 0) {
        ShowCannotOpen(ui, target_, errno != 0 ? errno : EIO);
        return false;
    }
    if (int error = MovePath(staging_, target_); error != 0) {
        MovePath(old, target_);
        ShowCannotOpen(ui, target_, error);
        return false;
    }
    staging_.clear();
    RemoveTree(old);
    placed = true;
    return true;
}

}  // namespace folix
