#include "history/history_keeper.h"

#include "book/file_io.h"
#include "book/path_parts.h"

namespace folix {
namespace {

// Deeper than any book the tree can show.
constexpr int kMaxFolderDepth = 256;

void CollectFiles(const std::string& book_root, const std::string& relative, int depth,
                  std::vector<std::string>& files) {
    std::vector<FolderEntry> entries;
    if (depth > kMaxFolderDepth || ListFolder(JoinPath(book_root, relative), entries) != 0) {
        return;
    }
    for (const FolderEntry& entry : entries) {
        if (entry.name.empty() || entry.name[0] == '.') {
            continue;
        }
        const std::string child = relative + "/" + entry.name;
        if (entry.is_file) {
            files.push_back(child);
        } else if (entry.is_folder) {
            CollectFiles(book_root, child, depth + 1, files);
        }
    }
}

}  // namespace

std::string BookRelativePath(const std::string& book_root, const std::string& path) {
    if (book_root.empty() || path.size() <= book_root.size() + 1 ||
        path.compare(0, book_root.size(), book_root) != 0 || path[book_root.size()] != '/') {
        return {};
    }
    return path.substr(book_root.size() + 1);
}

std::vector<std::string> BookFilesAt(const std::string& book_root, const std::string& relative) {
    std::vector<std::string> files;
    const std::vector<std::string> names = PathNames(relative);
    for (const std::string& name : names) {
        if (name.empty() || name[0] == '.') {
            return files;
        }
    }
    if (names.empty() || CheckFoldersOnTheWay(book_root, relative) != 0) {
        return files;
    }
    std::vector<FolderEntry> entries;
    const std::string parent = ParentPath(JoinPath(book_root, relative));
    if (ListFolder(parent, entries) != 0) {
        return files;
    }
    for (const FolderEntry& entry : entries) {
        if (entry.name == names.back()) {
            if (entry.is_file) {
                files.push_back(relative);
            } else if (entry.is_folder) {
                CollectFiles(book_root, relative, 0, files);
            }
        }
    }
    return files;
}

void HistoryKeeper::Fail(const std::string& message) {
    if (!reported_ && report_) {
        report_(message);
    }
    reported_ = true;
}

HistoryStore* HistoryKeeper::StoreFor(const std::string& book_root) {
    if (store_ == nullptr || root_ != book_root) {
        store_ = std::make_unique<HistoryStore>(book_root);
        if (root_ != book_root) {
            reported_ = false;
        }
        root_ = book_root;
    }
    if (!store_->Open(true)) {
        Fail(store_->error());
        return nullptr;
    }
    return store_.get();
}

void HistoryKeeper::Saved(const std::string& book_root, const std::string& path,
                          std::string_view bytes, VersionCause cause) {
    const std::string relative = BookRelativePath(book_root, path);
    if (relative.empty()) {
        return;
    }
    HistoryStore* store = StoreFor(book_root);
    if (store != nullptr && !store->Record(relative, bytes, cause)) {
        Fail(store->error());
    }
}

void HistoryKeeper::BeforeDelete(const std::string& book_root, const std::string& path) {
    const std::string relative = BookRelativePath(book_root, path);
    if (relative.empty()) {
        return;
    }
    const std::vector<std::string> files = BookFilesAt(book_root, relative);
    if (files.empty()) {
        return;
    }
    HistoryStore* store = StoreFor(book_root);
    for (const std::string& file : files) {
        if (store == nullptr) {
            return;
        }
        const FileRead read = ReadWholeFile(JoinPath(book_root, file));
        if (read.error == 0 && !store->Record(file, read.bytes, VersionCause::kDelete)) {
            Fail(store->error());
            return;
        }
    }
}

void HistoryKeeper::AfterMove(const std::string& book_root, const std::string& from,
                              const std::string& to, Change change) {
    const std::string old_relative = BookRelativePath(book_root, from);
    const std::string new_relative = BookRelativePath(book_root, to);
    if (old_relative.empty() || new_relative.empty()) {
        return;
    }
    const std::vector<std::string> files = BookFilesAt(book_root, new_relative);
    if (files.empty()) {
        return;
    }
    HistoryStore* store = StoreFor(book_root);
    const VersionCause cause =
        change == Change::kRename ? VersionCause::kRename : VersionCause::kMove;
    for (const std::string& file : files) {
        if (store == nullptr) {
            return;
        }
        const std::string was = old_relative + file.substr(new_relative.size());
        const FileRead read = ReadWholeFile(JoinPath(book_root, file));
        if (read.error == 0 && !store->Record(file, read.bytes, cause, was)) {
            Fail(store->error());
            return;
        }
    }
}

void HistoryKeeper::RepackIfNeeded(const std::string& book_root) {
    HistoryStore* store = StoreFor(book_root);
    if (store != nullptr && !store->RepackIfNeeded()) {
        Fail(store->error());
    }
}

}  // namespace folix
