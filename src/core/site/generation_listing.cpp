#include "site/generation_listing.h"

#include "book/contents_file.h"
#include "book/entry_order.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"

namespace folix {

std::vector<BookEntry> ListBookEntries(Ui& ui, const std::string& folder) {
    std::vector<FolderEntry> listing;
    // A folder that vanished or became unreadable since the walk came to it: the build goes on
    // without it, but says so rather than report a whole book.
    if (int error = ListFolder(folder, listing); error != 0) {
        ShowCannotOpen(ui, folder, error);
        return {};
    }
    std::vector<BookEntry> found;
    for (const FolderEntry& entry : listing) {
        if (entry.is_folder) {
            if (entry.name[0] != '.') {
                found.push_back({EntryKind::kFolder, entry.name});
            }
        } else if (entry.is_file && HasTxtSuffix(entry.name)) {
            found.push_back({EntryKind::kFile, entry.name});
        }
    }
    SortEntries(found);

    // A refused contents.flc has been reported by the reader and leaves the stored order empty:
    // the build still goes through the folder, in name order.
    ContentsOrder stored;
    ReadContentsOrder(ui, folder, stored);
    MergeStoredOrder(found, stored.entries);
    return stored.entries;
}

}  // namespace folix
