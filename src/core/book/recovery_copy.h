#pragma once

#include <optional>
#include <string>

namespace folix {

// The unsaved text of the editor's file, kept in a hidden file in the book folder while the
// writer types, so that a crash or a kill loses nothing. One window per book and one file per
// window: a book has at most one recovery copy, which names the file it belongs to.
struct RecoveryCopy {
    std::string relative_path;  // the file, from the book folder
    bool rtf = false;           // the text is RTF, else the plain text in UTF-8
    std::string text;
};

// Hidden, so the tree, the builds, the search and the upload never see it.
inline constexpr char kRecoveryFileName[] = ".folix-recovery";
// Far above any chapter; a larger copy is not ours and is not read.
inline constexpr size_t kMaxRecoveryBytes = 256u << 20;

// Replaces the book's copy whole (atomically); the errno of a failure, 0 on success.
int WriteRecoveryCopy(const std::string& book_folder, const RecoveryCopy& copy);
// The book's copy, when there is one that reads as ours.
std::optional<RecoveryCopy> ReadRecoveryCopy(const std::string& book_folder);
int RemoveRecoveryCopy(const std::string& book_folder);

}  // namespace folix
