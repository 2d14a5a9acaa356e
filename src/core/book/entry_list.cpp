#include "book/entry_list.h"

#include "book/contents_file.h"
#include "book/entry_order.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/text_encoding.h"

namespace folix {
namespace {

bool IsListedFile(const std::string& name, bool is_book_folder) {
    return IsEditableName(name) || (is_book_folder && IsHtmName(name));
}

// A name that no line of "contents.flc" can hold: bytes that are not UTF-8 would make the file
// one its own reader refuses (and the whole folder would vanish from the book), and a CR LF would
// cut the entry in two. Such a file stays on disk untouched but is not part of the book, like a
// file of an unknown type.
bool IsStorableName(const std::string& name) {
    return IsValidUtf8(name) && name.find("\r\n") == std::string::npos;
}

}  // namespace

std::vector<BookEntry> BuildEntryList(Ui& ui, const std::string& folder, bool is_book_folder) {
    std::vector<FolderEntry> listing;
    if (ListFolder(folder, listing) != 0) {
        return {};
    }
    return BuildEntryList(ui, folder, is_book_folder, listing);
}

std::vector<BookEntry> BuildEntryList(Ui& ui, const std::string& folder, bool is_book_folder,
                                      const std::vector<FolderEntry>& listing) {
    std::vector<BookEntry> disk;
    for (const FolderEntry& entry : listing) {
        if (!IsStorableName(entry.name)) {
            continue;
        }
        if (entry.is_folder) {
            if (entry.name[0] != '.') {
                disk.push_back({EntryKind::kFolder, entry.name});
            }
        } else if (entry.is_file && IsListedFile(entry.name, is_book_folder)) {
            disk.push_back({EntryKind::kFile, entry.name});
        }
    }
    SortEntries(disk);

    ContentsOrder stored;
    if (!ReadContentsOrder(ui, folder, stored)) {
        return {};
    }
    const std::vector<BookEntry> before = stored.entries;
    MergeStoredOrder(disk, stored.entries);
    // Showing a folder rewrites its order only when the order changed (or was never written):
    // a large book is shown without a disk write for every folder opened.
    if (stored.entries != before || before.empty()) {
        WriteContentsOrder(ui, folder, stored);
    }
    return stored.entries;
}

}  // namespace folix
