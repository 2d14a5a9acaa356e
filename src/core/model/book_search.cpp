#include "model/book_search.h"

#include <memory>

#include "book/book_files.h"
#include "book/entry_list.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "model/file_text_match.h"

namespace folix {
namespace {

// A folder the walk is in: its entries in the tree's order, and the next one to take; held
// open while its files are read.
struct OpenFolder {
    std::string path;
    std::vector<BookEntry> entries;
    size_t next = 0;
    std::unique_ptr<FolderHandle> handle = nullptr;
};

}  // namespace

std::vector<std::string> SearchBookFiles(Ui& ui, const std::string& book_folder,
                                         const BookOptions& options, const std::string& text) {
    std::vector<std::string> hits;
    if (text.empty()) {
        return hits;
    }
    FileTextMatch match(ui, options, text);
    std::vector<FolderEntry> listing;
    std::vector<OpenFolder> walk;
    // Each folder is opened once, for its listing and then its files.
    auto handle = std::make_unique<FolderHandle>(book_folder);
    if (ListFolder(*handle, book_folder, listing) == 0) {
        walk.push_back(
            {book_folder, BuildEntryList(ui, book_folder, true, listing), 0, std::move(handle)});
    }
    // Depth first, in the stored order, as the tree search opens the folders; a folder the
    // tree shows as empty (no ".txt" file, no folder) is not opened there, nor here.
    while (!walk.empty()) {
        OpenFolder& folder = walk.back();
        if (folder.next == folder.entries.size()) {
            walk.pop_back();
            continue;
        }
        const BookEntry& entry = folder.entries[folder.next++];
        std::string path = JoinPath(folder.path, entry.name);
        if (!entry.IsFolder()) {
            if (!folder.handle) {
                folder.handle = std::make_unique<FolderHandle>(folder.path);
            }
            if (match.HoldsIn(*folder.handle, path, entry.name)) {
                hits.push_back(std::move(path));
            }
        } else if (auto inner = std::make_unique<FolderHandle>(path);
                   ListFolder(*inner, path, listing) == 0 && HasVisibleChildren(listing)) {
            std::vector<BookEntry> entries = BuildEntryList(ui, path, false, listing);
            walk.push_back({std::move(path), std::move(entries), 0, std::move(inner)});
        }
    }
    return hits;
}

}  // namespace folix
