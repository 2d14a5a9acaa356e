#pragma once

#include <string>

#include "book/book_entry.h"
#include "platform/tree_control.h"

namespace folix {

class BookTree;

// Rebuilds a folder item's children from the folder's entry list: what every expansion and
// every tree edit ends with. Items already in place are kept, so a refresh after an edit
// disturbs the tree no more than the edit did.
class FolderRefresh {
public:
    explicit FolderRefresh(BookTree& tree) : tree_(tree) {}

    // The tree's expanding notice: closing changes the image, opening refreshes the children.
    void OnItemexpanding(TreeItem item, bool expand);
    // Refreshes the folder item and opens it.
    void ReloadFolder(TreeItem item);
    bool MatchesEntry(TreeItem item, const BookEntry& entry) const;
    // Removes the item and every later sibling.
    void DeleteSiblingItem(TreeItem item);
    // The item of a file or folder inside the book, its closed folders opened on the way; none
    // when the path lies outside the book or the tree shows no such item.
    TreeItem RevealPath(const std::string& path);

private:
    void DeleteReportingRefusal(TreeItem item, const char* message);

    BookTree& tree_;
};

}  // namespace folix
