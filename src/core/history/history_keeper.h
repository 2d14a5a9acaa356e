#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "history/history_store.h"
#include "platform/version_recorder.h"

namespace folix {

// The book's history as the window feeds it: every save of a book file, and (as the tree
// editor's recorder) the last text before a delete and the text after a rename or move. The
// file is always on the disk before its version is kept, and a history that cannot be written
// never stops anything: the first failure goes to report once, later ones are silent until
// another book is opened.
class HistoryKeeper : public VersionRecorder {
public:
    using Report = std::function<void(const std::string& message)>;

    explicit HistoryKeeper(Report report) : report_(std::move(report)) {}

    // After the editor's file at path was written whole: the very bytes written.
    void Saved(const std::string& book_root, const std::string& path, std::string_view bytes,
               VersionCause cause = VersionCause::kSave);

    void BeforeDelete(const std::string& book_root, const std::string& path) override;
    void AfterMove(const std::string& book_root, const std::string& from, const std::string& to,
                   Change change) override;

    // Packs the loose objects once there are many; for the window's idle time.
    void RepackIfNeeded(const std::string& book_root);

    // The store of the book, opened (and made) on first use; nullptr when it cannot be used,
    // which has then been reported.
    HistoryStore* StoreFor(const std::string& book_root);

private:
    void Fail(const std::string& message);

    Report report_;
    std::string root_;
    std::unique_ptr<HistoryStore> store_;
    bool reported_ = false;
};

// The path of a file or folder inside the book, "/" between names; empty when it is not inside.
std::string BookRelativePath(const std::string& book_root, const std::string& path);

// The book's files at relative and below it when it is a folder: regular files of their own,
// no hidden name on the way, as the tree would show them.
std::vector<std::string> BookFilesAt(const std::string& book_root, const std::string& relative);

}  // namespace folix
